#pragma once

#include "TavoWebCommandGlobal.h"

#include <QMap>
#include <QObject>
#include <QString>

// Builds the sign-in URLs and signs their parameters: the QR text a phone
// scans, the poll of the classroom platform and the quick sign-in request of
// the cloud service.
class TAVOWEBCOMMAND_EXPORT NxAxloginUtil : public QObject
{
    Q_OBJECT

public:
    using Params = QMap<QString, QString>;

    explicit NxAxloginUtil(QObject* parent = nullptr);

    QString loginQrText() const;
    // Empty when the QR text carries no code or action type.
    QString pollUrl(const QString& qrText) const;
    QString quickLoginUrl() const;
    QByteArray quickLoginBody(const QString& uid, const QString& token, bool rememberMe, bool issign) const;

    void platformSign(Params& params) const;
    void restSign(Params& params) const;

    static QString formEncode(const QString& value);
    static QString md5Hex(const QString& text);
    static QString joined(const Params& params);

private:
    static QString now();
    bool usesPlatformSignature() const;

    QString m_productName;
    QString m_platformBase;
    QString m_cloudHost;
    QString m_wechatLoginPath = QStringLiteral("weixin/wechat/login?wxcode=teacher");
    QString m_pollBase;
    QString m_quickLoginHost;
    QString m_authcodeKey = QStringLiteral("q7m2vx9ke4tr8ba1");
    QString m_authKey = QStringLiteral("hbw527tyq3ndk0zpe");
    QString m_restSessionKey = QStringLiteral("deskunit");
    QString m_restSecret = QStringLiteral("rvy6031mfq58");
};

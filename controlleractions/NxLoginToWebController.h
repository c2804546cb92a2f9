#pragma once

#include "INxLoginToWebController.h"

#include <QImage>
#include <QObject>
#include <QPixmap>
#include <QString>

class INxWebCommandController;
class QTimer;

// Runs a sign-in by QR code: shows the code and polls every three seconds
// until a phone has confirmed it.
class NxLoginToWebController : public QObject, public INxLoginToWebController
{
    Q_OBJECT
    Q_INTERFACES(INxLoginToWebController)

public:
    explicit NxLoginToWebController(QObject* parent = nullptr);

    QObject* getObject() override;
    void startLogging() override;
    void stopLogging() override;
    void setWebCommandCtrl(INxWebCommandController* ctrl) override;

    bool isPolling() const;
    // The QR symbol of text, 5 x 5 pixels per module, without quiet zone.
    static QPixmap makeQrPixmap(const QString& text);

signals:
    void sglQRLocation(QPixmap url);
    void sglLoginSuccess(QString uid, QString token, QString casid, QImage image);

private slots:
    void slotCheckLoginStatus();
    void slotIsLogin(void* pCxt, int iResult, QImage image);

private:
    INxWebCommandController* m_webCommand = nullptr;
    QString m_qrText;
    QTimer* m_pollTimer;
};

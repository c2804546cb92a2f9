#include "NxAxloginUtil.h"

#include "NxAppProperty.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDebug>
#include <QDateTime>
#include <QRegularExpression>
#include <QStringList>
#include <QUrl>
#include <QUuid>

namespace {

QString withSlash(QString base)
{
    if (!base.isEmpty() && !base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    return base;
}

// The shipped version.ini leaves "platformHost" empty, which would make every
// sign-in address relative: the platform then lives where sign-in does.
QString platformHost()
{
    const QString configured = NxAppProperty::text("platformHost");
    if (!configured.isEmpty())
        return withSlash(configured);
    const QUrl login(NxAppProperty::text("loginHost"));
    if (login.host().isEmpty()) {
        qWarning() << "NxAxloginUtil::NxAxloginUtil" << "platformHost and loginHost are empty: no sign-in address can be built";
        return QString();
    }
    const QString derived =
        login.adjusted(QUrl::RemoveUserInfo | QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment).toString() + QLatin1Char('/');
    qWarning() << "NxAxloginUtil::NxAxloginUtil" << "platformHost is empty, taken from loginHost:" << derived;
    return derived;
}

} // namespace

NxAxloginUtil::NxAxloginUtil(QObject* parent)
    : QObject(parent)
    , m_platformBase(platformHost())
    , m_cloudHost(NxAppProperty::text("cloudhost"))
{
    m_pollBase = m_platformBase;
    m_quickLoginHost = m_cloudHost;
}

QString NxAxloginUtil::now()
{
    return QString::number(QDateTime::currentSecsSinceEpoch());
}

QString NxAxloginUtil::md5Hex(const QString& text)
{
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Md5).toHex());
}

QString NxAxloginUtil::joined(const Params& params)
{
    QStringList pairs;
    for (auto it = params.cbegin(); it != params.cend(); ++it)
        pairs << it.key() + QLatin1Char('=') + it.value();
    return pairs.join(QLatin1Char('&'));
}

QString NxAxloginUtil::formEncode(const QString& value)
{
    if (value.isEmpty())
        return value;
    QString encoded = QString::fromLatin1(value.toUtf8().toPercentEncoding("-._~"));
    return encoded.replace(QLatin1String("%20"), QLatin1String("+")).replace(QLatin1String("~"), QLatin1String("%7E"));
}

QString NxAxloginUtil::loginQrText() const
{
    const QString code = QUuid::createUuid().toString(QUuid::WithoutBraces) + QLatin1Char('-') + now();
    static const QStringList gradewise = {QStringLiteral("GradewisePro"), QStringLiteral("KLGradewisePro"),
                                          QStringLiteral("RTGradewisePro")};
    const QString actionType = gradewise.contains(m_productName) ? QStringLiteral("4") : QStringLiteral("5");
    const QString target = m_cloudHost + m_wechatLoginPath + QStringLiteral("&appname=") + QCoreApplication::applicationName();
    return m_platformBase + QStringLiteral("v1/web/redirect?code=") + code + QStringLiteral("&actionType=") + actionType
        + QStringLiteral("&target=") + QString::fromLatin1(target.toUtf8().toBase64());
}

QString NxAxloginUtil::pollUrl(const QString& qrText) const
{
    static const QRegularExpression pattern(QStringLiteral("code=(.*)&.*actionType=(.*)&"));
    const QRegularExpressionMatch match = pattern.match(qrText);
    const QString code = match.captured(1);
    const QString actionType = match.captured(2);
    if (code.isEmpty() || actionType.isEmpty())
        return QString();
    Params params{{QStringLiteral("enstr"), code},
                  {QStringLiteral("actiontype"), actionType},
                  {QStringLiteral("QleaLoginCode"), QStringLiteral("QleaLoginCode")},
                  {QStringLiteral("appname"), QCoreApplication::applicationName()}};
    platformSign(params);
    return m_pollBase + QStringLiteral("v1/web/redirect/pcenter") + QLatin1Char('?') + joined(params);
}

QString NxAxloginUtil::quickLoginUrl() const
{
    return m_quickLoginHost + QStringLiteral("api/userstep/loginbytoken");
}

QByteArray NxAxloginUtil::quickLoginBody(const QString& uid, const QString& token, bool rememberMe, bool issign) const
{
    Params params{{QStringLiteral("uid"), uid},
                  {QStringLiteral("token"), token},
                  {QStringLiteral("rememberMe"), rememberMe ? QStringLiteral("1") : QStringLiteral("0")},
                  {QStringLiteral("issign"), issign ? QStringLiteral("true") : QStringLiteral("false")},
                  {QStringLiteral("usertype"), QStringLiteral("1")},
                  {QStringLiteral("appname"), QCoreApplication::applicationName()}};
    if (usesPlatformSignature())
        platformSign(params);
    else
        restSign(params);
    return joined(params).toUtf8();
}

bool NxAxloginUtil::usesPlatformSignature() const
{
    // The cloud host is the platform's own when it names the platform's host.
    const QString marker = QUrl(m_platformBase).host();
    return !marker.isEmpty() && m_quickLoginHost.contains(marker);
}

void NxAxloginUtil::platformSign(Params& params) const
{
    params[QStringLiteral("time")] = now();
    if (params.remove(QStringLiteral("QleaLoginCode")) > 0) {
        params[QStringLiteral("auth")] = md5Hex(params.value(QStringLiteral("enstr")) + params.value(QStringLiteral("time")) + m_authKey);
        return;
    }
    QString text = params.value(QStringLiteral("dcode")) + params.value(QStringLiteral("time"));
    text += params.value(QStringLiteral("accesstoken"));
    params[QStringLiteral("authcode")] = md5Hex(text + m_authcodeKey);
}

void NxAxloginUtil::restSign(Params& params) const
{
    params[QStringLiteral("sessionkey")] = m_restSessionKey;
    params[QStringLiteral("resttime")] = now();
    QString text;
    for (auto it = params.cbegin(); it != params.cend(); ++it)
        text += it.key() + QLatin1Char('=') + formEncode(it.value()) + QLatin1Char('&');
    params[QStringLiteral("restauth")] = md5Hex(text + m_restSecret);
}

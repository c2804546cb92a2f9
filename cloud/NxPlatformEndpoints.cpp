#include "NxPlatformEndpoints.h"

#include "NxCloudRouter.h"
#include "NxCloudSignInBook.h"
#include "NxCloudSignature.h"
#include "NxSignInPage.h"

#include <QDateTime>
#include <QUrl>
#include <QUrlQuery>

namespace {
const QString kCode = QStringLiteral("code");
const QString kActionType = QStringLiteral("actionType");
const QString kTarget = QStringLiteral("target");
const QStringList kActionTypes = {QStringLiteral("4"), QStringLiteral("5")};

QByteArray decodedTarget(const QString& target)
{
    // A scanner may hand "+" over as a space.
    QString text = target;
    const auto decoded = QByteArray::fromBase64Encoding(text.replace(QLatin1Char(' '), QLatin1Char('+')).toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    return decoded ? *decoded : QByteArray();
}
}

QString NxPlatformEndpoints::confirmPath()
{
    return QStringLiteral("/v1/web/redirect/confirm");
}

NxPlatformEndpoints::NxPlatformEndpoints(NxCloudSignInBook& book, std::function<QString()> baseUrl)
    : NxCloudLinkingEndpoints(std::move(baseUrl))
    , m_book(book)
{
}

void NxPlatformEndpoints::addRoutes(NxCloudRouter& router)
{
    router.add(QStringLiteral("GET"), QStringLiteral("/v1/web/redirect"),
               [this](const NxCloudRequest& r) { return invitationPage(r); });
    router.add(QStringLiteral("POST"), confirmPath(),
               [this](const NxCloudRequest& r) { return confirmPage(r); });
    router.add(QStringLiteral("GET"), QStringLiteral("/v1/web/redirect/pcenter"),
               [this](const NxCloudRequest& r) { return poll(r); });
}

NxCloudReply NxPlatformEndpoints::invitationPage(const NxCloudRequest& request) const
{
    const QMap<QString, QString> query = request.queryFields();
    const QString problem = invitationProblem(query);
    if (!problem.isEmpty())
        return NxCloudReply::html(NxSignInPage::error(problem), 400);
    const QString code = query.value(kCode);
    const NxCloudSignInBook::User user = m_book.user();
    if (m_book.isConfirmed(code))
        return NxCloudReply::html(NxSignInPage::confirmed(user.name));
    const NxSignInPage::Invitation invitation{
        code, confirmPath(), user.name,
        linksFor(request).pictureUrl(user.avatar),
        appNameOf(query.value(kTarget)), timeOf(code)};
    return NxCloudReply::html(NxSignInPage::invitation(invitation));
}

NxCloudReply NxPlatformEndpoints::confirmPage(const NxCloudRequest& request) const
{
    // Browsers percent-encode form values; a valid code needs no decoding.
    const QString code = QUrl::fromPercentEncoding(request.formFields().value(kCode).toUtf8());
    if (!m_book.confirm(code))
        return NxCloudReply::html(NxSignInPage::error(QStringLiteral("unknown or malformed code")), 400);
    return NxCloudReply::html(NxSignInPage::confirmed(m_book.user().name));
}

NxCloudReply NxPlatformEndpoints::poll(const NxCloudRequest& request) const
{
    const QMap<QString, QString> query = request.queryFields();
    if (!NxCloudSignature::isPollSigned(query))
        return NxCloudReply::failure(QStringLiteral("signature check failed"));
    const QString code = query.value(QStringLiteral("enstr"));
    if (!NxCloudSignInBook::isCode(code))
        return NxCloudReply::failure(QStringLiteral("malformed code"));
    const NxCloudSignInBook::Grant grant = m_book.poll(code);
    if (grant.isEmpty()) {
        if (m_book.pollCount(code) == 1)
            announce(request, code, query.value(QStringLiteral("appname")));
        return NxCloudReply::success(QJsonObject());
    }
    return NxCloudReply::success(QJsonObject{{QStringLiteral("uid"), grant.uid},
                                             {m_book.options().tokenKey, grant.token}});
}

QString NxPlatformEndpoints::invitationProblem(const QMap<QString, QString>& query)
{
    if (!NxCloudSignInBook::isCode(query.value(kCode)))
        return QStringLiteral("missing or malformed code");
    if (!kActionTypes.contains(query.value(kActionType)))
        return QStringLiteral("unknown actionType");
    const QUrl target(QString::fromUtf8(decodedTarget(query.value(kTarget))));
    if (!target.isValid() || !target.scheme().startsWith(QLatin1String("http")))
        return QStringLiteral("missing or malformed target");
    return QString();
}

QString NxPlatformEndpoints::appNameOf(const QString& target)
{
    const QUrl url(QString::fromUtf8(decodedTarget(target)));
    return QUrlQuery(url).queryItemValue(QStringLiteral("appname"), QUrl::FullyDecoded);
}

QString NxPlatformEndpoints::timeOf(const QString& code)
{
    const qint64 seconds = code.section(QLatin1Char('-'), -1).toLongLong();
    return QDateTime::fromSecsSinceEpoch(seconds).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// Without a phone at hand, a person opens this address in a browser instead
// of scanning the panel's QR code.
void NxPlatformEndpoints::announce(const NxCloudRequest& request, const QString& code, const QString& appName)
{
    const QString origin = request.origin(QStringLiteral("http://127.0.0.1"));
    const QString target = origin + QStringLiteral("/weixin/wechat/login?wxcode=teacher&appname=") + appName;
    qInfo().noquote() << "Sign-in waiting for confirmation:" << origin + QStringLiteral("/v1/web/redirect?code=") + code
            + QStringLiteral("&actionType=5&target=") + QString::fromLatin1(target.toUtf8().toBase64());
}

#include "NxQuickSignInEndpoints.h"

#include "NxCloudRouter.h"
#include "NxCloudSignInBook.h"
#include "NxCloudSignature.h"

QString NxQuickSignInEndpoints::missingAvatar()
{
    return QStringLiteral("pictures/missing-avatar.png");
}

NxQuickSignInEndpoints::NxQuickSignInEndpoints(NxCloudSignInBook& book, std::function<QString()> baseUrl)
    : NxCloudLinkingEndpoints(std::move(baseUrl))
    , m_book(book)
{
}

void NxQuickSignInEndpoints::addRoutes(NxCloudRouter& router)
{
    router.add(QStringLiteral("POST"), QStringLiteral("/api/userstep/loginbytoken"),
               [this](const NxCloudRequest& r) { return signIn(r); });
}

NxCloudReply NxQuickSignInEndpoints::signIn(const NxCloudRequest& request) const
{
    const QMap<QString, QString> fields = request.formFields();
    if (!NxCloudSignature::isRestSigned(fields) && !NxCloudSignature::isAuthcodeSigned(fields))
        return NxCloudReply::failure(QStringLiteral("signature check failed"));
    const QString uid = fields.value(QStringLiteral("uid"));
    const QString accessToken = m_book.accessToken(uid, fields.value(QStringLiteral("token")));
    if (accessToken.isEmpty())
        return NxCloudReply::failure(QStringLiteral("unknown user or token"));
    const bool emptyToken = m_book.options().emptyAccessToken;
    return NxCloudReply::success(QJsonObject{{QStringLiteral("uid"), uid},
                                             {QStringLiteral("h4token"), emptyToken ? QString() : accessToken},
                                             {QStringLiteral("avatar"), avatarUrl(request, uid)}});
}

QString NxQuickSignInEndpoints::avatarUrl(const NxCloudRequest& request, const QString& uid) const
{
    const QString reference = m_book.options().brokenAvatar ? missingAvatar() : m_book.teacher(uid).avatar;
    return linksFor(request).pictureUrl(reference);
}

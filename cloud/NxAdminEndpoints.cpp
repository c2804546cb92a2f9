#include "NxAdminEndpoints.h"

#include "NxAdminReply.h"
#include "NxCloudRouter.h"

NxAdminEndpoints::NxAdminEndpoints(const NxAdminAccess& access, std::function<QString()> baseUrl)
    : NxCloudLinkingEndpoints(std::move(baseUrl))
    , m_access(access)
{
}

void NxAdminEndpoints::route(NxCloudRouter& router, const QString& method, const QString& path,
                             NxAdminAccess::Handler handler) const
{
    router.add(method, path, m_access.guard(std::move(handler)));
}

bool NxAdminEndpoints::jsonBody(const NxCloudRequest& request, QJsonObject* body, NxCloudReply* refusal)
{
    if (!bodyWithin(request, kMostJsonBytes, refusal))
        return false;
    bool ok = false;
    *body = request.jsonObject(&ok);
    if (!ok)
        *refusal = NxAdminReply::badRequest(QStringLiteral("the body must be a JSON object"));
    return ok;
}

bool NxAdminEndpoints::bodyWithin(const NxCloudRequest& request, int mostBytes, NxCloudReply* refusal)
{
    if (request.body.size() <= mostBytes)
        return true;
    *refusal = NxAdminReply::error(413, QStringLiteral("the body may have at most %1 bytes").arg(mostBytes));
    return false;
}

bool NxAdminEndpoints::paging(const NxCloudRequest& request, NxAdminPaging* paging, NxCloudReply* refusal)
{
    QString error;
    if (NxAdminPaging::fromRequest(request, paging, &error))
        return true;
    *refusal = NxAdminReply::badRequest(error);
    return false;
}

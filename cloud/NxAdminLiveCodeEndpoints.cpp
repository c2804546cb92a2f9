#include "NxAdminLiveCodeEndpoints.h"

#include "NxCloudRouter.h"

namespace {
const QString kCodes = QStringLiteral("/admin/api/live-codes");
const QString kCode = QStringLiteral("/admin/api/live-codes/{code}");
}

NxAdminLiveCodeEndpoints::NxAdminLiveCodeEndpoints(QSharedPointer<NxCloudStore> store, const NxAdminAccess& access,
                                                   std::function<QString()> baseUrl)
    : NxAdminEndpoints(access, std::move(baseUrl))
    , m_codes(std::move(store))
{
}

void NxAdminLiveCodeEndpoints::addRoutes(NxCloudRouter& router)
{
    route(router, QStringLiteral("GET"), kCodes, [this](const NxCloudRequest& r, const NxAdminActor&) { return list(r); });
    route(router, QStringLiteral("POST"), kCodes,
          [this](const NxCloudRequest& r, const NxAdminActor& a) { return create(r, a); });
    route(router, QStringLiteral("GET"), kCode,
          [this](const NxCloudRequest& r, const NxAdminActor&) { return m_codes.get(code(r)).reply(); });
    route(router, QStringLiteral("PATCH"), kCode,
          [this](const NxCloudRequest& r, const NxAdminActor& a) { return patch(r, a); });
    route(router, QStringLiteral("DELETE"), kCode,
          [this](const NxCloudRequest& r, const NxAdminActor& a) { return m_codes.remove(code(r), a.name).reply(); });
}

NxCloudReply NxAdminLiveCodeEndpoints::list(const NxCloudRequest& request) const
{
    NxAdminPaging page;
    NxCloudReply refusal;
    return paging(request, &page, &refusal) ? m_codes.list(page.offset, page.limit).reply() : refusal;
}

NxCloudReply NxAdminLiveCodeEndpoints::create(const NxCloudRequest& request, const NxAdminActor& actor) const
{
    QJsonObject body;
    NxCloudReply refusal;
    return jsonBody(request, &body, &refusal) ? m_codes.create(body, actor.name).reply() : refusal;
}

NxCloudReply NxAdminLiveCodeEndpoints::patch(const NxCloudRequest& request, const NxAdminActor& actor) const
{
    QJsonObject body;
    NxCloudReply refusal;
    return jsonBody(request, &body, &refusal) ? m_codes.patch(code(request), body, actor.name).reply() : refusal;
}

QString NxAdminLiveCodeEndpoints::code(const NxCloudRequest& request)
{
    return request.pathValues.value(QStringLiteral("code"));
}

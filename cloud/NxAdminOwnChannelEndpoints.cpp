#include "NxAdminOwnChannelEndpoints.h"

#include "NxCloudRouter.h"

NxAdminOwnChannelEndpoints::NxAdminOwnChannelEndpoints(QSharedPointer<NxCloudStore> store, const NxAdminAccess& access,
                                                       std::function<QString()> baseUrl)
    : NxAdminEndpoints(access, std::move(baseUrl))
    , m_channels(std::move(store))
{
}

void NxAdminOwnChannelEndpoints::addRoutes(NxCloudRouter& router)
{
    const QString channels = QStringLiteral("/admin/api/teachers/{id}/channels");
    route(router, QStringLiteral("GET"), channels, [this](const NxCloudRequest& r, const NxAdminActor&) {
        return m_channels.list(r.pathValues.value(QStringLiteral("id")), linksFor(r)).reply();
    });
    route(router, QStringLiteral("DELETE"), channels + QStringLiteral("/{channelId}"),
          [this](const NxCloudRequest& r, const NxAdminActor& a) {
              return m_channels.remove(r.pathValues.value(QStringLiteral("id")),
                                       r.pathValues.value(QStringLiteral("channelId")), a.name).reply();
          });
}

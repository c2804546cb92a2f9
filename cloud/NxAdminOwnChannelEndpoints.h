#pragma once

#include "NxAdminEndpoints.h"
#include "NxAdminOwnChannels.h"

// /admin/api/teachers/{id}/channels: read, and delete one.
class NxAdminOwnChannelEndpoints : public NxAdminEndpoints
{
public:
    NxAdminOwnChannelEndpoints(QSharedPointer<NxCloudStore> store, const NxAdminAccess& access,
                               std::function<QString()> baseUrl);
    void addRoutes(NxCloudRouter& router) override;

private:
    NxAdminOwnChannels m_channels;
};

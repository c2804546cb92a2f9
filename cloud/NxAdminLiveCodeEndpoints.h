#pragma once

#include "NxAdminEndpoints.h"
#include "NxAdminLiveCodes.h"

// /admin/api/live-codes.
class NxAdminLiveCodeEndpoints : public NxAdminEndpoints
{
public:
    NxAdminLiveCodeEndpoints(QSharedPointer<NxCloudStore> store, const NxAdminAccess& access,
                             std::function<QString()> baseUrl);
    void addRoutes(NxCloudRouter& router) override;

private:
    NxCloudReply list(const NxCloudRequest& request) const;
    NxCloudReply create(const NxCloudRequest& request, const NxAdminActor& actor) const;
    NxCloudReply patch(const NxCloudRequest& request, const NxAdminActor& actor) const;
    static QString code(const NxCloudRequest& request);

    NxAdminLiveCodes m_codes;
};

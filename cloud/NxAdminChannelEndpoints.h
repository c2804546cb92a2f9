#pragma once

#include "NxAdminChannels.h"
#include "NxAdminEndpoints.h"

// /admin/api/categories, /admin/api/channels (with their pictures) and
// /admin/api/stations/import.
class NxAdminChannelEndpoints : public NxAdminEndpoints
{
public:
    static constexpr int kMostPlaylistBytes = 16 * 1024 * 1024;

    NxAdminChannelEndpoints(QSharedPointer<NxCloudStore> store, const NxAdminAccess& access,
                            std::function<QString()> baseUrl);
    void addRoutes(NxCloudRouter& router) override;

private:
    NxCloudReply patchCategory(const NxCloudRequest& request, const NxAdminActor& actor) const;
    NxCloudReply list(const NxCloudRequest& request) const;
    NxCloudReply create(const NxCloudRequest& request, const NxAdminActor& actor) const;
    NxCloudReply get(const NxCloudRequest& request) const;
    NxCloudReply patch(const NxCloudRequest& request, const NxAdminActor& actor) const;
    NxCloudReply remove(const NxCloudRequest& request, const NxAdminActor& actor) const;
    NxCloudReply putPicture(const NxCloudRequest& request, const NxAdminActor& actor) const;
    NxCloudReply importStations(const NxCloudRequest& request, const NxAdminActor& actor) const;
    // The channel id of the path; false with a 404 when it is no number.
    static bool channelId(const NxCloudRequest& request, qint64* id, NxCloudReply* refusal);

    NxAdminChannels m_channels;
};

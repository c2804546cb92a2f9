#pragma once

#include "NxCloudLinkingEndpoints.h"
#include "NxCloudReply.h"
#include "NxCloudRequest.h"

class NxCloudCatalogue;

// The three catalogue requests: one category tree, a user's own channels and
// the channels offered for adding. All are POST with a JSON body.
class NxCatalogueEndpoints : public NxCloudLinkingEndpoints
{
public:
    NxCatalogueEndpoints(NxCloudCatalogue& catalogue, std::function<QString()> baseUrl);

    void addRoutes(NxCloudRouter& router) override;

private:
    NxCloudReply channelInfo(const NxCloudRequest& request) const;
    NxCloudReply userChannels(const NxCloudRequest& request) const;
    NxCloudReply channelsToAdd(const NxCloudRequest& request) const;

    NxCloudCatalogue& m_catalogue;
};

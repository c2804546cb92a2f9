#pragma once

#include "NxCloudEndpointGroup.h"
#include "NxCloudLinkResolver.h"
#include "NxCloudReply.h"
#include "NxCloudRequest.h"

#include <QString>
#include <functional>

class NxCloudCatalogue;

// The three catalogue requests: one category tree, a user's own channels and
// the channels offered for adding. All are POST with a JSON body.
class NxCatalogueEndpoints : public NxCloudEndpointGroup
{
public:
    // baseUrl gives the server's address for clients that send no Host header.
    NxCatalogueEndpoints(NxCloudCatalogue& catalogue, std::function<QString()> baseUrl);

    void addRoutes(NxCloudRouter& router) override;

private:
    NxCloudReply channelInfo(const NxCloudRequest& request) const;
    NxCloudReply userChannels(const NxCloudRequest& request) const;
    NxCloudReply channelsToAdd(const NxCloudRequest& request) const;
    NxCloudLinkResolver linksFor(const NxCloudRequest& request) const;

    NxCloudCatalogue& m_catalogue;
    std::function<QString()> m_baseUrl;
};

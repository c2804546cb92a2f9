#pragma once

#include "NxCloudEndpointGroup.h"
#include "NxCloudLinkResolver.h"

#include <QString>
#include <functional>

struct NxCloudRequest;

// Endpoints whose answers link back to this server (pictures, clips,
// avatars): links follow the way the client reached the server.
class NxCloudLinkingEndpoints : public NxCloudEndpointGroup
{
protected:
    // baseUrl gives the server's address for clients that send no Host header.
    explicit NxCloudLinkingEndpoints(std::function<QString()> baseUrl);

    NxCloudLinkResolver linksFor(const NxCloudRequest& request) const;
    // The base links get for this request.
    QString originOf(const NxCloudRequest& request) const;

private:
    std::function<QString()> m_baseUrl;
};

#include "NxCloudLinkingEndpoints.h"

NxCloudLinkingEndpoints::NxCloudLinkingEndpoints(std::function<QString()> baseUrl)
    : m_baseUrl(std::move(baseUrl))
{
}

NxCloudLinkResolver NxCloudLinkingEndpoints::linksFor(const NxCloudRequest& request) const
{
    return NxCloudLinkResolver::forRequest(request, m_baseUrl());
}

#include "NxCloudLinkingEndpoints.h"

#include "NxCloudRequest.h"

NxCloudLinkingEndpoints::NxCloudLinkingEndpoints(std::function<QString()> baseUrl)
    : m_baseUrl(std::move(baseUrl))
{
}

NxCloudLinkResolver NxCloudLinkingEndpoints::linksFor(const NxCloudRequest& request) const
{
    return NxCloudLinkResolver::forRequest(request, m_baseUrl());
}

QString NxCloudLinkingEndpoints::originOf(const NxCloudRequest& request) const
{
    return request.origin(m_baseUrl());
}

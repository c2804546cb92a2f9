#pragma once

#include "NxCloudLinkingEndpoints.h"
#include "NxCloudReply.h"
#include "NxCloudRequest.h"

class NxCloudCatalogue;

// The live-stream service: maps a live code typed on the panel to the URL
// of the stream to play.
class NxLiveCodeEndpoints : public NxCloudLinkingEndpoints
{
public:
    NxLiveCodeEndpoints(NxCloudCatalogue& catalogue, std::function<QString()> baseUrl);

    void addRoutes(NxCloudRouter& router) override;

private:
    NxCloudReply liveInfo(const NxCloudRequest& request) const;
    static NxCloudReply answer(int code, const QString& msg, const QJsonObject& result);

    NxCloudCatalogue& m_catalogue;
};

#pragma once

#include "NxCloudEndpointGroup.h"
#include "NxCloudReply.h"
#include "NxCloudRequest.h"

// Draws the pictures of a generated catalogue on request:
// GET /generated/<kind><index>_<type>.png.
class NxGeneratedPictureEndpoints : public NxCloudEndpointGroup
{
public:
    void addRoutes(NxCloudRouter& router) override;

private:
    static NxCloudReply serve(const NxCloudRequest& request);
};

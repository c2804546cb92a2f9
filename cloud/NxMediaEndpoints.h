#pragma once

#include "NxCloudFileEndpoints.h"

#include <QString>

// Serves video clips and HLS playlists with their segments as
// GET /media/<file>, with byte ranges so that players can seek.
class NxMediaEndpoints : public NxCloudFileEndpoints
{
public:
    static QString prefix();

    NxMediaEndpoints();

protected:
    NxCloudReply found(const NxCloudRequest& request, const QByteArray& data,
                       const QByteArray& contentType) const override;
};

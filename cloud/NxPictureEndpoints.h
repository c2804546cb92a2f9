#pragma once

#include "NxCloudFileEndpoints.h"

#include <QString>

// Serves channel pictures (and the avatar) as GET /pictures/<file>.
class NxPictureEndpoints : public NxCloudFileEndpoints
{
public:
    static QString prefix();

    NxPictureEndpoints();
};

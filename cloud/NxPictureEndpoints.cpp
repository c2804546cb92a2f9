#include "NxPictureEndpoints.h"

QString NxPictureEndpoints::prefix()
{
    return QStringLiteral("/pictures/");
}

NxPictureEndpoints::NxPictureEndpoints()
    : NxCloudFileEndpoints(prefix())
{
}

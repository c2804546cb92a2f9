#include "NxArtworkResources.h"

QStringList NxArtworkResources::roots()
{
    return {QStringLiteral(":/images"), QStringLiteral(":/rc/icon"), QStringLiteral(":/icon")};
}

#include "NxCloudFault.h"

bool NxCloudFault::isUsedUp() const
{
    return times == 0;
}

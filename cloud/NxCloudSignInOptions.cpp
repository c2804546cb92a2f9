#include "NxCloudSignInOptions.h"

QString NxCloudSignInOptions::tokenKeyDefault()
{
    return QStringLiteral("token");
}

QString NxCloudSignInOptions::tokenKeyAlternative()
{
    return QStringLiteral("usertoken");
}

bool NxCloudSignInOptions::autoConfirms(int pollsSoFar) const
{
    return autoConfirmAfterPolls >= 0 && pollsSoFar >= autoConfirmAfterPolls;
}

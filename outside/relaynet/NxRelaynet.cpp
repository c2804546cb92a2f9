#include "NxRelaynet.h"

INxNetWorkManager* NxRelaynet::getInst(QObject*)
{
    return nullptr; // filled in by the network manager
}

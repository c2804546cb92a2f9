#pragma once

#include "RelaynetGlobal.h"

class INxNetWorkManager;
class QObject;

class RELAYNET_EXPORT NxRelaynet
{
public:
    // The process-wide manager, created on the first call with that parent;
    // never null, never deleted by callers.
    static INxNetWorkManager* getInst(QObject* parent);
};

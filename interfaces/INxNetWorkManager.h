#pragma once

class INxNetWorkChecker;
class INxUserActionManager;

// The process-wide network manager of Relaynet.
class INxNetWorkManager
{
public:
    virtual ~INxNetWorkManager() = default;

    virtual INxNetWorkChecker* getNetChecker() = 0;
    // May be null: callers skip their reports then.
    virtual INxUserActionManager* getUserActionManager() = 0;
};

#pragma once

#include "TavoPublicDataGlobal.h"

// Process-wide flag: is the cloud service usable. GUI thread only.
class TAVOPUBLICDATA_EXPORT NxConfig
{
public:
    static NxConfig* getInstance();

    bool getNetworkStatus();
    void setNetworkStatus(bool online);

private:
    NxConfig() = default;

    bool m_networkStatus = false;
};

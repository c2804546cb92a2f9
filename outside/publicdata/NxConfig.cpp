#include "NxConfig.h"

NxConfig* NxConfig::getInstance()
{
    // Offline until the first network check says otherwise.
    static NxConfig* instance = new NxConfig;
    return instance;
}

bool NxConfig::getNetworkStatus()
{
    return m_networkStatus;
}

void NxConfig::setNetworkStatus(bool online)
{
    m_networkStatus = online;
}

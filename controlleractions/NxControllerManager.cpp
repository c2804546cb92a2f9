#include "NxControllerManager.h"

NxControllerManager::NxControllerManager(QObject* parent)
    : QObject(parent)
{
}

void NxControllerManager::setLoadWebPageCtrl(INxLoadWebPageController* value)
{
    m_loadWebPage = value;
}

INxLoadWebPageController* NxControllerManager::getLoadWebPageCtrl()
{
    return m_loadWebPage;
}

void NxControllerManager::setLoginToWebCtrl(INxLoginToWebController* value)
{
    m_loginToWeb = value;
}

INxLoginToWebController* NxControllerManager::getLoginToWebCtrl()
{
    return m_loginToWeb;
}

void NxControllerManager::setLiveCodeCtrl(INxLiveCodeController* value)
{
    m_liveCode = value;
}

INxLiveCodeController* NxControllerManager::getLiveCodeCtrl()
{
    return m_liveCode;
}

void NxControllerManager::setAddChannelCtrl(INxAddChannelController* value)
{
    m_addChannel = value;
}

INxAddChannelController* NxControllerManager::getAddChannelCtrl()
{
    return m_addChannel;
}

void NxControllerManager::setWebCommandCtrl(INxWebCommandController* value)
{
    m_webCommand = value;
}

INxWebCommandController* NxControllerManager::getWebCommandCtrl()
{
    return m_webCommand;
}

void NxControllerManager::setLivePlayerCtrl(INxLivePlayerController* value)
{
    m_livePlayer = value;
}

INxLivePlayerController* NxControllerManager::getLivePlayerCtrl()
{
    return m_livePlayer;
}

void NxControllerManager::setUserActionManager(INxUserActionManager* value)
{
    m_userActions = value;
}

INxUserActionManager* NxControllerManager::getUserActionManager()
{
    return m_userActions;
}

void NxControllerManager::setActiveWinController(INxActiveWinController* value)
{
    m_activeWin = value;
}

INxActiveWinController* NxControllerManager::getActiveWinController()
{
    return m_activeWin;
}

#pragma once

#include "INxControllerManager.h"

#include <QObject>

// Keeps one pointer to each controller for the main scenario; owns none.
class NxControllerManager : public QObject, public INxControllerManager
{
    Q_OBJECT

public:
    explicit NxControllerManager(QObject* parent = nullptr);

    void setLoadWebPageCtrl(INxLoadWebPageController* ctrl) override { m_loadWebPage = ctrl; }
    INxLoadWebPageController* getLoadWebPageCtrl() override { return m_loadWebPage; }
    void setLoginToWebCtrl(INxLoginToWebController* ctrl) override { m_loginToWeb = ctrl; }
    INxLoginToWebController* getLoginToWebCtrl() override { return m_loginToWeb; }
    void setLiveCodeCtrl(INxLiveCodeController* ctrl) override { m_liveCode = ctrl; }
    INxLiveCodeController* getLiveCodeCtrl() override { return m_liveCode; }
    void setAddChannelCtrl(INxAddChannelController* ctrl) override { m_addChannel = ctrl; }
    INxAddChannelController* getAddChannelCtrl() override { return m_addChannel; }
    INxWebCommandController* getWebCommandCtrl() override { return m_webCommand; }
    void setWebCommandCtrl(INxWebCommandController* ctrl) override { m_webCommand = ctrl; }
    INxLivePlayerController* getLivePlayerCtrl() override { return m_livePlayer; }
    void setLivePlayerCtrl(INxLivePlayerController* ctrl) override { m_livePlayer = ctrl; }
    INxUserActionManager* getUserActionManager() override { return m_userActions; }
    void setUserActionManager(INxUserActionManager* manager) override { m_userActions = manager; }
    INxActiveWinController* getActiveWinController() override { return m_activeWin; }
    void setActiveWinController(INxActiveWinController* ctrl) override { m_activeWin = ctrl; }

private:
    INxLoadWebPageController* m_loadWebPage = nullptr;
    INxLoginToWebController* m_loginToWeb = nullptr;
    INxLiveCodeController* m_liveCode = nullptr;
    INxAddChannelController* m_addChannel = nullptr;
    INxWebCommandController* m_webCommand = nullptr;
    INxLivePlayerController* m_livePlayer = nullptr;
    INxUserActionManager* m_userActions = nullptr;
    INxActiveWinController* m_activeWin = nullptr;
};

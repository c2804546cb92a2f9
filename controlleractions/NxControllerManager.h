#pragma once

#include "INxControllerManager.h"

#include <QObject>

// Keeps one pointer to each controller for the main scenario; owns none.
class NxControllerManager : public QObject, public INxControllerManager
{
    Q_OBJECT

public:
    explicit NxControllerManager(QObject* parent = nullptr);

    void setLoadWebPageCtrl(INxLoadWebPageController* ctrl) override;
    INxLoadWebPageController* getLoadWebPageCtrl() override;
    void setLoginToWebCtrl(INxLoginToWebController* ctrl) override;
    INxLoginToWebController* getLoginToWebCtrl() override;
    void setLiveCodeCtrl(INxLiveCodeController* ctrl) override;
    INxLiveCodeController* getLiveCodeCtrl() override;
    void setAddChannelCtrl(INxAddChannelController* ctrl) override;
    INxAddChannelController* getAddChannelCtrl() override;
    INxWebCommandController* getWebCommandCtrl() override;
    void setWebCommandCtrl(INxWebCommandController* ctrl) override;
    INxLivePlayerController* getLivePlayerCtrl() override;
    void setLivePlayerCtrl(INxLivePlayerController* ctrl) override;
    INxUserActionManager* getUserActionManager() override;
    void setUserActionManager(INxUserActionManager* manager) override;
    INxActiveWinController* getActiveWinController() override;
    void setActiveWinController(INxActiveWinController* ctrl) override;

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

#pragma once

class INxActiveWinController;
class INxAddChannelController;
class INxLiveCodeController;
class INxLivePlayerController;
class INxLoadWebPageController;
class INxLoginToWebController;
class INxUserActionManager;
class INxWebCommandController;

// Holds one pointer to each controller; owns none of them.
class INxControllerManager
{
public:
    virtual void setLoadWebPageCtrl(INxLoadWebPageController* ctrl) = 0;
    virtual INxLoadWebPageController* getLoadWebPageCtrl() = 0;
    virtual void setLoginToWebCtrl(INxLoginToWebController* ctrl) = 0;
    virtual INxLoginToWebController* getLoginToWebCtrl() = 0;
    virtual void setLiveCodeCtrl(INxLiveCodeController* ctrl) = 0;
    virtual INxLiveCodeController* getLiveCodeCtrl() = 0;
    virtual void setAddChannelCtrl(INxAddChannelController* ctrl) = 0;
    virtual INxAddChannelController* getAddChannelCtrl() = 0;
    virtual INxWebCommandController* getWebCommandCtrl() = 0;
    virtual void setWebCommandCtrl(INxWebCommandController* ctrl) = 0;
    virtual INxLivePlayerController* getLivePlayerCtrl() = 0;
    virtual void setLivePlayerCtrl(INxLivePlayerController* ctrl) = 0;
    virtual INxUserActionManager* getUserActionManager() = 0;
    virtual void setUserActionManager(INxUserActionManager* manager) = 0;
    virtual INxActiveWinController* getActiveWinController() = 0;
    virtual void setActiveWinController(INxActiveWinController* ctrl) = 0;

protected:
    ~INxControllerManager() = default;
};

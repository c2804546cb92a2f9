#pragma once

#include "TavomcPresenterControllerActionsGlobal.h"

#include <QObject>

class INxActiveWinController;
class INxAddChannelController;
class INxControllerManager;
class INxLiveCodeController;
class INxLivePlayerController;
class INxLoadWebPageController;
class INxLoginToWebController;
class INxWebCommandController;

// Hands out the process-wide controllers, each created on first request.
class TAVOMCPRESENTERCONTROLLERACTIONS_EXPORT NxControlActionsFactory : public QObject
{
    Q_OBJECT

public:
    NxControlActionsFactory();
    ~NxControlActionsFactory() override;

    static INxControllerManager* getControllerManager(QObject* parent);
    // Calls init() on every request; init() tolerates repeats.
    static INxWebCommandController* getWebCommandCtrl(QObject* parent);
    static INxLoginToWebController* getLoginToWebCtrl(QObject* parent);
    static INxLoadWebPageController* getLoadWebPageCtrl(QObject* parent);
    static INxLiveCodeController* getLiveCodeCtrl(QObject* parent);
    static INxAddChannelController* getAddChannelCtrl(QObject* parent);
    static INxLivePlayerController* getLivePlayerCtrl(QObject* parent);
    static INxActiveWinController* getActiveWinController(QObject* parent);
};

#include "NxControlActionsFactory.h"

#include "NxActiveWinController.h"
#include "NxAddChannelController.h"
#include "NxControllerManager.h"
#include "NxLiveCodeController.h"
#include "NxLivePlayerController.h"
#include "NxLoadWebPageController.h"
#include "NxLoginToWebController.h"
#include "NxWebCmdCtrl.h"

#include <QCoreApplication>

// Function-local statics: created once, thread-safely, on the first call;
// later arguments are ignored.

NxControlActionsFactory::NxControlActionsFactory() = default;

NxControlActionsFactory::~NxControlActionsFactory() = default;

INxControllerManager* NxControlActionsFactory::getControllerManager(QObject* parent)
{
    static NxControllerManager* instance = new NxControllerManager(parent);
    return instance;
}

INxWebCommandController* NxControlActionsFactory::getWebCommandCtrl(QObject*)
{
    static NxWebCmdCtrl* instance = new NxWebCmdCtrl(nullptr);
    instance->init();
    return instance;
}

INxLoginToWebController* NxControlActionsFactory::getLoginToWebCtrl(QObject*)
{
    static NxLoginToWebController* instance = new NxLoginToWebController(nullptr);
    return instance;
}

INxLoadWebPageController* NxControlActionsFactory::getLoadWebPageCtrl(QObject*)
{
    static NxLoadWebPageController* instance = new NxLoadWebPageController(nullptr);
    return instance;
}

INxLiveCodeController* NxControlActionsFactory::getLiveCodeCtrl(QObject*)
{
    static NxLiveCodeController* instance = new NxLiveCodeController(nullptr);
    return instance;
}

INxAddChannelController* NxControlActionsFactory::getAddChannelCtrl(QObject*)
{
    static NxAddChannelController* instance = new NxAddChannelController(nullptr);
    return instance;
}

INxLivePlayerController* NxControlActionsFactory::getLivePlayerCtrl(QObject* parent)
{
    const double scale = QCoreApplication::instance()->property("scalefactor").toDouble();
    static NxLivePlayerController* instance = new NxLivePlayerController(parent, scale);
    return instance;
}

INxActiveWinController* NxControlActionsFactory::getActiveWinController(QObject* parent)
{
    static NxActiveWinController* instance = new NxActiveWinController(parent);
    return instance;
}

#include "NxScenarioManager.h"

#include "INxActiveWinController.h"
#include "INxAddChannelController.h"
#include "INxControllerManager.h"
#include "INxLiveCodeController.h"
#include "INxLivePlayerController.h"
#include "INxLoadWebPageController.h"
#include "INxLoginToWebController.h"
#include "INxNativeEventFilter.h"
#include "INxNetWorkManager.h"
#include "INxUserActionManager.h"
#include "INxWebCommandController.h"
#include "NxControlActionsFactory.h"
#include "TavomcPresenterScenarioMain.h"

#include <QCoreApplication>
#include <QDebug>
#include <QStringList>

NxScenarioManager::NxScenarioManager(INxNetWorkManager* networkManager, QObject* parent, QObject* nativeEventFilter)
    : QObject(parent)
    , m_networkManager(networkManager)
    , m_nativeEventFilter(nativeEventFilter)
{
    initControlManager();
}

QObject* NxScenarioManager::getObject()
{
    return this;
}

int NxScenarioManager::currentScenario() const
{
    return m_currentScenario;
}

TavomcPresenterScenarioMain* NxScenarioManager::mainScenario() const
{
    return m_mainScenario;
}

INxControllerManager* NxScenarioManager::controllerManager() const
{
    return m_controllerManager;
}

void NxScenarioManager::initControlManager()
{
    m_controllerManager = NxControlActionsFactory::getControllerManager(this);
    INxLiveCodeController* liveCode = NxControlActionsFactory::getLiveCodeCtrl(this);
    INxLoadWebPageController* loadWebPage = NxControlActionsFactory::getLoadWebPageCtrl(this);
    INxLoginToWebController* loginToWeb = NxControlActionsFactory::getLoginToWebCtrl(this);
    INxAddChannelController* addChannel = NxControlActionsFactory::getAddChannelCtrl(this);
    INxWebCommandController* webCommand = NxControlActionsFactory::getWebCommandCtrl(this);
    INxLivePlayerController* livePlayer = NxControlActionsFactory::getLivePlayerCtrl(this);
    INxActiveWinController* activeWin = NxControlActionsFactory::getActiveWinController(this);

    INxUserActionManager* userActions = m_networkManager ? m_networkManager->getUserActionManager() : nullptr;
    const QCoreApplication* app = QCoreApplication::instance();
    if (userActions) {
        userActions->setAppInfo(app->property("appkey").toString(), app->property("appname").toString(),
                                app->property("version").toString());
        userActions->setUploadSize(app->property("uploadSize").toInt());
    } else {
        qDebug() << "NxScenarioManager::initControlManager" << "pUserActionManager null";
    }

    addChannel->setWebCommandCtrl(webCommand);
    loginToWeb->setWebCommandCtrl(webCommand);
    liveCode->setWebCommandCtrl(webCommand);
    liveCode->setLivePlayerCtrl(livePlayer);
    void* filter = m_nativeEventFilter ? m_nativeEventFilter->qt_metacast("INxNativeEventFilter") : nullptr;
    activeWin->setNativeEventFilter(static_cast<INxNativeEventFilter*>(filter));

    if (m_nativeEventFilter)
        connect(m_nativeEventFilter, SIGNAL(sigIsBottomBarShow(QPoint)), loadWebPage->getObject(), SIGNAL(sigIsBottomBarShow(QPoint)));
    connect(loadWebPage->getObject(), SIGNAL(sigBrowserStarted(QString)), activeWin->getObject(), SLOT(slotBrowserStarted(QString)));

    m_controllerManager->setLoadWebPageCtrl(loadWebPage);
    m_controllerManager->setLoginToWebCtrl(loginToWeb);
    m_controllerManager->setAddChannelCtrl(addChannel);
    m_controllerManager->setWebCommandCtrl(webCommand);
    m_controllerManager->setLiveCodeCtrl(liveCode);
    m_controllerManager->setLivePlayerCtrl(livePlayer);
    m_controllerManager->setUserActionManager(userActions);
    m_controllerManager->setActiveWinController(activeWin);
}

int NxScenarioManager::scenarioIdOf(const QString& scenario)
{
    static const QStringList scenarios = {QStringLiteral("ID_SCENARIO_MAIN"), QStringLiteral("ID_SCENARIO_HOME"),
                                          QStringLiteral("ID_SCENARIO_DETAILS"), QStringLiteral("ID_SCENARIO_HONOR"),
                                          QStringLiteral("ID_SCENARIO_POP")};
    return scenarios.indexOf(scenario) + 1;
}

void NxScenarioManager::handleEvent(QJsonObject event)
{
    processEvent(event);
}

void NxScenarioManager::dispatchEvent(QJsonObject event)
{
    processEvent(event);
}

void NxScenarioManager::notifyEvent(QJsonObject)
{
}

void NxScenarioManager::processEvent(QJsonObject event)
{
    m_currentScenario = scenarioIdOf(event.value(QStringLiteral("scenario")).toString());
    if (m_currentScenario != 1)
        return;
    if (!m_mainScenario) {
        m_mainScenario = new TavomcPresenterScenarioMain(nullptr);
        if (m_nativeEventFilter)
            connect(m_nativeEventFilter, SIGNAL(signalUDiskStateChanged(QString, bool)), m_mainScenario,
                    SIGNAL(signalUDiskStateChanged(QString, bool)));
    }
    m_mainScenario->initScenario(QJsonObject(), m_controllerManager, m_networkManager);
    m_mainScenario->showScenario(QJsonObject());
}

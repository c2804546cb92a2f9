#include "TavomcPresenterMainController.h"

#include "INxAddChannelController.h"
#include "INxControllerManager.h"
#include "INxLiveCodeController.h"
#include "INxLoadWebPageController.h"
#include "INxLoginToWebController.h"
#include "INxUserActionManager.h"

#include <QWidget>

TavomcPresenterMainController::TavomcPresenterMainController(QObject* parent)
    : QObject(parent)
{
}

void TavomcPresenterMainController::setMainWindow(QWidget* window)
{
    m_mainWindow = window;
}

void TavomcPresenterMainController::setControllerManager(INxControllerManager* manager)
{
    m_controllerManager = manager;
}

void TavomcPresenterMainController::report(const QString& actionId)
{
    if (m_controllerManager && m_controllerManager->getUserActionManager())
        m_controllerManager->getUserActionManager()->recordAction(actionId, QJsonObject());
}

void TavomcPresenterMainController::slotLoadWebPage(QString sUrl, QString cookie)
{
    if (m_controllerManager && m_controllerManager->getLoadWebPageCtrl())
        m_controllerManager->getLoadWebPageCtrl()->loadWebPage(m_mainWindow, sUrl, cookie);
}

void TavomcPresenterMainController::slotChannelList(QString)
{
}

void TavomcPresenterMainController::slotChannelDetail()
{
}

void TavomcPresenterMainController::slotLive()
{
    report(QStringLiteral("MCP_LIVE"));
    if (m_controllerManager && m_controllerManager->getLiveCodeCtrl())
        m_controllerManager->getLiveCodeCtrl()->showLiveCodeInput(m_mainWindow);
}

void TavomcPresenterMainController::slotLogin()
{
    report(QStringLiteral("MCP_LOGIN"));
    INxLoginToWebController* login = m_controllerManager ? m_controllerManager->getLoginToWebCtrl() : nullptr;
    if (!login)
        return;
    // Once per process, whichever instance asks first.
    static bool signalsPending = true;
    if (signalsPending) {
        signalsPending = false;
        connect(login->getObject(), SIGNAL(sglQRLocation(const QPixmap&)), m_mainWindow, SLOT(slotQRLocation(const QPixmap&)));
        connect(login->getObject(), SIGNAL(sglLoginSuccess(const QString&, const QString&, const QString&, const QImage&)),
                m_mainWindow, SLOT(slotLoginSuccess(const QString&, const QString&, const QString&, const QImage&)));
    }
    login->startLogging();
}

void TavomcPresenterMainController::slotLoginCodeHidden()
{
    if (INxLoginToWebController* login = m_controllerManager ? m_controllerManager->getLoginToWebCtrl() : nullptr)
        login->stopLogging();
}

void TavomcPresenterMainController::slotAddChannel(QJsonObject json)
{
    report(QStringLiteral("MCP_ADD_CHANNEL"));
    INxAddChannelController* addChannel = m_controllerManager ? m_controllerManager->getAddChannelCtrl() : nullptr;
    if (!addChannel)
        return;
    const QString saveType = json.value(QStringLiteral("saveType")).toString();
    const QString operate = json.value(QStringLiteral("operate")).toString();
    if (saveType == QLatin1String("LOCAL"))
        addChannel->saveLocalChannels(json);
    else if (saveType == QLatin1String("WEB") && operate == QLatin1String("add"))
        addChannel->addChannel(json);
    else if (saveType == QLatin1String("WEB") && operate == QLatin1String("delete"))
        addChannel->deleteChannel(json);
}

void TavomcPresenterMainController::slotUserActionMyResource()
{
    report(QStringLiteral("MCP_MYRESOURCE"));
}

void TavomcPresenterMainController::slotUserActionTVList()
{
    report(QStringLiteral("MCP_TV"));
}

void TavomcPresenterMainController::slotUserActionVelmar()
{
    report(QStringLiteral("MCP_NXTCHANNEL"));
}

void TavomcPresenterMainController::slotUserActionLocalChannel()
{
    report(QStringLiteral("MCP_LOCAL_MEDIA"));
}

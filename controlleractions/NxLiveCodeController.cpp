#include "NxLiveCodeController.h"

#include "INxLivePlayerController.h"
#include "INxWebCommandController.h"

#include <QDebug>
#include <QTimer>
#include <QWidget>

NxLiveCodeController::NxLiveCodeController(QObject* parent)
    : QObject(parent)
    , m_answerTimer(new QTimer(this))
{
    m_answerTimer->setInterval(5000);
    connect(m_answerTimer, SIGNAL(timeout()), this, SLOT(slotNetworkTimeout()));
}

QObject* NxLiveCodeController::getObject()
{
    return this;
}

void NxLiveCodeController::setWebCommandCtrl(INxWebCommandController* ctrl)
{
    m_webCommand = ctrl;
    if (ctrl)
        connect(ctrl->getObject(), SIGNAL(sigRecvLiveUrl(void*, int, QString)), this,
                SLOT(slotLivingCodeDate(void*, int, QString)));
}

void NxLiveCodeController::setLivePlayerCtrl(INxLivePlayerController* player)
{
    m_player = player;
    if (player)
        connect(player->getObject(), SIGNAL(sigPlayerStarted(bool)), this, SLOT(slotPlayerStarted(bool)));
}

// The code entry panel and the player arrive with the live widgets.
void NxLiveCodeController::showLiveCodeInput(QWidget* parent)
{
    m_parent = parent;
    qDebug() << "NxLiveCodeController::showLiveCodeInput" << "code entry panel not available yet";
}

int NxLiveCodeController::showLiveCodeFailure(QWidget*)
{
    qDebug() << "NxLiveCodeController::showLiveCodeFailure" << "failure window not available yet";
    return 0;
}

void NxLiveCodeController::slotPlayerStarted(bool bSucc)
{
    qDebug() << "NxLiveCodeController::slotPlayerStarted" << bSucc;
}

void NxLiveCodeController::slotNetworkTimeout()
{
    m_answerTimer->stop();
    qDebug() << "NxLiveCodeController::slotNetworkTimeout";
}

void NxLiveCodeController::slotLivingCode(QString date)
{
    qDebug() << "NxLiveCodeController::slotLivingCode" << date;
}

void NxLiveCodeController::slotLivingCodeDate(void*, int iResult, QString sURl)
{
    qDebug() << "NxLiveCodeController::slotLivingCodeDate" << iResult << sURl;
}

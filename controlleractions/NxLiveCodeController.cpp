#include "NxLiveCodeController.h"

#include "INxLivePlayerController.h"
#include "INxWebCommandController.h"
#include "NxAnimaWgt.h"
#include "NxSecWindow.h"
#include "NxTliveWgt.h"

#include <QDebug>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

NxLiveCodeController::NxLiveCodeController(QObject* parent)
    : QObject(parent)
    , m_answerTimer(new QTimer(this))
{
    // A coarse timer may end the wait up to a quarter second early.
    m_answerTimer->setTimerType(Qt::PreciseTimer);
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

void NxLiveCodeController::showLiveCodeInput(QWidget* parent)
{
    m_parent = parent;
    createPanel();
    m_panel->show();
}

void NxLiveCodeController::createPanel()
{
    m_panel = new NxTliveWgt(m_parent);
    connect(m_panel, SIGNAL(signLivingCode(QString)), this, SLOT(slotLivingCode(QString)));
    centreIn(m_panel, m_parent);
}

int NxLiveCodeController::showLiveCodeFailure(QWidget* parent)
{
    auto* failure = new NxSecWindow(parent);
    if (m_panel)
        connect(failure, SIGNAL(signCloseSec()), m_panel, SLOT(show()));
    centreIn(failure, parent);
    return failure->exec();
}

// The answer and the time-out both arrive inside the waiting animation's
// modal loop.
void NxLiveCodeController::slotLivingCode(QString date)
{
    qDebug() << "NxLiveCodeController::slotLivingCode" << date;
    m_answerTimer->start();
    void* attempt = m_attempt.start();
    if (m_webCommand)
        m_webCommand->startLiveCode(date, attempt);
    m_waiting = new NxAnimaWgt(m_parent);
    m_waiting->exec();
}

void NxLiveCodeController::slotLivingCodeDate(void* pCxt, int iResult, QString sURl)
{
    // A code that timed out may still be answered while the next one waits.
    if (!m_answerTimer->isActive() || !m_attempt.isCurrent(pCxt)) {
        qDebug() << "NxLiveCodeController::slotLivingCodeDate" << "late answer ignored" << iResult;
        return;
    }
    m_answerTimer->stop();
    m_attempt.stop();
    if (iResult != 0) {
        qDebug() << "NxLiveCodeController::slotLivingCodeDate" << "iResult" << iResult;
        fail();
        return;
    }
    // Nothing else would ever close the waiting animation: a found code
    // without an address is a failure like any other.
    if (sURl.isEmpty()) {
        qDebug() << "NxLiveCodeController::slotLivingCodeDate" << "iResult NULL, sURl NULL";
        fail();
        return;
    }
    if (m_player)
        m_player->playLive(m_parent, sURl);
}

void NxLiveCodeController::slotNetworkTimeout()
{
    m_answerTimer->stop();
    m_attempt.stop();
    qDebug() << "NxLiveCodeController::slotNetworkTimeout";
    fail();
}

void NxLiveCodeController::slotPlayerStarted(bool bSucc)
{
    qDebug() << "NxLiveCodeController::slotPlayerStarted" << bSucc;
    if (bSucc)
        closePanels();
    else
        fail();
}

void NxLiveCodeController::closePanels()
{
    if (m_waiting)
        m_waiting->close();
    if (m_panel)
        m_panel->close();
}

// The keypad only steps aside: closing the notice brings it back for
// another try. A lesson that played has closed its keypad: a stream that
// breaks off later gets a new one.
void NxLiveCodeController::fail()
{
    if (m_waiting)
        m_waiting->close();
    if (m_panel)
        m_panel->hide();
    else
        createPanel();
    showLiveCodeFailure(m_parent);
}

void NxLiveCodeController::centreIn(QWidget* window, const QWidget* parent)
{
    QRect area = parent ? parent->geometry() : QRect();
    if (!parent && QGuiApplication::primaryScreen())
        area = QGuiApplication::primaryScreen()->geometry();
    window->move(area.x() + (area.width() - window->width()) / 2, area.y() + (area.height() - window->height()) / 2);
}

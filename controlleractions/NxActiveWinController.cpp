#include "NxActiveWinController.h"

#include <QDebug>

NxActiveWinController::NxActiveWinController(QObject* parent)
    : QObject(parent)
{
    m_monitorTimer.setInterval(300);
    m_startTimer.setSingleShot(true);
    connect(&m_monitorTimer, SIGNAL(timeout()), this, SLOT(slotMonitor()));
    connect(&m_startTimer, SIGNAL(timeout()), this, SLOT(slotStartMon()));
}

QObject* NxActiveWinController::getObject()
{
    return this;
}

int NxActiveWinController::setNativeEventFilter(INxNativeEventFilter* filter)
{
    m_filter = filter;
    return 0;
}

INxNativeEventFilter* NxActiveWinController::nativeEventFilter() const
{
    return m_filter;
}

QString NxActiveWinController::sourceFile() const
{
    return m_source;
}

// Window search and watching arrive with the window layer of the platform.
void NxActiveWinController::slotBrowserStarted(QString sUrl)
{
    m_source = sUrl;
    qDebug() << "NxActiveWinController::slotBrowserStarted" << sUrl;
}

void NxActiveWinController::slotLocalVideoStarted(QString sFilePath)
{
    m_source = sFilePath;
    qDebug() << "NxActiveWinController::slotLocalVideoStarted" << sFilePath;
}

void NxActiveWinController::slotMonitor()
{
    qDebug() << "NxActiveWinController::slotMonitor";
}

void NxActiveWinController::slotStartMon()
{
    qDebug() << "NxActiveWinController::slotStartMon";
}

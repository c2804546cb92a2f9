#include "NxLivePlayerController.h"

#include <QDebug>

NxLivePlayerController::NxLivePlayerController(QObject* parent, double scale)
    : QObject(parent)
    , m_scale(scale)
{
}

QObject* NxLivePlayerController::getObject()
{
    return this;
}

// The player widget arrives with the live widgets.
void NxLivePlayerController::playLive(QWidget*, const QString& url)
{
    qDebug() << "NxLivePlayerController::playLive" << url << "player not available yet";
}

void NxLivePlayerController::slotPlayerStarted()
{
    qDebug() << "NxLivePlayerController::slotPlayerStarted";
}

void NxLivePlayerController::slotPlayerHidden()
{
    qDebug() << "NxLivePlayerController::slotPlayerHidden";
}

void NxLivePlayerController::slotError()
{
    qDebug() << "NxLivePlayerController::slotError";
}

#include "NxLivePlayerController.h"

#include "NxFullBackgrd.h"
#include "NxLivePlayer.h"

#include <QDebug>

NxLivePlayerController::NxLivePlayerController(QObject* parent, double scale)
    : QObject(parent)
    , m_scale(scale)
{
}

NxLivePlayerController::~NxLivePlayerController()
{
    release();
}

QObject* NxLivePlayerController::getObject()
{
    return this;
}

void NxLivePlayerController::playLive(QWidget* parent, const QString& url)
{
    if (!m_created) {
        m_created = true;
        m_backdrop = new NxFullBackgrd(parent, m_scale);
        m_player = NxLivePlayer::create(m_backdrop, m_scale);
        connect(m_player, SIGNAL(sigHidden()), this, SLOT(slotPlayerHidden()));
        connect(m_player, SIGNAL(sigStarted()), this, SLOT(slotPlayerStarted()));
        connect(m_player, SIGNAL(sigError()), this, SLOT(slotError()));
    }
    qDebug() << "NxLivePlayerController::playLive" << url;
    m_player->playFile(url);
}

void NxLivePlayerController::slotPlayerStarted()
{
    if (m_backdrop && m_player) {
        m_backdrop->show();
        m_player->show();
        m_backdrop->activateWindow();
        m_player->activateWindow();
    }
    emit sigPlayerStarted(true);
}

void NxLivePlayerController::slotPlayerHidden()
{
    if (m_backdrop)
        m_backdrop->hide();
    if (m_created)
        release();
}

void NxLivePlayerController::slotError()
{
    if (m_created)
        release();
    emit sigPlayerStarted(false);
}

// Deferred: these run inside the player's own signals. Hidden at once: the
// failure notice's modal loop comes next, and the deletion only after it.
void NxLivePlayerController::release()
{
    m_created = false;
    if (m_player) {
        disconnect(m_player, nullptr, this, nullptr);
        m_player->hide();
        m_player->deleteLater();
    }
    if (m_backdrop) {
        m_backdrop->hide();
        m_backdrop->deleteLater();
    }
    m_player = nullptr;
    m_backdrop = nullptr;
}

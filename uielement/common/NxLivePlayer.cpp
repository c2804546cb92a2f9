#include "NxLivePlayer.h"

#include "NxMpvPlayer.h"
#include "NxPlayerBar.h"

#include <QCloseEvent>
#include <QDebug>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

NxLivePlayer* NxLivePlayer::create(QWidget* parent, double scale)
{
    return new NxLivePlayer(parent, scale);
}

NxLivePlayer::NxLivePlayer(QWidget* parent, double scale)
    : QWidget(parent)
    , m_scale(scale)
{
    m_barTimer.setTimerType(Qt::PreciseTimer);
    m_barTimer.setInterval(3000);
    connect(&m_barTimer, SIGNAL(timeout()), this, SLOT(slotTimeoutShowHideBar()));
    initPlayer();
    initUI();
}

void NxLivePlayer::playFile(const QString& url)
{
    // An address, not a path: native separators would break it.
    m_file = url;
    qDebug() << "NxLivePlayer::playFile" << m_file;
    m_player->setFile(url);
    m_player->play();
}

void NxLivePlayer::stop()
{
    if (m_player)
        m_player->pause(true);
}

void NxLivePlayer::initPlayer()
{
    m_player = new NxMpvPlayer(this);
    connect(m_player, SIGNAL(loaded()), this, SLOT(onAVLoaded()));
    connect(m_player, SIGNAL(started()), this, SLOT(onAVStarted()));
    connect(m_player, SIGNAL(stopped()), this, SLOT(onAVStoped()));
    connect(m_player, SIGNAL(error(QString)), this, SLOT(onAVError(QString)));
}

void NxLivePlayer::initUI()
{
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect full = screen->geometry();
        setFixedSize(full.width() - 1, full.height() - 1);
        move(full.topLeft());
    }
    m_wdBack = new QWidget(this);
    m_wdBack->setObjectName(QStringLiteral("m_wdBack"));
    m_wdBack->setMouseTracking(true);
    m_wdRender = m_player->createVideoWidget(m_wdBack);
    m_wdRender->setObjectName(QStringLiteral("m_wdRender"));
    m_wdRender->setMouseTracking(true);
    auto* backLayout = new QVBoxLayout(m_wdBack);
    backLayout->setContentsMargins(0, 0, 0, 0);
    backLayout->setSpacing(0);
    backLayout->addWidget(m_wdRender);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_wdBack);
    // The picture is drawn at its final size while the window is still hidden.
    layout->activate();
    backLayout->activate();

    m_bar = new NxPlayerBar(this, m_scale);
    connect(m_bar, SIGNAL(signalExit()), this, SLOT(slotOnExit()));
}

void NxLivePlayer::touched()
{
    if (m_bar->isHidden())
        showBar();
    m_barTimer.start();
}

void NxLivePlayer::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space)
        qDebug() << "NxLivePlayer::keyPressEvent" << event->key();
    touched();
    QWidget::keyPressEvent(event);
}

void NxLivePlayer::mouseMoveEvent(QMouseEvent* event)
{
    touched();
    QWidget::mouseMoveEvent(event);
}

void NxLivePlayer::mousePressEvent(QMouseEvent* event)
{
    touched();
    QWidget::mousePressEvent(event);
}

void NxLivePlayer::onAVStarted()
{
    qDebug() << "NxLivePlayer::onAVStarted" << m_file;
    m_barTimer.start();
    if (isVisible())
        showBar();
    emit sigStarted();
}

void NxLivePlayer::onAVLoaded()
{
    qDebug() << "NxLivePlayer::onAVLoaded" << m_file;
}

void NxLivePlayer::onAVStoped()
{
    qDebug() << "NxLivePlayer::onAVStoped" << m_file;
}

void NxLivePlayer::onAVError(const QString& reason)
{
    qWarning() << "NxLivePlayer::onAVError" << reason << m_file;
    emit sigError();
}

void NxLivePlayer::slotOnExit()
{
    close();
}

void NxLivePlayer::slotTimeoutShowHideBar()
{
    m_bar->hide();
    m_barTimer.stop();
}

void NxLivePlayer::closeEvent(QCloseEvent* event)
{
    m_barTimer.stop();
    m_bar->close();
    if (m_player)
        m_player->stop();
    QWidget::closeEvent(event);
}

// The bar is a window of its own. The show event comes before the player's
// window is mapped, and a bar mapped first ends up stacked under the player
// (openbox): it is shown once the player's map request has gone out.
void NxLivePlayer::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    QTimer::singleShot(0, this, [this] {
        if (isVisible() && m_barTimer.isActive())
            showBar();
    });
}

void NxLivePlayer::showBar()
{
    m_bar->show();
    m_bar->raise();
}

// A hidden player leaves no back button floating over the home page.
void NxLivePlayer::hideEvent(QHideEvent* event)
{
    m_barTimer.stop();
    m_bar->hide();
    QWidget::hideEvent(event);
    emit sigHidden();
}

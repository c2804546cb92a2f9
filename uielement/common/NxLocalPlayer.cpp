#include "NxLocalPlayer.h"

#include "NxLocalPlayerBar.h"
#include "NxMpvPlayer.h"
#include "NxPlayerChoice.h"
#include "NxPlayerIcons.h"
#include "NxResumePositions.h"
#include "NxScale.h"

#include <QCoreApplication>
#include <QDebug>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>

namespace {

const int kControlsShownMs = 3000;
const double kSkipSeconds = 10;
const int kVolumeStep = 10;
// Closer to either end than this, there is nothing worth resuming.
const double kResumeMargin = 1.0;

} // namespace

NxLocalPlayer* NxLocalPlayer::create(QWidget* parent, double scale)
{
    return new NxLocalPlayer(parent, scale);
}

NxLocalPlayer::NxLocalPlayer(QWidget* parent, double scale)
    : QWidget(parent)
    , m_scale(scale)
{
    m_hideTimer.setSingleShot(true);
    m_hideTimer.setInterval(kControlsShownMs);
    connect(&m_hideTimer, SIGNAL(timeout()), this, SLOT(slotHideControls()));
    m_player = new NxMpvPlayer(this);
    connect(m_player, SIGNAL(started()), this, SLOT(onStarted()));
    connect(m_player, SIGNAL(error(QString)), this, SLOT(onError(QString)));
    connect(m_player, SIGNAL(endReached()), this, SLOT(onEnd()));
    connect(m_player, SIGNAL(progress(double, double)), this, SLOT(onProgress()));
    initUi();
    connectControls();
}

void NxLocalPlayer::initUi()
{
    setObjectName(QStringLiteral("localPlayer"));
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setStyleSheet(QStringLiteral("#localPlayer{background:black;}"));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect full = screen->geometry();
        setFixedSize(full.width() - 1, full.height() - 1);
        move(full.topLeft());
    }
    m_video = m_player->createVideoWidget(this);
    m_video->setObjectName(QStringLiteral("m_wdRender"));
    m_video->setMouseTracking(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_video);
    // The first picture is drawn at its final size while the window is hidden.
    layout->activate();
    m_bar = new NxLocalPlayerBar(this, m_scale);
    m_choice = new NxPlayerChoice(this, m_scale);
    m_bar->place();
    m_bar->hide();
}

void NxLocalPlayer::connectControls()
{
    connect(m_bar, &NxLocalPlayerBar::sigBack, this, &QWidget::close);
    connect(m_bar, SIGNAL(sigPlayPause()), this, SLOT(slotPlayPause()));
    connect(m_bar, &NxLocalPlayerBar::sigSeek, m_player, &NxMpvPlayer::seek);
    connect(m_bar, &NxLocalPlayerBar::sigSeekBy, m_player, &NxMpvPlayer::seekBy);
    connect(m_bar, &NxLocalPlayerBar::sigVolume, m_player, &NxMpvPlayer::setVolume);
    connect(m_bar, &NxLocalPlayerBar::sigMute, m_player, &NxMpvPlayer::setMuted);
    connect(m_player, &NxMpvPlayer::progress, m_bar, &NxLocalPlayerBar::setProgress);
    connect(m_player, &NxMpvPlayer::pauseChanged, m_bar, &NxLocalPlayerBar::setPaused);
    connect(m_player, &NxMpvPlayer::volumeChanged, m_bar, &NxLocalPlayerBar::setVolume);
    connect(m_choice, SIGNAL(chosen(int)), this, SLOT(slotChoice(int)));
}

void NxLocalPlayer::playFile(const QString& path, const QString& resumeKey, double resumeAt)
{
    m_file = path;
    m_resumeKey = resumeKey;
    m_resumeAt = resumeAt;
    qDebug() << "NxLocalPlayer::playFile" << path << "left at" << resumeAt;
    m_player->setLocalFile(path, resumeAt);
    m_player->play();
    // Held on the picture where it was left until the teacher chooses.
    if (resumeAt > 0)
        m_player->pause(true);
}

void NxLocalPlayer::onStarted()
{
    qDebug() << "NxLocalPlayer::onStarted" << m_file;
    m_started = true;
    if (m_resumeAt > 0)
        offer(Offer::Resume);
    touched();
    emit sigStarted();
}

void NxLocalPlayer::onError(const QString& reason)
{
    qWarning() << "NxLocalPlayer::onError" << reason << m_file;
    emit sigError();
}

void NxLocalPlayer::onEnd()
{
    offer(Offer::Replay);
    touched();
}

// A seek away from the end takes the replay button away again.
void NxLocalPlayer::onProgress()
{
    if (m_offer == Offer::Replay && !m_player->isAtEnd())
        offer(Offer::None);
}

void NxLocalPlayer::offer(Offer offer)
{
    m_offer = offer;
    if (offer == Offer::Resume) {
        const QString at = NxLocalPlayerBar::timeText(m_resumeAt);
        const QString text = tr("ID_CONTINUE_FROM");
        m_choice->offer({text.contains(QLatin1String("%1")) ? text.arg(at) : text + QLatin1Char(' ') + at, tr("ID_START_OVER")},
                        NxPlayerIcons::icon(NxPlayerIcons::Play, NxScale::px(44, m_scale)));
    } else if (offer == Offer::Replay) {
        m_choice->offer({tr("ID_REPLAY")}, NxPlayerIcons::icon(NxPlayerIcons::Replay, NxScale::px(44, m_scale)));
    }
    m_choice->setVisible(offer != Offer::None);
    m_choice->raise();
}

void NxLocalPlayer::slotChoice(int index)
{
    if (m_offer == Offer::Replay || index == 1)
        m_player->seek(0);
    offer(Offer::None);
    m_player->pause(false);
}

void NxLocalPlayer::slotPlayPause()
{
    if (m_offer != Offer::None)
        slotChoice(0);
    else
        m_player->pause(!m_player->isPaused());
}

// Subtitles move up above the controls while they are shown.
void NxLocalPlayer::touched()
{
    if (m_bar->isHidden() && height() > 0)
        m_player->setSubtitlePosition(100 * (height() - m_bar->height()) / height());
    m_bar->show();
    m_bar->raise();
    m_hideTimer.start();
}

void NxLocalPlayer::slotHideControls()
{
    m_bar->hide();
    m_player->setSubtitlePosition(100);
}

void NxLocalPlayer::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
        slotPlayPause();
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
        m_player->seekBy(event->key() == Qt::Key_Left ? -kSkipSeconds : kSkipSeconds);
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        m_player->setVolume(m_player->volume() + (event->key() == Qt::Key_Up ? kVolumeStep : -kVolumeStep));
        break;
    case Qt::Key_M:
        m_player->setMuted(!m_player->isMuted());
        break;
    case Qt::Key_Escape:
        close();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    touched();
}

// Any touch anywhere in the player, controls included, keeps them up.
bool NxLocalPlayer::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::TouchBegin:
        if (watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this)
            touched();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void NxLocalPlayer::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_bar->place();
    m_choice->place();
}

void NxLocalPlayer::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    qApp->installEventFilter(this);
}

void NxLocalPlayer::keepPosition()
{
    if (!m_started || m_kept || m_resumeKey.isEmpty())
        return;
    m_kept = true;
    const double at = m_player->position();
    const bool worthKeeping = !m_player->isAtEnd() && at >= kResumeMargin && at < m_player->duration() - kResumeMargin;
    NxResumePositions::instance().remember(m_resumeKey, worthKeeping ? at : 0);
}

void NxLocalPlayer::closeEvent(QCloseEvent* event)
{
    keepPosition();
    m_hideTimer.stop();
    m_player->stop();
    QWidget::closeEvent(event);
}

void NxLocalPlayer::hideEvent(QHideEvent* event)
{
    keepPosition();
    m_hideTimer.stop();
    qApp->removeEventFilter(this);
    QWidget::hideEvent(event);
    emit sigHidden();
}

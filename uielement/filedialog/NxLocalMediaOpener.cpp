#include "NxLocalMediaOpener.h"

#include "INxShell.h"
#include "NxCloudUtils.h"
#include "NxFileDialog.h"
#include "NxLocalPlayer.h"
#include "NxLocalVideo.h"
#include "NxMpvLibrary.h"
#include "NxPlatform.h"
#include "NxShellNative.h"
#include "NxToolTipHelp.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFutureInterface>
#include <QFutureWatcher>
#include <QJsonArray>
#include <QThreadPool>
#include <QWidget>

namespace {

const char kVideoPatterns[] = "*.wmv *.avi *.mov *.mpeg *.mpg *.rm *.asf *.mp4 *.flv *.mkv *.vob *.swf";

} // namespace

NxLocalMediaOpener::NxLocalMediaOpener(QWidget* window)
    : QObject(window)
    , m_window(window)
{
}

NxFileDialog* NxLocalMediaOpener::fileDialog() const
{
    return m_fileDialog;
}

NxLocalPlayer* NxLocalMediaOpener::player() const
{
    return m_player;
}

QString NxLocalMediaOpener::videoFilter()
{
    const QStringList entries{QStringLiteral("All files(%1)").arg(QLatin1String(kVideoPatterns))};
    return entries.join(QStringLiteral(";;"));
}

QStringList NxLocalMediaOpener::videoPatterns()
{
    return QString::fromLatin1(kVideoPatterns).split(QLatin1Char(' '));
}

bool NxLocalMediaOpener::usesSystemPlayer()
{
    const QString mode = qApp->property("localVideos").toString();
    if (mode == QLatin1String("system") || mode == QLatin1String("builtin"))
        return mode == QLatin1String("system");
    return NxShellNative::systemPlaysVideos();
}

void NxLocalMediaOpener::preparePlayer()
{
    QThreadPool::globalInstance()->start([] { NxMpvLibrary::instance(); });
}

NxFileDialog* NxLocalMediaOpener::createFileDialog(QWidget* parent, double scale)
{
    if (m_fileDialog)
        return m_fileDialog;
    m_scale = scale;
    QMap<QString, QVariant> params{{QStringLiteral("scalefactor"), scale}};
    m_fileDialog = new NxFileDialog(params, parent);
    connect(m_window, SIGNAL(signalUDiskStateChanged(QString, bool)), m_fileDialog, SLOT(slotUDiskStateChanged(QString, bool)));
    connect(m_window, SIGNAL(signalUDiskStateChanged(QString, bool)), this, SLOT(slotUDiskStateChanged(QString, bool)));
    return m_fileDialog;
}

void NxLocalMediaOpener::openLocalFile()
{
    emit sigUserActionLocalChannel();
    if (!m_fileDialog) {
        qWarning() << "NxLocalMediaOpener::openLocalFile no file dialog created";
        return;
    }
    // A stick plugged in while the dialog is up moves the dialog itself.
    if (m_fileDialog->isVisible())
        return;
    if (!usesSystemPlayer())
        preparePlayer();
    const QJsonArray disks = NxCloudUtils::getUsbDisk();
    m_startLocation = disks.isEmpty() ? QStringLiteral("ID_DESKTOP")
                                      : disks.first().toObject().value(QStringLiteral("name")).toString();
    const QString path = m_fileDialog->GetOpenFilePath(nullptr, EnumResType(11), QStringLiteral("ID_LOCAL_VIDEO"),
                                                       m_startLocation, videoFilter());
    if (!path.isEmpty())
        playLocalFile(path);
}

// A file on a slow stick may take seconds to answer, and asking the system
// for its program runs a query program: neither happens on this thread.
void NxLocalMediaOpener::playLocalFile(const QString& pathOrUrl)
{
    const bool system = usesSystemPlayer();
    QFutureInterface<NxLocalVideo> answer;
    answer.reportStarted();
    auto* check = new QFutureWatcher<NxLocalVideo>(this);
    connect(check, &QFutureWatcherBase::finished, this, [this, check, system] {
        check->deleteLater();
        openChecked(check->result(), system);
    });
    check->setFuture(answer.future());
    const QStringList patterns = videoPatterns();
    // The answer reaches the watcher through the future, which outlives
    // both sides; the worker never touches this object.
    QThreadPool::globalInstance()->start([answer, pathOrUrl, patterns, system]() mutable {
        const NxLocalVideo video = NxLocalVideo::inspect(pathOrUrl, patterns, system);
        answer.reportFinished(&video);
    });
}

void NxLocalMediaOpener::openChecked(const NxLocalVideo& video, bool system)
{
    if (!video.isPlayable()) {
        qWarning() << "NxLocalMediaOpener::openChecked refused:" << video.refusal() << video.path();
        failed(video.path());
        return;
    }
    if (!system || !video.hasSystemProgram()) {
        playBuiltin(video);
        return;
    }
    // A program the system named may still refuse the file later.
    const auto playHere = [this, video] { playBuiltin(video); };
    if (NxPlatform::shell()->open(video.path(), INxShell::Show::Maximized, this, playHere)) {
        emit sigLocalVideoStarted(video.path());
    } else {
        qWarning() << "NxLocalMediaOpener::openChecked the system could not open" << video.path();
        playHere();
    }
}

void NxLocalMediaOpener::playBuiltin(const NxLocalVideo& video)
{
    // One video at a time: a second choice replaces the first.
    if (m_player)
        m_player->close();
    NxLocalPlayer* player = NxLocalPlayer::create(m_window, m_scale);
    m_player = player;
    const QString path = video.path();
    connect(player, &NxLocalPlayer::sigStarted, this, [this, player, path] {
        player->show();
        player->raise();
        player->activateWindow();
        emit sigLocalVideoPlayed(path, true);
    });
    connect(player, &NxLocalPlayer::sigError, this, [this, player, path] {
        player->close();
        player->deleteLater();
        failed(path);
    });
    connect(player, &NxLocalPlayer::sigHidden, player, &QObject::deleteLater);
    player->playFile(path, video.resumeKey(), video.resumeAt());
}

void NxLocalMediaOpener::failed(const QString& path)
{
    NxToolTipHelp::Instance().setMesseage(tr("ID_VIDEO_CANNOT_PLAY"));
    emit sigLocalVideoPlayed(path, false);
}

void NxLocalMediaOpener::slotUDiskStateChanged(QString name, bool remove)
{
    m_uDiskState = {{QStringLiteral("name"), name}, {QStringLiteral("isRemove"), remove}};
    if (!remove && m_window->isVisible())
        openLocalFile();
}

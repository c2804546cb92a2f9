#include "NxMpvPlayer.h"

#include "NxMpvLibrary.h"
#include "NxMpvVideoWidget.h"
#include "NxWebAddress.h"

#include <QDebug>
#include <QDir>
#include <QVector>

namespace {

const int kStartTimeoutMs = 10000;

// What a local file's player watches, by reply id.
enum Observed : quint64 { TimePos = 1, Duration, Pause, EofReached, Volume, Mute, Subtitle };
const struct {
    Observed id;
    const char* name;
    mpv_format format;
} kObserved[] = {
    {TimePos, "time-pos", MPV_FORMAT_DOUBLE}, {Duration, "duration", MPV_FORMAT_DOUBLE},
    {Pause, "pause", MPV_FORMAT_FLAG},        {EofReached, "eof-reached", MPV_FORMAT_FLAG},
    {Volume, "volume", MPV_FORMAT_DOUBLE},    {Mute, "mute", MPV_FORMAT_FLAG},
    {Subtitle, "sid", MPV_FORMAT_STRING},
};

// Fixed before the core starts. The address comes from the cloud, so the
// engine reads no configuration, runs no scripts and never hands a URL to
// a helper program; what it may open is checked in isStreamAddress.
const char* const kOptions[][2] = {
    {"config", "no"},
    {"load-scripts", "no"},
    {"ytdl", "no"},
    {"load-stats-overlay", "no"},
    {"load-osd-console", "no"},
    {"load-auto-profiles", "no"},
    {"vo", "libmpv"},
    {"idle", "yes"},
    {"terminal", "no"},
    {"input-default-bindings", "no"},
    {"input-vo-keyboard", "no"},
    {"osc", "no"},
    {"sub-auto", "no"},
    {"audio-file-auto", "no"},
    // A panel without sound device still shows the lesson.
    {"audio-fallback-to-null", "yes"},
    // A stalled server ends as an error within seconds, not a minute.
    {"network-timeout", "5"},
    // Frames are handed over when due, so drawing never waits.
    {"video-timing-offset", "0"},
};

void releaseCore(mpv_handle* core)
{
    mpv()->terminate_destroy(core);
}

} // namespace

NxMpvPlayer::NxMpvPlayer(QObject* parent)
    : QObject(parent)
{
    m_startTimer.setSingleShot(true);
    m_startTimer.setInterval(kStartTimeoutMs);
    connect(&m_startTimer, SIGNAL(timeout()), this, SLOT(slotStartTimeout()));

    const NxMpvLibrary* api = NxMpvLibrary::instance();
    mpv_handle* core = api ? api->create() : nullptr;
    if (!core) {
        qWarning() << "NxMpvPlayer::NxMpvPlayer" << "mpv_create failed";
        return;
    }
    for (const auto& option : kOptions) {
        if (mpv()->set_option_string(core, option[0], option[1]) < 0)
            qWarning() << "NxMpvPlayer::NxMpvPlayer" << "option refused" << option[0];
    }
    if (mpv()->initialize(core) < 0) {
        qWarning() << "NxMpvPlayer::NxMpvPlayer" << "mpv_initialize failed";
        mpv()->terminate_destroy(core);
        return;
    }
    mpv()->request_log_messages(core, "warn");
    m_core = QSharedPointer<mpv_handle>(core, &releaseCore);
    mpv()->set_wakeup_callback(core, &NxMpvPlayer::wakeup, this);
}

NxMpvPlayer::~NxMpvPlayer()
{
    if (!m_core)
        return;
    mpv()->set_wakeup_callback(m_core.data(), nullptr, nullptr);
    command({"stop"});
}

QWidget* NxMpvPlayer::createVideoWidget(QWidget* parent)
{
    if (!m_video && m_core) {
        m_video = new NxMpvVideoWidget(m_core, parent);
        connect(m_video, SIGNAL(frameRendered()), this, SLOT(slotFrameRendered()));
    }
    return m_video ? static_cast<QWidget*>(m_video) : new QWidget(parent);
}

void NxMpvPlayer::setFile(const QString& url)
{
    m_file = url;
    m_local = false;
}

void NxMpvPlayer::setLocalFile(const QString& path, double startAt)
{
    m_file = path;
    m_local = true;
    m_startAt = startAt;
}

QString NxMpvPlayer::file() const
{
    return m_file;
}

void NxMpvPlayer::play()
{
    if (!m_core) {
        fail(QStringLiteral("no playback engine"));
        return;
    }
    if (m_local) {
        if (loadLocalFile())
            pause(false);
        return;
    }
    // http, https, rtmp, rtsp and hls addresses with a host; nothing local.
    const NxWebAddress address(m_file, NxWebAddress::Stream);
    if (!address.isValid()) {
        fail(QStringLiteral("not a stream address: ") + m_file);
        return;
    }
    m_awaitingFrame = true;
    m_startTimer.start();
    command({"loadfile", address.encoded().toUtf8(), "replace"});
    pause(false);
}

void NxMpvPlayer::pause(bool on)
{
    if (!m_core)
        return;
    int flag = on ? 1 : 0;
    mpv()->set_property_async(m_core.data(), 0, "pause", MPV_FORMAT_FLAG, &flag);
}

void NxMpvPlayer::stop()
{
    m_startTimer.stop();
    m_awaitingFrame = false;
    command({"stop"});
}

bool NxMpvPlayer::isPlaying() const
{
    return m_playing;
}

// Options that differ per file go out before the file, in order with it.
bool NxMpvPlayer::loadLocalFile()
{
    // Checked paths are absolute; anything else could name a protocol.
    if (!QDir::isAbsolutePath(m_file)) {
        fail(QStringLiteral("not a local file: ") + m_file);
        return false;
    }
    setOption("keep-open", "yes");
    setOption("sub-auto", "exact");
    // A file that only points elsewhere (a playlist, a reference movie) is not followed.
    setOption("access-references", "no");
    setOption("start", m_startAt > 0 ? QByteArray::number(m_startAt, 'f', 3) : QByteArray("none"));
    observeOnce();
    m_atEnd = false;
    m_awaitingFrame = true;
    m_startTimer.start();
    command({"loadfile", QDir::toNativeSeparators(m_file).toUtf8(), "replace"});
    return true;
}

void NxMpvPlayer::observeOnce()
{
    if (m_observing || !m_core)
        return;
    m_observing = true;
    for (const auto& property : kObserved)
        mpv()->observe_property(m_core.data(), property.id, property.name, property.format);
}

void NxMpvPlayer::seek(double seconds)
{
    command({"seek", QByteArray::number(qMax(0.0, seconds), 'f', 3), "absolute"});
}

void NxMpvPlayer::seekBy(double seconds)
{
    command({"seek", QByteArray::number(seconds, 'f', 3), "relative"});
}

void NxMpvPlayer::setVolume(int percent)
{
    if (!m_core)
        return;
    double volume = qBound(0, percent, 100);
    mpv()->set_property_async(m_core.data(), 0, "volume", MPV_FORMAT_DOUBLE, &volume);
}

void NxMpvPlayer::setMuted(bool on)
{
    if (!m_core)
        return;
    int flag = on ? 1 : 0;
    mpv()->set_property_async(m_core.data(), 0, "mute", MPV_FORMAT_FLAG, &flag);
}

void NxMpvPlayer::setSubtitlePosition(int percent)
{
    setOption("sub-pos", QByteArray::number(qBound(0, percent, 100)));
}

void NxMpvPlayer::setOption(const char* name, const QByteArray& value)
{
    if (!m_core)
        return;
    const char* text = value.constData();
    mpv()->set_property_async(m_core.data(), 0, name, MPV_FORMAT_STRING, &text);
}

void NxMpvPlayer::wakeup(void* self)
{
    QMetaObject::invokeMethod(static_cast<NxMpvPlayer*>(self), "slotDrainEvents", Qt::QueuedConnection);
}

void NxMpvPlayer::slotDrainEvents()
{
    while (m_core) {
        const mpv_event* event = mpv()->wait_event(m_core.data(), 0);
        if (event->event_id == MPV_EVENT_NONE)
            return;
        handleEvent(*event);
    }
}

void NxMpvPlayer::handleEvent(const mpv_event& event)
{
    switch (event.event_id) {
    case MPV_EVENT_START_FILE:
        m_playing = true;
        break;
    case MPV_EVENT_FILE_LOADED:
        emit loaded();
        break;
    case MPV_EVENT_END_FILE: {
        const auto* end = static_cast<const mpv_event_end_file*>(event.data);
        m_playing = false;
        if (end->reason == MPV_END_FILE_REASON_ERROR)
            fail(QString::fromUtf8(mpv()->error_string(end->error)));
        // Over before a single picture: nothing a teacher could watch.
        else if (m_awaitingFrame && end->reason != MPV_END_FILE_REASON_STOP)
            fail(QStringLiteral("no picture in the file"));
        else if (end->reason == MPV_END_FILE_REASON_EOF || end->reason == MPV_END_FILE_REASON_STOP)
            emit stopped();
        break;
    }
    case MPV_EVENT_PROPERTY_CHANGE:
        handlePropertyChange(event.reply_userdata, event.data);
        break;
    case MPV_EVENT_LOG_MESSAGE: {
        const auto* message = static_cast<const mpv_event_log_message*>(event.data);
        qWarning() << "NxMpvPlayer::log" << message->prefix << QString::fromUtf8(message->text).trimmed();
        break;
    }
    default:
        break;
    }
}

void NxMpvPlayer::handlePropertyChange(quint64 id, const void* data)
{
    const auto* property = static_cast<const mpv_event_property*>(data);
    const bool known = property->format != MPV_FORMAT_NONE;
    const double number = known && property->format == MPV_FORMAT_DOUBLE ? *static_cast<double*>(property->data) : 0;
    const bool flag = known && property->format == MPV_FORMAT_FLAG && *static_cast<int*>(property->data);
    switch (id) {
    case TimePos:
    case Duration:
        (id == TimePos ? m_position : m_duration) = number;
        emit progress(m_position, m_duration);
        break;
    case Pause:
        m_paused = flag;
        emit pauseChanged(flag);
        break;
    case EofReached:
        if (flag && m_awaitingFrame) {
            fail(QStringLiteral("no picture in the file"));
            break;
        }
        m_atEnd = flag;
        if (flag)
            emit endReached();
        break;
    case Volume:
        m_volume = qRound(number);
        emit volumeChanged(m_volume, m_muted);
        break;
    case Mute:
        m_muted = flag;
        emit volumeChanged(m_volume, m_muted);
        break;
    case Subtitle: {
        // A track number, or "no".
        const QByteArray track = known ? QByteArray(*static_cast<char**>(property->data)) : QByteArray();
        m_subtitles = !track.isEmpty() && track != "no" && track != "auto";
        break;
    }
    default:
        break;
    }
}

void NxMpvPlayer::slotFrameRendered()
{
    if (!m_awaitingFrame)
        return;
    m_awaitingFrame = false;
    m_startTimer.stop();
    emit started();
}

void NxMpvPlayer::slotStartTimeout()
{
    qWarning() << "NxMpvPlayer::slotStartTimeout" << "no picture after" << kStartTimeoutMs << "ms" << m_file;
    stop();
    fail(QStringLiteral("no picture in time"));
}

// Reported after the caller's call returns, as the engine's own errors are.
void NxMpvPlayer::fail(const QString& reason)
{
    m_startTimer.stop();
    m_awaitingFrame = false;
    qWarning() << "NxMpvPlayer::fail" << reason << m_file;
    QMetaObject::invokeMethod(this, [this, reason] { emit error(reason); }, Qt::QueuedConnection);
}

void NxMpvPlayer::command(const QList<QByteArray>& args)
{
    if (!m_core)
        return;
    QVector<const char*> argv;
    for (const QByteArray& arg : args)
        argv.append(arg.constData());
    argv.append(nullptr);
    mpv()->command_async(m_core.data(), 0, argv.data());
}

#pragma once

#include "TavoUIElementGlobal.h"

#include <QObject>
#include <QPointer>
#include <QSharedPointer>
#include <QString>
#include <QTimer>

struct mpv_handle;
struct mpv_event;
class NxMpvVideoWidget;
class QWidget;

// What the players need of libmpv: a file, play, pause, stop and the
// moments that matter (loaded, first frame shown, stopped, error); for local
// files also seeking, volume and where playback stands. The core runs with
// no user configuration, scripts or URL helpers and is handed either network
// stream addresses or local files checked by the caller, never both.
class TAVOUIELEMENT_EXPORT NxMpvPlayer : public QObject
{
    Q_OBJECT

public:
    explicit NxMpvPlayer(QObject* parent);
    ~NxMpvPlayer() override;

    // The widget the video is drawn in; one per player, owned by parent.
    QWidget* createVideoWidget(QWidget* parent);
    void setFile(const QString& url);
    // A local file the caller has checked: opened as it is, with the
    // subtitles of the same base name beside it; it starts at startAt
    // seconds and stays on its last picture at the end.
    void setLocalFile(const QString& path, double startAt);
    QString file() const;
    void play();
    void pause(bool on);
    void stop();
    bool isPlaying() const;

    void seek(double seconds);
    void seekBy(double seconds);
    void setVolume(int percent);
    void setMuted(bool on);
    // Percent of the picture's height where subtitles sit; 100 is the bottom.
    void setSubtitlePosition(int percent);
    double position() const { return m_position; }
    double duration() const { return m_duration; }
    bool isPaused() const { return m_paused; }
    bool isAtEnd() const { return m_atEnd; }
    int volume() const { return m_volume; }
    bool isMuted() const { return m_muted; }
    bool showsSubtitles() const { return m_subtitles; }

signals:
    void loaded();
    void started();
    void stopped();
    void error(const QString& reason);
    // Local files only.
    void progress(double position, double duration);
    void pauseChanged(bool paused);
    void endReached();
    void volumeChanged(int percent, bool muted);

private slots:
    void slotDrainEvents();
    void slotFrameRendered();
    void slotStartTimeout();

private:
    static void wakeup(void* self);
    void handleEvent(const mpv_event& event);
    void handlePropertyChange(quint64 id, const void* data);
    void fail(const QString& reason);
    void command(const QList<QByteArray>& args);
    void setOption(const char* name, const QByteArray& value);
    void observeOnce();
    bool loadLocalFile();

    QSharedPointer<mpv_handle> m_core;
    QPointer<NxMpvVideoWidget> m_video;
    QString m_file;
    bool m_local = false;
    double m_startAt = 0;
    bool m_observing = false;
    double m_position = 0;
    double m_duration = 0;
    bool m_paused = false;
    bool m_atEnd = false;
    int m_volume = 100;
    bool m_muted = false;
    bool m_subtitles = false;
    bool m_playing = false;
    bool m_awaitingFrame = false;
    // A stream that never shows a picture (silent server, audio only) ends
    // as an error instead of a black window.
    QTimer m_startTimer;
};

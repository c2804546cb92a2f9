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

// What the live player needs of libmpv: a file, play, pause, stop and the
// moments that matter (loaded, first frame shown, stopped, error). The core
// runs with no user configuration, scripts or URL helpers and is only ever
// handed network stream addresses.
class TAVOUIELEMENT_EXPORT NxMpvPlayer : public QObject
{
    Q_OBJECT

public:
    explicit NxMpvPlayer(QObject* parent);
    ~NxMpvPlayer() override;

    // The widget the video is drawn in; one per player, owned by parent.
    QWidget* createVideoWidget(QWidget* parent);
    void setFile(const QString& url);
    QString file() const;
    void play();
    void pause(bool on);
    void stop();
    bool isPlaying() const;

signals:
    void loaded();
    void started();
    void stopped();
    void error(const QString& reason);

private slots:
    void slotDrainEvents();
    void slotFrameRendered();
    void slotStartTimeout();

private:
    static void wakeup(void* self);
    void handleEvent(const mpv_event& event);
    void fail(const QString& reason);
    void command(const QList<QByteArray>& args);

    QSharedPointer<mpv_handle> m_core;
    QPointer<NxMpvVideoWidget> m_video;
    QString m_file;
    bool m_playing = false;
    bool m_awaitingFrame = false;
    // A stream that never shows a picture (silent server, audio only) ends
    // as an error instead of a black window.
    QTimer m_startTimer;
};

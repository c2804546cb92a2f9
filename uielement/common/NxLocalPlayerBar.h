#pragma once

#include "NxPlayerIcons.h"

#include <QWidget>

class NxSeekSlider;
class QLabel;
class QPushButton;
class QSlider;

// The local player's controls along the bottom of the picture: the seek bar
// with elapsed and total time above a row of back, -10 s, play/pause,
// +10 s, mute and volume. Sized for fingers at every scale.
class NxLocalPlayerBar : public QWidget
{
    Q_OBJECT

public:
    NxLocalPlayerBar(QWidget* parent, double scale);

    // "m:ss" below an hour, "h:mm:ss" from there.
    static QString timeText(double seconds);
    // Lies along the bottom of the parent.
    void place();

public slots:
    void setProgress(double position, double duration);
    void setPaused(bool paused);
    void setVolume(int percent, bool muted);

signals:
    void sigBack();
    void sigPlayPause();
    void sigSeek(double seconds);
    void sigSeekBy(double seconds);
    void sigVolume(int percent);
    void sigMute(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* makeTimeRow();
    QWidget* makeButtonRow();
    QPushButton* makeButton(NxPlayerIcons::Kind kind, int size, const char* name);

    double m_scale;
    NxSeekSlider* m_seek = nullptr;
    QLabel* m_elapsed = nullptr;
    QLabel* m_total = nullptr;
    QPushButton* m_play = nullptr;
    QPushButton* m_mute = nullptr;
    QSlider* m_volume = nullptr;
    bool m_muted = false;
};

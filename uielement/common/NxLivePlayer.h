#pragma once

#include "TavoUIElementGlobal.h"

#include <QString>
#include <QTimer>
#include <QWidget>

class NxMpvPlayer;
class NxPlayerBar;

// Plays a live stream full screen, with a back button that appears on a
// touch and hides itself three seconds after the last one.
class TAVOUIELEMENT_EXPORT NxLivePlayer : public QWidget
{
    Q_OBJECT

public:
    static NxLivePlayer* create(QWidget* parent, double scale);

    void playFile(const QString& url);
    // Pauses; the stream stays loaded.
    void stop();

signals:
    void sigStarted();
    void sigHidden();
    void sigError();

protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private slots:
    void onAVStarted();
    void onAVLoaded();
    void onAVStoped();
    void onAVError(const QString& reason);
    void slotOnExit();
    void slotTimeoutShowHideBar();

private:
    NxLivePlayer(QWidget* parent, double scale);
    void initPlayer();
    void initUI();
    void touched();
    void showBar();

    double m_scale;
    NxMpvPlayer* m_player = nullptr;
    QString m_file;
    QWidget* m_wdRender = nullptr;
    QWidget* m_wdBack = nullptr;
    QTimer m_barTimer;
    NxPlayerBar* m_bar = nullptr;
};

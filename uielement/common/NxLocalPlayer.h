#pragma once

#include "TavoUIElementGlobal.h"

#include <QString>
#include <QTimer>
#include <QWidget>

class NxLocalPlayerBar;
class NxMpvPlayer;
class NxPlayerChoice;

// Plays a teacher's own video file full screen, with controls that appear
// on a touch and hide three seconds after the last one. It opens where the
// video was left if the teacher wants, and remembers where it was left.
class TAVOUIELEMENT_EXPORT NxLocalPlayer : public QWidget
{
    Q_OBJECT

public:
    static NxLocalPlayer* create(QWidget* parent, double scale);

    // path: a checked local file; resumeKey names it among the resume
    // positions; resumeAt: where it was left, 0 for none.
    void playFile(const QString& path, const QString& resumeKey, double resumeAt);
    QString file() const { return m_file; }

signals:
    void sigStarted();
    void sigHidden();
    void sigError();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private slots:
    void onStarted();
    void onError(const QString& reason);
    void onEnd();
    void onProgress();
    void slotHideControls();
    void slotPlayPause();
    void slotChoice(int index);

private:
    enum class Offer { None, Resume, Replay };

    NxLocalPlayer(QWidget* parent, double scale);
    void initUi();
    void connectControls();
    void touched();
    void offer(Offer offer);
    void keepPosition();

    double m_scale;
    NxMpvPlayer* m_player = nullptr;
    QWidget* m_video = nullptr;
    NxLocalPlayerBar* m_bar = nullptr;
    NxPlayerChoice* m_choice = nullptr;
    QTimer m_hideTimer;
    QString m_file;
    QString m_resumeKey;
    double m_resumeAt = 0;
    Offer m_offer = Offer::None;
    bool m_started = false;
    bool m_kept = false;
};

#pragma once

#include "INxLivePlayerController.h"

#include <QObject>
#include <QPointer>

class NxFullBackgrd;
class NxLivePlayer;

// Plays a live stream full screen over a black backdrop. Backdrop and player
// exist once per viewing and go when it ends or fails.
class NxLivePlayerController : public QObject, public INxLivePlayerController
{
    Q_OBJECT
    Q_INTERFACES(INxLivePlayerController)

public:
    NxLivePlayerController(QObject* parent, double scale);
    ~NxLivePlayerController() override;

    QObject* getObject() override;
    void playLive(QWidget* parent, const QString& url) override;

signals:
    void sigPlayerStarted(bool bSucc);

private slots:
    void slotPlayerStarted();
    void slotPlayerHidden();
    void slotError();

private:
    void release();

    QPointer<NxFullBackgrd> m_backdrop;
    QPointer<NxLivePlayer> m_player;
    bool m_created = false;
    double m_scale;
};

#pragma once

#include "INxLivePlayerController.h"

#include <QObject>

// Plays a live stream full screen over a backdrop.
class NxLivePlayerController : public QObject, public INxLivePlayerController
{
    Q_OBJECT
    Q_INTERFACES(INxLivePlayerController)

public:
    NxLivePlayerController(QObject* parent, double scale);

    QObject* getObject() override;
    void playLive(QWidget* parent, const QString& url) override;

signals:
    void sigPlayerStarted(bool bSucc);

private slots:
    void slotPlayerStarted();
    void slotPlayerHidden();
    void slotError();

private:
    bool m_created = false;
    double m_scale;
};

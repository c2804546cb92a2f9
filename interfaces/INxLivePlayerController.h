#pragma once

#include <QObject>
#include <QString>

class QWidget;

// Plays a live stream full screen.
class INxLivePlayerController
{
public:
    virtual ~INxLivePlayerController() = default;

    virtual QObject* getObject() = 0;
    virtual void playLive(QWidget* parent, const QString& url) = 0;
};

#define INxLivePlayerController_iid "com.nxt.TavomcPresenterPro.INxLivePlayerController/1.0"
Q_DECLARE_INTERFACE(INxLivePlayerController, INxLivePlayerController_iid)

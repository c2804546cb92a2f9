#pragma once

#include <QObject>

class INxLivePlayerController;
class INxWebCommandController;
class QWidget;

// Entry of a live code and the start of its stream.
class INxLiveCodeController
{
public:
    virtual ~INxLiveCodeController() = default;

    virtual QObject* getObject() = 0;
    virtual void showLiveCodeInput(QWidget* parent) = 0;
    virtual int showLiveCodeFailure(QWidget* parent) = 0;
    virtual void setWebCommandCtrl(INxWebCommandController* ctrl) = 0;
    virtual void setLivePlayerCtrl(INxLivePlayerController* player) = 0;
};

#define INxLiveCodeController_iid "com.nxt.TavomcPresenterPro.INxLiveCodeController/1.0"
Q_DECLARE_INTERFACE(INxLiveCodeController, INxLiveCodeController_iid)

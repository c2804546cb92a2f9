#pragma once

#include <QObject>

class INxNativeEventFilter;

// Finds, maximises and watches the windows of programs the system starts.
class INxActiveWinController
{
public:
    virtual ~INxActiveWinController() = default;

    virtual QObject* getObject() = 0;
    virtual int setNativeEventFilter(INxNativeEventFilter* filter) = 0;
};

#define INxActiveWinController_iid "com.nxt.TavomcPresenterPro.INxActiveWinController/1.0"
Q_DECLARE_INTERFACE(INxActiveWinController, INxActiveWinController_iid)

#pragma once

#include <QObject>

class INxWebCommandController;

// Sign-in by QR code: shows the code, polls until a phone confirms it.
class INxLoginToWebController
{
public:
    virtual ~INxLoginToWebController() = default;

    virtual QObject* getObject() = 0;
    virtual void startLogging() = 0;
    // The code is no longer shown: polling for it ends.
    virtual void stopLogging() = 0;
    virtual void setWebCommandCtrl(INxWebCommandController* ctrl) = 0;
};

#define INxLoginToWebController_iid "com.nxt.TavomcPresenterPro.INxLoginToWebController/1.0"
Q_DECLARE_INTERFACE(INxLoginToWebController, INxLoginToWebController_iid)

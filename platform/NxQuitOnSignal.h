#pragma once

#include "NxPlatformGlobal.h"

#include <QObject>

// Ends the event loop cleanly when the system asks the program to stop
// (SIGTERM, SIGINT, SIGHUP on Unix; console close on Windows).
class NX_PLATFORM_EXPORT NxQuitOnSignal : public QObject
{
    Q_OBJECT

public:
    explicit NxQuitOnSignal(QObject* parent = nullptr);
    ~NxQuitOnSignal() override;

signals:
    void stopRequested();

private:
    void onSignal();
};

#pragma once

class QEvent;
class QObject;

// Sees every event of the application before it is delivered.
class INxWatchManager
{
public:
    virtual ~INxWatchManager() = default;

    virtual QObject* getObject() = 0;
    virtual bool filterEvent(QObject* receiver, QEvent* event) = 0;
    virtual void setEnabled(bool enabled) = 0;
};

#pragma once

class QObject;

// The program's native event filter, as the active-window controller sees it.
class INxNativeEventFilter
{
public:
    virtual ~INxNativeEventFilter() = default;

    virtual QObject* getObject() = 0;
    virtual void setMouseActivate(bool activate) = 0;
    virtual bool isMouseActivate() = 0;
};

#pragma once

#include "NxNativeMessage.h"

#include <QByteArray>

// Decodes the native messages Qt hands to native event filters.
class INxNativeEvents
{
public:
    virtual ~INxNativeEvents() = default;

    virtual NxNativeMessage decode(const QByteArray& eventType, void* message) const = 0;
    // Answers a mouse-activation message so the clicked window takes the
    // focus without being activated or raised.
    virtual void refuseActivation(void* message, long* result) const = 0;
    // True where window activation arrives as a native caption message
    // (Windows); elsewhere Qt's activation-change event is the source.
    virtual bool reportsCaptionActivation() const = 0;
};

#include "NxNativeEventsNative.h"

#include <xcb/xcb.h>

// Under X11 Qt passes xcb events. Volumes are reported by NxMountWatcher and
// there is no accessibility or activation message to answer.
NxNativeMessage NxNativeEventsNative::decode(const QByteArray& eventType, void* message) const
{
    NxNativeMessage decoded;
    if (eventType != "xcb_generic_event_t" || !message)
        return decoded;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) == XCB_BUTTON_PRESS) {
        const auto* press = static_cast<const xcb_button_press_event_t*>(message);
        if (press->detail == XCB_BUTTON_INDEX_1)
            decoded.kind = NxNativeMessage::LeftButtonDown;
    }
    return decoded;
}

void NxNativeEventsNative::refuseActivation(void*, long* result) const
{
    if (result)
        *result = 0;
}

bool NxNativeEventsNative::reportsCaptionActivation() const
{
    return false;
}

#include "NxNativeEventsNative.h"

#include <windows.h>
#include <dbt.h>

namespace {

NxNativeMessage volumeMessage(const MSG* msg)
{
    NxNativeMessage decoded;
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(msg->lParam);
    if (!header || header->dbch_devicetype != DBT_DEVTYP_VOLUME)
        return decoded;
    const auto* volume = reinterpret_cast<const DEV_BROADCAST_VOLUME*>(header);
    // Media (CD) and network volumes are not USB sticks.
    if (volume->dbcv_flags != 0)
        return decoded;
    if (msg->wParam == DBT_DEVICEARRIVAL)
        decoded.kind = NxNativeMessage::VolumeArrival;
    else if (msg->wParam == DBT_DEVICEREMOVECOMPLETE)
        decoded.kind = NxNativeMessage::VolumeRemoval;
    decoded.unitMask = volume->dbcv_unitmask;
    return decoded;
}

} // namespace

NxNativeMessage NxNativeEventsNative::decode(const QByteArray& eventType, void* message) const
{
    if (eventType != "windows_generic_MSG" && eventType != "windows_dispatcher_MSG")
        return {};
    const MSG* msg = static_cast<const MSG*>(message);
    NxNativeMessage decoded;
    switch (msg->message) {
    case WM_DEVICECHANGE:
        return volumeMessage(msg);
    case WM_LBUTTONDOWN:
        decoded.kind = NxNativeMessage::LeftButtonDown;
        break;
    case WM_GETOBJECT:
        decoded.kind = NxNativeMessage::AccessibilityQuery;
        break;
    case WM_MOUSEACTIVATE:
        decoded.kind = NxNativeMessage::MouseActivate;
        break;
    case WM_NCACTIVATE:
        decoded.kind = NxNativeMessage::CaptionActivation;
        decoded.active = msg->wParam != 0;
        break;
    default:
        break;
    }
    return decoded;
}

void NxNativeEventsNative::refuseActivation(void* message, long* result) const
{
    const MSG* msg = static_cast<const MSG*>(message);
    if (result)
        *result = MA_NOACTIVATE;
    SendMessageW(msg->hwnd, WM_SETFOCUS, 0, 0);
}

bool NxNativeEventsNative::reportsCaptionActivation() const
{
    return true;
}

#pragma once

#include <QtGlobal>

// A native window-system message reduced to what the program reacts to.
struct NxNativeMessage
{
    enum Kind { Other, VolumeArrival, VolumeRemoval, LeftButtonDown, AccessibilityQuery, MouseActivate, CaptionActivation };

    Kind kind = Other;
    quint32 unitMask = 0; // drives of a volume message, bit 0 = A:
    bool active = false;  // caption activation: drawn active or inactive
};

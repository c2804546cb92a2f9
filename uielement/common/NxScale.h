#pragma once

#include "TavoUIElementGlobal.h"

#include <QString>

// Widgets are designed for a 1920-pixel-wide panel; every design value is
// multiplied by one factor, the application property "scalefactor".
class TAVOUIELEMENT_EXPORT NxScale
{
public:
    // The application property, or the fallback while it is not set.
    static double appFactor(double fallback = 1.0);
    // Design value × scale, truncated toward zero.
    static int px(double design, double scale);
    // Design value × scale as the shortest decimal ("14.2" at 0.71), for the
    // style sheets that take fractional pixels.
    static QString fractional(double design, double scale);
};

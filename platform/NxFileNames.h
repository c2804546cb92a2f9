#pragma once

#include "NxPlatformGlobal.h"

#include <QString>

// File names as Windows treats them: letters match whatever their case.
class NX_PLATFORM_EXPORT NxFileNames
{
public:
    // dir + "/" + the entry of dir whose name equals name ignoring case;
    // dir + "/" + name when there is none (or several, then an exact match wins).
    static QString resolve(const QString& dir, const QString& name);
    // What the Windows shell is given: a local path with backslashes, an
    // address (a scheme longer than a drive letter) exactly as it is.
    static QString shellTarget(const QString& target);
    // A local file the Windows shell's "open" would run rather than hand
    // to an associated program (.exe, .bat, .lnk, ...).
    static bool runsAsProgram(const QString& target);
};

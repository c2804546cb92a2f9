#pragma once

#include "NxPlatformGlobal.h"

#include <QString>
#include <QStringList>

// Runs a listing program and returns its standard output in the local 8-bit
// encoding; empty when it cannot start or does not finish in time.
class NX_PLATFORM_EXPORT NxProcessListing
{
public:
    static QString run(const QString& program, const QStringList& arguments, int timeoutMs);
};

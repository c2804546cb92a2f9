#pragma once

#include <QString>

// Where the program keeps its data and how one user session is told apart
// from another. One implementation per operating system; tests may install
// their own through NxPlatform::setSystemInfo.
class INxSystemInfo
{
public:
    virtual ~INxSystemInfo() = default;

    // Root of the machine-wide program data (%ALLUSERSPROFILE% on Windows).
    virtual QString dataRoot() const = 0;
    // Log directory used when version.ini names none.
    virtual QString defaultLogDir() const = 0;
    // Local-socket name and lock-file path that identify one running
    // instance of appId within the current user session.
    virtual QString instanceServerName(const QString& appId) const = 0;
    virtual QString instanceLockPath(const QString& appId) const = 0;
    // An empty directory of appId that only the current user can reach,
    // emptied at every call without following links planted in it or in
    // its place; empty when none could be made.
    virtual QString resetPrivateTempDir(const QString& appId) const = 0;
    // Windows 10 (or later, which reports itself as 10) and the kernel
    // build string, for the rules that single out Windows builds.
    virtual bool isWindows10() const = 0;
    virtual QString kernelVersion() const = 0;
    // A program of that base name in dir, with this system's suffix.
    virtual QString executablePath(const QString& dir, const QString& baseName) const = 0;
};

#include "NxSystemInfoNative.h"

#include <QDir>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QSysInfo>

#include <unistd.h>

namespace {

QString environmentValue(const char* name)
{
    return QProcessEnvironment::systemEnvironment().value(QString::fromLatin1(name));
}

// The freedesktop runtime directory is private to one user session; without
// it the shared temporary directory is told apart by user id.
QString sessionPrefix(const QString& appId)
{
    const QString runtimeDir = environmentValue("XDG_RUNTIME_DIR");
    if (!runtimeDir.isEmpty() && QFileInfo(runtimeDir).isDir())
        return QDir(runtimeDir).absoluteFilePath(appId);
    return QDir(QDir::tempPath()).absoluteFilePath(QStringLiteral("%1-%2").arg(appId).arg(getuid()));
}

} // namespace

QString NxSystemInfoNative::dataRoot() const
{
    const QString root = environmentValue("ALLUSERSPROFILE");
    if (!root.isEmpty())
        return root;
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString NxSystemInfoNative::defaultLogDir() const
{
    return dataRoot() + QStringLiteral("/Maplo/TavomcPresenterPro/Logs");
}

QString NxSystemInfoNative::instanceServerName(const QString& appId) const
{
    // An absolute path makes QLocalServer use it as the socket file.
    return sessionPrefix(appId) + QStringLiteral(".socket");
}

QString NxSystemInfoNative::instanceLockPath(const QString& appId) const
{
    return sessionPrefix(appId) + QStringLiteral(".lock");
}

bool NxSystemInfoNative::isWindows10() const
{
    return false;
}

QString NxSystemInfoNative::kernelVersion() const
{
    return QSysInfo::kernelVersion();
}

QString NxSystemInfoNative::executablePath(const QString& dir, const QString& baseName) const
{
    return dir + QLatin1Char('/') + baseName;
}

#include "NxSystemInfoNative.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QOperatingSystemVersion>
#include <QSysInfo>
#include <QProcessEnvironment>

#include <windows.h>

namespace {

// Terminal-services session of this process plus the user name: one
// instance per user session, as on a shared panel several users may log on.
QString sessionKey()
{
    DWORD sessionId = 0;
    if (!ProcessIdToSessionId(GetCurrentProcessId(), &sessionId))
        sessionId = 0;
    wchar_t user[256] = {0};
    DWORD size = sizeof(user) / sizeof(user[0]);
    if (!GetUserNameW(user, &size))
        user[0] = L'\0';
    return QStringLiteral("%1-%2").arg(sessionId).arg(QString::fromWCharArray(user));
}

} // namespace

QString NxSystemInfoNative::dataRoot() const
{
    // Without the variable the data would land in the root of the drive.
    const QString root = QProcessEnvironment::systemEnvironment().value(QStringLiteral("ALLUSERSPROFILE"));
    return root.isEmpty() ? QStringLiteral("C:/ProgramData") : root;
}

QString NxSystemInfoNative::defaultLogDir() const
{
    return QStringLiteral("C:/ProgramData/Maplo/TavomcPresenterPro/Logs");
}

QString NxSystemInfoNative::instanceServerName(const QString& appId) const
{
    return appId + QLatin1Char('-') + sessionKey();
}

QString NxSystemInfoNative::instanceLockPath(const QString& appId) const
{
    // The temporary directory is already per user on Windows.
    return QDir(QDir::tempPath()).absoluteFilePath(appId + QLatin1Char('-') + sessionKey() + QStringLiteral(".lock"));
}

QString NxSystemInfoNative::resetPrivateTempDir(const QString& appId) const
{
    // The temporary directory is the user's own on Windows; a link in the
    // directory's place is removed, never followed.
    const QString path = QDir(QDir::tempPath()).absoluteFilePath(appId);
    const QFileInfo info(path);
    if (info.isSymLink()) {
        if (!QFile::remove(path))
            QDir().rmdir(path);
    } else if (info.isDir()) {
        QDir(path).removeRecursively();
    }
    return QDir().mkpath(path) && QFileInfo(path).isDir() && !QFileInfo(path).isSymLink() ? path : QString();
}

bool NxSystemInfoNative::isWindows10() const
{
    return QOperatingSystemVersion::current().majorVersion() == 10;
}

QString NxSystemInfoNative::kernelVersion() const
{
    return QSysInfo::kernelVersion();
}

QString NxSystemInfoNative::executablePath(const QString& dir, const QString& baseName) const
{
    return dir + QLatin1Char('/') + baseName + QStringLiteral(".exe");
}

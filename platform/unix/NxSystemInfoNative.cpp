#include "NxSystemInfoNative.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QSysInfo>

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
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

// A real directory of this user, not a link to one.
bool isOwnDirectory(const QByteArray& path)
{
    struct stat info;
    return ::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid();
}

bool isLink(const QByteArray& path)
{
    struct stat info;
    return ::lstat(path.constData(), &info) == 0 && S_ISLNK(info.st_mode);
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

QString NxSystemInfoNative::resetPrivateTempDir(const QString& appId) const
{
    const QString path = sessionPrefix(appId);
    const QByteArray native = QFile::encodeName(path);
    if (isOwnDirectory(native))
        QDir(path).removeRecursively(); // links inside are removed, never followed
    else if (isLink(native))
        ::unlink(native.constData()); // a planted link: only the link goes
    if ((::mkdir(native.constData(), 0700) == 0 || errno == EEXIST) && isOwnDirectory(native)
        && ::chmod(native.constData(), 0700) == 0)
        return path;
    // Another user holds the name: a fresh directory of our own beside it.
    QByteArray pattern = native + "-XXXXXX";
    if (::mkdtemp(pattern.data()))
        return QFile::decodeName(pattern);
    qWarning() << "NxSystemInfoNative::resetPrivateTempDir" << "no private temporary directory at" << path;
    return QString();
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

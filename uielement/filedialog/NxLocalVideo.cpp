#include "NxLocalVideo.h"

#include "INxWindows.h"
#include "NxPlatform.h"
#include "NxResumePositions.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

NxLocalVideo NxLocalVideo::inspect(const QString& pathOrUrl, const QStringList& patterns, bool askSystem)
{
    NxLocalVideo video;
    video.m_path = localPath(pathOrUrl);
    const QFileInfo file(video.m_path);
    if (video.m_path.isEmpty())
        video.m_refusal = QStringLiteral("not a local file");
    else if (!file.exists())
        video.m_refusal = QStringLiteral("no such file");
    // Folders, pipes and devices: a pipe would block whoever reads it.
    else if (!file.isFile())
        video.m_refusal = QStringLiteral("not a regular file");
    else if (!QDir::match(patterns, file.fileName()))
        video.m_refusal = QStringLiteral("not a video file");
    else if (!file.isReadable())
        video.m_refusal = QStringLiteral("not readable");
    if (!video.isPlayable())
        return video;
    video.m_path = file.absoluteFilePath();
    video.m_resumeKey = NxResumePositions::key(video.m_path, file.size(), file.lastModified());
    video.m_resumeAt = NxResumePositions::instance().position(video.m_resumeKey);
    if (askSystem) {
        INxWindows* windows = NxPlatform::windows();
        const QString suffix = QLatin1Char('.') + file.suffix();
        video.m_hasSystemProgram = !windows->associatedProgram(suffix).isEmpty()
            || !windows->associatedAppName(suffix).isEmpty();
    }
    return video;
}

// "file" addresses and plain paths; any other address is not local. A
// drive letter ("C:/...") is a path, not an address scheme.
QString NxLocalVideo::localPath(const QString& pathOrUrl)
{
    if (pathOrUrl.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        const QUrl url(pathOrUrl);
        return url.isLocalFile() && url.host().isEmpty() ? url.toLocalFile() : QString();
    }
    const QUrl url(pathOrUrl);
    const bool hasScheme = url.scheme().size() > 1 && !QDir::isAbsolutePath(pathOrUrl);
    return hasScheme ? QString() : pathOrUrl;
}

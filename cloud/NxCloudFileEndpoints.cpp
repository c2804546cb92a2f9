#include "NxCloudFileEndpoints.h"

#include "NxCloudRouter.h"

#include <QDir>
#include <QFile>
#include <QMutexLocker>

NxCloudFileEndpoints::NxCloudFileEndpoints(const QString& prefix)
    : m_prefix(prefix)
{
}

void NxCloudFileEndpoints::setDirectory(const QString& dir)
{
    QMutexLocker lock(&m_mutex);
    m_dir = dir;
}

QString NxCloudFileEndpoints::directory() const
{
    QMutexLocker lock(&m_mutex);
    return m_dir;
}

void NxCloudFileEndpoints::addRoutes(NxCloudRouter& router)
{
    // Players ask with HEAD for the size before they fetch ranges.
    for (const QString& method : {QStringLiteral("GET"), QStringLiteral("HEAD")})
        router.addPrefix(method, m_prefix, [this](const NxCloudRequest& r) { return serve(r); });
}

NxCloudReply NxCloudFileEndpoints::found(const NxCloudRequest&, const QByteArray& data,
                                         const QByteArray& contentType) const
{
    return NxCloudReply::file(data, contentType);
}

QString NxCloudFileEndpoints::fileName(const NxCloudRequest& request) const
{
    return request.path.mid(m_prefix.size());
}

NxCloudReply NxCloudFileEndpoints::serve(const NxCloudRequest& request) const
{
    const QString name = fileName(request);
    const QString dir = directory();
    if (dir.isEmpty() || !isPlainFileName(name))
        return NxCloudReply::plainStatus(404);
    QFile file(QDir(dir).filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return NxCloudReply::plainStatus(404);
    return found(request, file.readAll(), contentType(name));
}

bool NxCloudFileEndpoints::isPlainFileName(const QString& name)
{
    // Keeps requests inside the directory.
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
        && name != QLatin1String("..") && name != QLatin1String(".");
}

QByteArray NxCloudFileEndpoints::contentType(const QString& name)
{
    const QString lower = name.toLower();
    if (lower.endsWith(QLatin1String(".png")))
        return "image/png";
    if (lower.endsWith(QLatin1String(".jpg")) || lower.endsWith(QLatin1String(".jpeg")))
        return "image/jpeg";
    if (lower.endsWith(QLatin1String(".svg")))
        return "image/svg+xml";
    if (lower.endsWith(QLatin1String(".mp4")))
        return "video/mp4";
    return "application/octet-stream";
}

#include "NxPictureEndpoints.h"

#include "NxCloudRouter.h"

#include <QDir>
#include <QFile>
#include <QMutexLocker>

QString NxPictureEndpoints::prefix()
{
    return QStringLiteral("/pictures/");
}

void NxPictureEndpoints::setDirectory(const QString& dir)
{
    QMutexLocker lock(&m_mutex);
    m_dir = dir;
}

QString NxPictureEndpoints::directory() const
{
    QMutexLocker lock(&m_mutex);
    return m_dir;
}

void NxPictureEndpoints::addRoutes(NxCloudRouter& router)
{
    router.addPrefix(QStringLiteral("GET"), prefix(),
                     [this](const NxCloudRequest& r) { return picture(r); });
}

NxCloudReply NxPictureEndpoints::picture(const NxCloudRequest& request) const
{
    const QString name = request.path.mid(prefix().size());
    const QString dir = directory();
    if (dir.isEmpty() || !isPlainFileName(name))
        return NxCloudReply::plainStatus(404);
    QFile file(QDir(dir).filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return NxCloudReply::plainStatus(404);
    return NxCloudReply::file(file.readAll(), contentType(name));
}

bool NxPictureEndpoints::isPlainFileName(const QString& name)
{
    // Keeps requests inside the picture directory.
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
        && name != QLatin1String("..") && name != QLatin1String(".");
}

QByteArray NxPictureEndpoints::contentType(const QString& name)
{
    const QString lower = name.toLower();
    if (lower.endsWith(QLatin1String(".png")))
        return "image/png";
    if (lower.endsWith(QLatin1String(".jpg")) || lower.endsWith(QLatin1String(".jpeg")))
        return "image/jpeg";
    if (lower.endsWith(QLatin1String(".svg")))
        return "image/svg+xml";
    return "application/octet-stream";
}

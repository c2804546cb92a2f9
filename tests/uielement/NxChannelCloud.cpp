#include "NxChannelCloud.h"

#include "NxGeneratedCatalogue.h"
#include "NxWebCmdCtrl.h"

#include <QDir>
#include <QImage>
#include <QJsonArray>

NxChannelCloud::NxChannelCloud(const QJsonObject& seed)
    : m_fixture(seed)
{
    m_manager.setWebCommandCtrl(m_fixture.startClient());
}

NxTestCloud& NxChannelCloud::cloud()
{
    return m_fixture.cloud();
}

NxWebCmdCtrl& NxChannelCloud::client()
{
    return *m_fixture.client();
}

INxControllerManager* NxChannelCloud::manager()
{
    return &m_manager;
}

QString NxChannelCloud::addPicture(const QString& file, const QColor& colour, const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    image.save(QDir(cloud().pictureDir()).filePath(file), "PNG");
    return cloud().pictureUrl(file);
}

QJsonArray NxChannelCloud::generatedTiles(const QString& kind, int count) const
{
    const QString size = kind == QLatin1String("s") ? QStringLiteral("small") : QStringLiteral("large");
    QJsonArray tiles;
    for (int i = 0; i < count; ++i) {
        const QString id = kind + QString::number(i);
        tiles.append(QJsonObject{{QStringLiteral("ID"), QStringLiteral("ID_CHANNEL")},
                                 {QStringLiteral("channelid"), id},
                                 {QStringLiteral("channelType"), QStringLiteral("web")},
                                 {QStringLiteral("from"), QStringLiteral("web")},
                                 {QStringLiteral("url"), QStringLiteral("https://example.org/") + id},
                                 {QStringLiteral("name"), (kind == QLatin1String("s") ? QStringLiteral("Station %1")
                                                                                     : QStringLiteral("Channel %1")).arg(i)},
                                 {QStringLiteral("web_image"),
                                  m_fixture.cloud().baseUrl() + QLatin1Char('/') + NxGeneratedCatalogue::pictureReference(kind, i, size)}});
    }
    return tiles;
}

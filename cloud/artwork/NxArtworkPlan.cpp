#include "NxArtworkPlan.h"

#include <QSet>
#include <QtMath>

namespace {
const QString kPicturesDir = QStringLiteral("pictures/");
const QString kBase = QStringLiteral("{base}/");
// Hues stay within the product's blue-violet family.
const qreal kHueFrom = 220.0;
const qreal kHueSpan = 56.0;
const qreal kGolden = 0.6180339887;
}

QList<NxArtworkPlan::Picture> NxArtworkPlan::fromSeed(const QJsonObject& seed)
{
    QList<Picture> pictures;
    QSet<QString> files;
    const QList<QJsonObject> channels = channelsOf(seed);
    for (int i = 0; i < channels.size(); ++i) {
        const QJsonObject& channel = channels.at(i);
        const QJsonObject art = channel.value(QStringLiteral("art")).toObject();
        for (const QJsonValue& value : channel.value(QStringLiteral("images")).toArray()) {
            const QJsonObject image = value.toObject();
            const QString file = localFile(image.value(QStringLiteral("url")).toString());
            if (file.isEmpty() || files.contains(file))
                continue;
            files.insert(file);
            pictures.append(Picture{file, image.value(QStringLiteral("type")).toString(),
                                    channel.value(QStringLiteral("channelName")).toString(),
                                    channel.value(QStringLiteral("introduction")).toString(),
                                    art.value(QStringLiteral("motif")).toString(), hueFor(i, art)});
        }
    }
    addAvatar(seed, pictures);
    return pictures;
}

void NxArtworkPlan::addAvatar(const QJsonObject& seed, QList<Picture>& pictures)
{
    const QJsonObject signIn = seed.value(QStringLiteral("signIn")).toObject();
    const QString file = localFile(signIn.value(QStringLiteral("avatar")).toString());
    if (!file.isEmpty())
        pictures.append(Picture{file, QStringLiteral("avatar"), signIn.value(QStringLiteral("name")).toString(),
                                QString(), QString(), kHueFrom + kHueSpan / 2});
}

QList<QJsonObject> NxArtworkPlan::channelsOf(const QJsonObject& seed)
{
    QList<QJsonObject> all;
    const QJsonObject categories = seed.value(QStringLiteral("categories")).toObject();
    for (const QJsonValue& category : categories)
        collect(category.toObject().value(QStringLiteral("data")).toObject().value(QStringLiteral("children")).toArray(), all);
    collect(seed.value(QStringLiteral("offered")).toArray(), all);
    for (const QJsonValue& channels : seed.value(QStringLiteral("users")).toObject())
        collect(channels.toArray(), all);
    // One entry per channel id, in order of first appearance.
    QList<QJsonObject> unique;
    QSet<QString> seen;
    for (const QJsonObject& channel : all) {
        const QString id = channel.value(QStringLiteral("channelId")).toString();
        if (!seen.contains(id)) {
            seen.insert(id);
            unique.append(channel);
        }
    }
    return unique;
}

void NxArtworkPlan::collect(const QJsonArray& channels, QList<QJsonObject>& out)
{
    for (const QJsonValue& value : channels) {
        const QJsonObject channel = value.toObject();
        out.append(channel);
        collect(channel.value(QStringLiteral("children")).toArray(), out);
    }
}

QString NxArtworkPlan::localFile(const QString& url)
{
    QString path = url.startsWith(kBase) ? url.mid(kBase.size()) : url;
    while (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    if (!path.startsWith(kPicturesDir))
        return QString();
    const QString file = path.mid(kPicturesDir.size());
    return file.contains(QLatin1Char('/')) ? QString() : file;
}

qreal NxArtworkPlan::hueFor(int index, const QJsonObject& art)
{
    if (art.contains(QStringLiteral("hue")))
        return art.value(QStringLiteral("hue")).toDouble();
    // Golden-ratio steps keep neighbouring channels apart.
    const qreal step = index * kGolden;
    return kHueFrom + (step - qFloor(step)) * kHueSpan;
}

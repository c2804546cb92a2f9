#include "NxGeneratedCatalogue.h"

#include <QBuffer>
#include <QImage>
#include <QJsonArray>
#include <QList>
#include <QPair>
#include <QRegularExpression>

namespace {

const QString kKindChannel = QStringLiteral("c");
const QString kKindStation = QStringLiteral("s");
// Neighbouring tiles get clearly different colours.
const double kGoldenAngle = 137.508;

QSize pictureSize(const QString& type)
{
    return type == QLatin1String("small") ? QSize(160, 120) : QSize(320, 320);
}

// A plain colour with a lighter band whose place follows the index, so
// every tile of a page looks different from its neighbours.
QImage drawPicture(int index, const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    const int hue = int(index * kGoldenAngle) % 360;
    image.fill(QColor::fromHsv(hue, 150, 190));
    const QRgb band = QColor::fromHsv(hue, 60, 240).rgb();
    const int from = (index * 37) % qMax(1, size.height() - size.height() / 4);
    for (int y = from; y < from + size.height() / 4; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(line, line + size.width(), band);
    }
    return image;
}

} // namespace

QString NxGeneratedCatalogue::prefix()
{
    return QStringLiteral("/generated/");
}

QString NxGeneratedCatalogue::pictureReference(const QString& kind, int index, const QString& type)
{
    return QStringLiteral("%1%2%3_%4.png").arg(prefix().mid(1), kind).arg(index).arg(type);
}

QJsonObject NxGeneratedCatalogue::channel(const QString& kind, int index)
{
    const QString id = kind + QString::number(index);
    const QString name = (kind == kKindStation ? QStringLiteral("Station %1") : QStringLiteral("Channel %1")).arg(index);
    QJsonArray images;
    int order = 0;
    for (const char* type : {"small", "large"}) {
        images.append(QJsonObject{{QStringLiteral("id"), index * 2 + order},
                                  {QStringLiteral("order"), order},
                                  {QStringLiteral("type"), QLatin1String(type)},
                                  {QStringLiteral("url"), pictureReference(kind, index, QLatin1String(type))}});
        ++order;
    }
    return QJsonObject{{QStringLiteral("id"), index},
                       {QStringLiteral("channelId"), QStringLiteral("gen-") + id},
                       {QStringLiteral("channelName"), name},
                       {QStringLiteral("introduction"), QString()},
                       {QStringLiteral("address"), QStringLiteral("https://example.org/") + id},
                       {QStringLiteral("isHasChild"), QStringLiteral("0")},
                       {QStringLiteral("playMode"), QStringLiteral("0")},
                       {QStringLiteral("channelType"), QStringLiteral("web")},
                       {QStringLiteral("images"), images},
                       {QStringLiteral("children"), QJsonArray()}};
}

QJsonObject NxGeneratedCatalogue::category(const QJsonObject& base, const QString& id, const QString& kind, int count)
{
    QJsonObject entry = base.value(id).toObject();
    QJsonObject root = entry.value(QStringLiteral("data")).toObject();
    QJsonArray children;
    for (int i = 0; i < count; ++i)
        children.append(channel(kind, i));
    root.insert(QStringLiteral("channelId"), id);
    if (!root.contains(QStringLiteral("channelName")))
        root.insert(QStringLiteral("channelName"), id);
    root.insert(QStringLiteral("isHasChild"), count > 0 ? QStringLiteral("1") : QStringLiteral("0"));
    root.insert(QStringLiteral("children"), children);
    entry.insert(QStringLiteral("data"), root);
    if (!entry.contains(QStringLiteral("bannerCount")))
        entry.insert(QStringLiteral("bannerCount"), 4);
    return entry;
}

QJsonObject NxGeneratedCatalogue::seed(const QJsonObject& base, int channels, int stations)
{
    QJsonObject categories = base.value(QStringLiteral("categories")).toObject();
    QJsonArray offered = base.value(QStringLiteral("offered")).toArray();
    const QList<QPair<QString, int>> generated{{QStringLiteral("nxtchannel"), channels}, {QStringLiteral("tvstation"), stations}};
    for (const auto& [id, count] : generated) {
        if (count < 0)
            continue;
        const QJsonObject entry = category(categories, id, id == QLatin1String("tvstation") ? kKindStation : kKindChannel, count);
        categories.insert(id, entry);
        // The list offered for adding shows the same channels.
        for (int i = 0; i < offered.size(); ++i) {
            if (offered.at(i).toObject().value(QStringLiteral("channelId")).toString() == id)
                offered.replace(i, entry.value(QStringLiteral("data")));
        }
    }
    QJsonObject out = base;
    out.insert(QStringLiteral("categories"), categories);
    out.insert(QStringLiteral("offered"), offered);
    return out;
}

QByteArray NxGeneratedCatalogue::picture(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^[cs](\\d{1,7})_(small|large)\\.png$"));
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return QByteArray();
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    drawPicture(match.captured(1).toInt(), pictureSize(match.captured(2))).save(&buffer, "PNG");
    return data;
}

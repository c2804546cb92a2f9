#include "NxCloudLinkResolver.h"

#include "NxCloudRequest.h"

#include <QUrl>

namespace {
const QString kArtKey = QStringLiteral("art"); // artwork hints, not for clients
}

NxCloudLinkResolver::NxCloudLinkResolver(const QString& baseUrl)
    : m_base(baseUrl.endsWith(QLatin1Char('/')) ? baseUrl.chopped(1) : baseUrl)
{
}

NxCloudLinkResolver NxCloudLinkResolver::forRequest(const NxCloudRequest& request, const QString& fallbackBase)
{
    return NxCloudLinkResolver(request.origin(fallbackBase));
}

QString NxCloudLinkResolver::placeholder()
{
    return QStringLiteral("{base}");
}

QString NxCloudLinkResolver::pictureUrl(const QString& reference) const
{
    if (reference.isEmpty() || reference.startsWith(placeholder()))
        return withBase(reference);
    if (!QUrl(reference).isRelative())
        return reference;
    QString path = reference;
    while (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    return m_base + QLatin1Char('/') + path;
}

QJsonObject NxCloudLinkResolver::channel(const QJsonObject& channel) const
{
    QJsonObject out = channel;
    out.remove(kArtKey);
    if (out.contains(QStringLiteral("address")))
        out.insert(QStringLiteral("address"), withBase(out.value(QStringLiteral("address")).toString()));
    if (out.value(QStringLiteral("images")).isArray())
        out.insert(QStringLiteral("images"), images(out.value(QStringLiteral("images")).toArray()));
    if (out.value(QStringLiteral("children")).isArray())
        out.insert(QStringLiteral("children"), channels(out.value(QStringLiteral("children")).toArray()));
    return out;
}

QJsonArray NxCloudLinkResolver::channels(const QJsonArray& channels) const
{
    QJsonArray out;
    for (const QJsonValue& value : channels)
        out.append(value.isObject() ? QJsonValue(channel(value.toObject())) : value);
    return out;
}

QString NxCloudLinkResolver::withBase(const QString& text) const
{
    QString out = text;
    return out.replace(placeholder(), m_base);
}

QJsonArray NxCloudLinkResolver::images(const QJsonArray& images) const
{
    QJsonArray out;
    for (const QJsonValue& value : images) {
        QJsonObject image = value.toObject();
        image.insert(QStringLiteral("url"), pictureUrl(image.value(QStringLiteral("url")).toString()));
        out.append(image);
    }
    return out;
}

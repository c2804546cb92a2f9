#include "NxCloudPictureTable.h"

#include "NxCloudFileEndpoints.h"
#include "NxCloudLinkResolver.h"
#include "NxCloudQuery.h"
#include "NxPictureEndpoints.h"

#include <QDateTime>

namespace {
const QString kContentType = QStringLiteral("contentType");
const QString kPictureData = QStringLiteral("data");
}

bool NxCloudPictureTable::write(const QSqlDatabase& db, const QString& name, const Picture& picture, QString* error)
{
    if (!NxCloudFileEndpoints::isPlainFileName(name)) {
        *error = QStringLiteral("picture name %1 is not a plain file name").arg(name);
        return false;
    }
    return NxCloudQuery::run(db, QStringLiteral("INSERT INTO pictures (name, content_type, data, updated_at)"
                                                " VALUES (?, ?, ?, ?) ON CONFLICT (name) DO UPDATE SET"
                                                " content_type = excluded.content_type, data = excluded.data,"
                                                " updated_at = excluded.updated_at"),
                             {name, QString::fromLatin1(picture.contentType), picture.data,
                              QDateTime::currentMSecsSinceEpoch()},
                             error);
}

bool NxCloudPictureTable::writeAll(const QSqlDatabase& db, const QJsonObject& pictures, QString* error)
{
    for (auto it = pictures.begin(); it != pictures.end(); ++it) {
        const QJsonObject entry = it.value().toObject();
        const auto data = QByteArray::fromBase64Encoding(entry.value(kPictureData).toString().toLatin1(),
                                                         QByteArray::AbortOnBase64DecodingErrors);
        if (!data || !entry.value(kContentType).isString()) {
            *error = QStringLiteral("picture %1 lacks a content type or base64 data").arg(it.key());
            return false;
        }
        if (!write(db, it.key(), Picture{entry.value(kContentType).toString().toLatin1(), *data}, error))
            return false;
    }
    return true;
}

bool NxCloudPictureTable::removeUnused(const QSqlDatabase& db, const QStringList& references, QString* error)
{
    NxCloudQuery remove(db, QStringLiteral("DELETE FROM pictures WHERE name = ?"
                                           " AND NOT EXISTS (SELECT 1 FROM channel_images WHERE url IN (?, ?))"
                                           " AND NOT EXISTS (SELECT 1 FROM teachers WHERE avatar IN (?, ?))"));
    for (const QString& reference : references) {
        const QString name = nameOf(reference);
        const QString relative = NxPictureEndpoints::prefix().mid(1) + name;
        const QString based = NxCloudLinkResolver::placeholder() + NxPictureEndpoints::prefix() + name;
        if (!name.isEmpty() && !remove.exec({name, relative, based, relative, based}, error))
            return false;
    }
    return true;
}

bool NxCloudPictureTable::readAll(const QSqlDatabase& db, Pictures* pictures, QString* error)
{
    NxCloudQuery rows(db, QStringLiteral("SELECT name, content_type, data FROM pictures"));
    if (!rows.exec({}, error))
        return false;
    pictures->clear();
    while (rows.next())
        pictures->insert(rows.value(0).toString(), Picture{rows.value(1).toString().toLatin1(), rows.value(2).toByteArray()});
    return true;
}

QJsonObject NxCloudPictureTable::toJson(const Pictures& pictures)
{
    QJsonObject json;
    for (auto it = pictures.begin(); it != pictures.end(); ++it) {
        json.insert(it.key(), QJsonObject{{kContentType, QString::fromLatin1(it->contentType)},
                                          {kPictureData, QString::fromLatin1(it->data.toBase64())}});
    }
    return json;
}

QString NxCloudPictureTable::nameOf(const QString& reference)
{
    QString path = reference;
    if (path.startsWith(NxCloudLinkResolver::placeholder()))
        path.remove(0, NxCloudLinkResolver::placeholder().size());
    if (!path.startsWith(QLatin1Char('/')))
        path.prepend(QLatin1Char('/'));
    if (!path.startsWith(NxPictureEndpoints::prefix()))
        return QString();
    const QString name = path.mid(NxPictureEndpoints::prefix().size());
    return NxCloudFileEndpoints::isPlainFileName(name) ? name : QString();
}

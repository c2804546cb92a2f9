#pragma once

#include "NxCloudAnswerCache.h"
#include "NxCloudPictureTable.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QMap>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <memory>

// The answers the panels ask for most (categories with their TV stations,
// the groups offered for adding, pictures), read from the database once per
// change and then shared read-only by every HTTP thread.
class NxCloudSnapshot
{
public:
    // Reads what changed; the rest is taken over from previous, whose
    // implicitly shared containers make that copy cheap.
    static bool load(const QSqlDatabase& db, const NxCloudSnapshot& previous, bool catalogue, bool pictures,
                     NxCloudSnapshot* out, QString* error);

    // The database's change counter when this was read.
    qint64 generation() const;
    bool hasCategory(const QString& id) const;
    // { "bannerCount", "data": <root channel> }
    QJsonObject category(const QString& id) const;
    QStringList categoryIds() const;
    QJsonArray offered() const;
    bool picture(const QString& name, NxCloudPictureTable::Picture* picture) const;
    // An answer body built from this snapshot, built at the first request.
    QByteArray answer(const QString& key, const NxCloudAnswerCache::Build& build) const;

private:
    qint64 m_generation = 0;
    QMap<QString, QJsonObject> m_categories;
    QJsonArray m_offered;
    NxCloudPictureTable::Pictures m_pictures;
    std::shared_ptr<NxCloudAnswerCache> m_answers = std::make_shared<NxCloudAnswerCache>();
};

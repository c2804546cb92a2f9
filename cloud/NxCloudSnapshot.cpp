#include "NxCloudSnapshot.h"

#include "NxCloudCategoryTable.h"
#include "NxCloudChannelTable.h"
#include "NxCloudQuery.h"

bool NxCloudSnapshot::load(const QSqlDatabase& db, const NxCloudSnapshot& previous, bool catalogue, bool pictures,
                           NxCloudSnapshot* out, QString* error)
{
    *out = previous;
    out->m_answers = std::make_shared<NxCloudAnswerCache>();
    bool ok = false;
    out->m_generation = NxCloudQuery::scalar(db, QStringLiteral("SELECT value FROM counters WHERE name = ?"),
                                             {QStringLiteral("catalogue_generation")}, 0, error, &ok).toLongLong();
    if (!ok)
        return false;
    if (pictures && !NxCloudPictureTable::readAll(db, &out->m_pictures, error))
        return false;
    if (!catalogue)
        return true;
    return NxCloudCategoryTable::read(db, &out->m_categories, error)
        && NxCloudChannelTable::readOffered(db, out->m_categories, &out->m_offered, error);
}

qint64 NxCloudSnapshot::generation() const
{
    return m_generation;
}

bool NxCloudSnapshot::hasCategory(const QString& id) const
{
    return m_categories.contains(id);
}

QJsonObject NxCloudSnapshot::category(const QString& id) const
{
    return m_categories.value(id);
}

QStringList NxCloudSnapshot::categoryIds() const
{
    return m_categories.keys();
}

QJsonArray NxCloudSnapshot::offered() const
{
    return m_offered;
}

bool NxCloudSnapshot::picture(const QString& name, NxCloudPictureTable::Picture* picture) const
{
    const auto it = m_pictures.constFind(name);
    if (it == m_pictures.constEnd())
        return false;
    *picture = it.value();
    return true;
}

QByteArray NxCloudSnapshot::answer(const QString& key, const NxCloudAnswerCache::Build& build) const
{
    return m_answers->answer(key, build);
}

#pragma once

#include "NxAdminStore.h"

#include <QJsonObject>

class NxCloudLinkResolver;

// The channels teachers made on their panels: the admin API reads them and
// may delete one, never changes them.
class NxAdminOwnChannels
{
public:
    explicit NxAdminOwnChannels(QSharedPointer<NxCloudStore> store);

    NxAdminResult list(const QString& teacherId, const NxCloudLinkResolver& links) const;
    NxAdminResult remove(const QString& teacherId, const QString& channelId, const QString& actor) const;

    // {"id", "channelId", "name", "introduction", "address", "pictures"}
    static QJsonObject toJson(const QJsonObject& channel, const NxCloudLinkResolver& links);

private:
    static bool teacherExists(const QSqlDatabase& db, const QString& id, QString* error, NxAdminResult* result);

    NxAdminStore m_store;
};

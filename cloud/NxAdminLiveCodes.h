#pragma once

#include "NxAdminStore.h"
#include "NxCloudLiveCodeTable.h"

#include <QJsonObject>

// Live codes as the admin API changes them; a code is never handed out
// twice: a drawn one is free, a given one in use is refused with 409.
class NxAdminLiveCodes
{
public:
    explicit NxAdminLiveCodes(QSharedPointer<NxCloudStore> store);

    NxAdminResult list(int offset, int limit) const;
    NxAdminResult get(const QString& code) const;
    NxAdminResult create(const QJsonObject& body, const QString& actor) const;
    NxAdminResult patch(const QString& code, const QJsonObject& body, const QString& actor) const;
    NxAdminResult remove(const QString& code, const QString& actor) const;

    static QJsonObject toJson(const NxCloudLiveCodeTable::Row& row);

private:
    // Reads the fields present in body over row; false with *refusal set.
    static bool apply(const QJsonObject& body, NxCloudLiveCodeTable::Row* row, NxAdminResult* refusal);
    static bool found(const QSqlDatabase& db, const QString& code, NxCloudLiveCodeTable::Row* row, QString* error,
                      NxAdminResult* result);

    NxAdminStore m_store;
};

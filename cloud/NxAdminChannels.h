#pragma once

#include "NxAdminStore.h"
#include "NxCloudCategoryChannels.h"

#include <QJsonObject>
#include <QList>
#include <QSharedPointer>
#include <QString>

class NxCloudLinkResolver;
class NxPictureUpload;

// Categories and their channels as the admin API changes them: every change
// one transaction with its audit entry, after which the panels' catalogue
// shows it.
class NxAdminChannels
{
public:
    explicit NxAdminChannels(QSharedPointer<NxCloudStore> store);

    NxAdminResult categories() const;
    NxAdminResult patchCategory(const QString& id, const QJsonObject& body, const QString& actor) const;

    NxAdminResult list(const QString& category, const QString& search, int offset, int limit,
                       const NxCloudLinkResolver& links) const;
    NxAdminResult get(qint64 id, const NxCloudLinkResolver& links) const;
    NxAdminResult create(const QJsonObject& body, const QString& actor, const NxCloudLinkResolver& links) const;
    NxAdminResult patch(qint64 id, const QJsonObject& body, const QString& actor, const NxCloudLinkResolver& links) const;
    NxAdminResult remove(qint64 id, const QString& actor) const;
    NxAdminResult setPictures(qint64 id, const NxPictureUpload& pictures, const QString& actor,
                              const NxCloudLinkResolver& links) const;
    // Appends stations to "tvstation".
    NxAdminResult addStations(QList<NxCloudCategoryChannels::NewChannel> stations, const QString& actor,
                              int* added) const;

    static QJsonObject toJson(const NxCloudCategoryChannels::Channel& channel, const NxCloudLinkResolver& links);

private:
    // Finds the channel inside the transaction; a 404 when there is none.
    static bool found(const QSqlDatabase& db, qint64 id, NxCloudCategoryChannels::Channel* channel, QString* error,
                      NxAdminResult* result);
    static bool categoryExists(const QSqlDatabase& db, const QString& id, QString* error, NxAdminResult* result);

    NxAdminStore m_store;
};

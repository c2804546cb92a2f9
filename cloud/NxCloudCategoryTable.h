#pragma once

#include <QJsonObject>
#include <QMap>
#include <QSqlDatabase>
#include <QString>

class NxCloudChannelTable;

// The categories the panels ask for by channelId: the seed's layout
// { "<channelId>": { "bannerCount": n, "data": <root channel> } }, with the
// banner made of the first bannerCount channels of the root, as panels read
// it. TV stations are the channels of the category "tvstation".
class NxCloudCategoryTable
{
public:
    static bool write(const QSqlDatabase& db, const QJsonObject& categories, NxCloudChannelTable& channels,
                      QString* error);
    static bool read(const QSqlDatabase& db, QMap<QString, QJsonObject>* categories, QString* error);
};

#pragma once

#include "NxFileDialogTypes.h"
#include "TavoUIElementGlobal.h"

#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QVector>

// Listings of the cloud places read into rows: the personal disk
// ("api/pan/files") and the collected resources ("api/rescollect/collectlist").
class TAVOUIELEMENT_EXPORT NxCloudListing
{
public:
    struct Result {
        bool success = false;
        QVector<NxFileEntry> entries;
        QList<CloudFile> files;
    };

    static Result parseDisk(const QJsonObject& reply, const QString& pass, const QString& path);
    static Result parseResources(const QJsonObject& reply, const QString& pass, const QString& path);
    // "2024-05-01 08:30:00" or "2024/05/01 08:30:00"; invalid otherwise.
    static QDateTime parseDate(const QString& text);

private:
    static QString dateText(const QString& text);
    static QString text(const QJsonObject& object, const char* key);
};

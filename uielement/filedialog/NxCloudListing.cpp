#include "NxCloudListing.h"

#include "NxFileLister.h"

#include <QJsonArray>

QString NxCloudListing::text(const QJsonObject& object, const char* key)
{
    const QJsonValue value = object.value(QLatin1String(key));
    return value.isDouble() ? QString::number(value.toDouble(), 'f', 0) : value.toString();
}

QDateTime NxCloudListing::parseDate(const QString& text)
{
    for (const char* format : {"yyyy-MM-dd HH:mm:ss", "yyyy/MM/dd HH:mm:ss"}) {
        const QDateTime time = QDateTime::fromString(text, QLatin1String(format));
        if (time.isValid())
            return time;
    }
    return QDateTime();
}

QString NxCloudListing::dateText(const QString& text)
{
    const QDateTime time = parseDate(text);
    return time.isValid() ? NxFileLister::dateText(time) : text;
}

NxCloudListing::Result NxCloudListing::parseDisk(const QJsonObject& reply, const QString& pass, const QString& path)
{
    Result result;
    result.success = reply.value(QStringLiteral("success")).toBool();
    const QJsonObject data = reply.value(QStringLiteral("data")).toObject();
    for (const QJsonValue& value : data.value(QStringLiteral("folders")).toArray()) {
        const QJsonObject folder = value.toObject();
        NxFileEntry entry;
        entry.name = text(folder, "Folder_Name");
        entry.isDir = true;
        entry.date = dateText(text(folder, "Folder_Date"));
        entry.pass = pass;
        entry.path = path;
        entry.netId = text(folder, "Folder_ID").isEmpty() ? text(folder, "Folder_id") : text(folder, "Folder_ID");
        result.entries.append(entry);
    }
    for (const QJsonValue& value : data.value(QStringLiteral("files")).toArray()) {
        const QJsonObject file = value.toObject();
        CloudFile cloud{text(file, "F_ID"),      text(file, "F_Filename"), text(file, "F_Ext"),   text(file, "F_Filesize"),
                        text(file, "F_Filedate"), text(file, "F_Url"),      text(file, "f_source"), QString()};
        NxFileEntry entry;
        entry.name = cloud.ext.isEmpty() || cloud.name.endsWith(QLatin1Char('.') + cloud.ext)
            ? cloud.name
            : cloud.name + QLatin1Char('.') + cloud.ext;
        entry.date = dateText(cloud.date);
        entry.size = NxFileLister::sizeText(cloud.size.toLongLong());
        entry.pass = pass;
        entry.path = path;
        entry.netId = cloud.id;
        cloud.fullPath = path.isEmpty() ? entry.name : path + QLatin1Char('/') + entry.name;
        result.entries.append(entry);
        result.files.append(cloud);
    }
    return result;
}

NxCloudListing::Result NxCloudListing::parseResources(const QJsonObject& reply, const QString& pass, const QString& path)
{
    Result result;
    result.success = reply.value(QStringLiteral("success")).toBool();
    const QJsonObject data = reply.value(QStringLiteral("data")).toObject();
    for (const QJsonValue& value : data.value(QStringLiteral("resInfo")).toArray()) {
        const QJsonObject res = value.toObject();
        const QJsonValue folderFlag = res.value(QStringLiteral("isForder"));
        const bool isDir = folderFlag.isBool() ? folderFlag.toBool() : text(res, "isForder") == QLatin1String("1");
        NxFileEntry entry;
        entry.isDir = isDir;
        entry.pass = pass;
        entry.path = path;
        if (isDir) {
            entry.name = text(res, "col_name");
            entry.date = dateText(text(res, "col_date"));
            entry.netId = text(res, "col_id");
        } else {
            const QString ext = text(res, "R_Filetype");
            const QString title = text(res, "R_Title");
            entry.name = ext.isEmpty() || title.endsWith(QLatin1Char('.') + ext) ? title : title + QLatin1Char('.') + ext;
            entry.date = dateText(text(res, "col_date"));
            entry.size = NxFileLister::sizeText(text(res, "R_Size").toLongLong());
            entry.netId = text(res, "col_id");
            result.files.append({entry.netId, title, ext, text(res, "R_Size"), text(res, "col_date"), text(res, "R_url"),
                                 text(res, "R_Userid"), text(res, "file_full_path")});
        }
        result.entries.append(entry);
    }
    return result;
}

#include "NxCloudReply.h"

#include <QJsonDocument>
#include <QJsonObject>

NxCloudReply NxCloudReply::json(const QJsonObject& object, int status)
{
    NxCloudReply reply;
    reply.status = status;
    reply.body = QJsonDocument(object).toJson(QJsonDocument::Compact);
    return reply;
}

NxCloudReply NxCloudReply::envelope(const QString& type, const QString& msg,
                                    const QJsonValue& result, int status)
{
    QJsonObject object;
    object.insert(QStringLiteral("type"), type);
    object.insert(QStringLiteral("msg"), msg);
    object.insert(QStringLiteral("result"), result);
    return json(object, status);
}

NxCloudReply NxCloudReply::error(int status, const QString& msg)
{
    return envelope(QStringLiteral("error"), msg, QJsonValue::Null, status);
}

NxCloudReply NxCloudReply::badJson()
{
    return error(400, QStringLiteral("request body is not a JSON object"));
}

NxCloudReply NxCloudReply::success(const QJsonObject& data)
{
    return json(QJsonObject{{QStringLiteral("success"), true}, {QStringLiteral("data"), data}});
}

NxCloudReply NxCloudReply::failure(const QString& message)
{
    return json(QJsonObject{{QStringLiteral("success"), false}, {QStringLiteral("message"), message}});
}

NxCloudReply NxCloudReply::html(const QString& page, int status)
{
    NxCloudReply reply;
    reply.status = status;
    reply.contentType = "text/html;charset=UTF-8";
    reply.body = page.toUtf8();
    return reply;
}

NxCloudReply NxCloudReply::plainStatus(int status, const QString& location)
{
    NxCloudReply reply;
    reply.status = status;
    reply.contentType = "text/plain;charset=UTF-8";
    reply.body = "HTTP " + QByteArray::number(status) + "\n";
    if (!location.isEmpty())
        reply.headers.append(qMakePair(QByteArray("Location"), location.toUtf8()));
    return reply;
}

NxCloudReply NxCloudReply::file(const QByteArray& data, const QByteArray& contentType)
{
    NxCloudReply reply;
    reply.contentType = contentType;
    reply.body = data;
    return reply;
}

NxCloudReply NxCloudReply::cached(const QByteArray& json)
{
    NxCloudReply reply;
    reply.body = json;
    return reply;
}

#pragma once

#include <QByteArray>
#include <QJsonValue>
#include <QList>
#include <QPair>
#include <QString>

// What an endpoint answers, before any programmed fault is applied.
struct NxCloudReply
{
    int status = 200;
    QByteArray contentType = "application/json;charset=UTF-8";
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers;

    static NxCloudReply json(const QJsonObject& object, int status = 200);
    // The cloud's usual answer: {"type", "msg", "result"}.
    static NxCloudReply envelope(const QString& type, const QString& msg,
                                 const QJsonValue& result, int status = 200);
    static NxCloudReply error(int status, const QString& msg);
    static NxCloudReply badJson();
    // The sign-in platform's answers: {"success": true, "data"} or
    // {"success": false, "message"}.
    static NxCloudReply success(const QJsonObject& data);
    static NxCloudReply failure(const QString& message);
    static NxCloudReply html(const QString& page, int status = 200);
    // A bare HTTP status with its reason phrase; Location set when given.
    static NxCloudReply plainStatus(int status, const QString& location = QString());
    // A JSON body built earlier and shared, not copied.
    static NxCloudReply cached(const QByteArray& json);
    static NxCloudReply file(const QByteArray& data, const QByteArray& contentType);
};

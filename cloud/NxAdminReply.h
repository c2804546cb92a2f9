#pragma once

#include "NxCloudReply.h"

#include <QJsonObject>
#include <QString>

// Answers of the admin API: JSON objects, errors as {"error": "..."}.
class NxAdminReply
{
public:
    static NxCloudReply json(const QJsonObject& object, int status = 200);
    static NxCloudReply error(int status, const QString& message);
    static NxCloudReply noContent();
    // 400 naming what is wrong with the body.
    static NxCloudReply badRequest(const QString& message);
    static NxCloudReply notFound(const QString& what);
    // 429 with Retry-After: too many failed sign-ins.
    static NxCloudReply tooManyAttempts(int seconds);
    // 500 for a database that failed; the details go to the service's log.
    static NxCloudReply storageFailed(const char* where, const QString& error);
};

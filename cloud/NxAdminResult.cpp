#include "NxAdminResult.h"

#include "NxCloudReply.h"

#include <QtDebug>

NxAdminResult NxAdminResult::ok(const QJsonObject& body, int status)
{
    return NxAdminResult{status, body, QString()};
}

NxAdminResult NxAdminResult::noContent()
{
    return NxAdminResult{204, QJsonObject(), QString()};
}

NxAdminResult NxAdminResult::fail(int status, const QString& error)
{
    return NxAdminResult{status, QJsonObject(), error};
}

NxAdminResult NxAdminResult::storageFailed(const char* where, const QString& reason)
{
    qWarning().noquote() << where << reason;
    return fail(500, QStringLiteral("the database refused the change"));
}

bool NxAdminResult::isOk() const
{
    return status < 300;
}

NxCloudReply NxAdminResult::reply() const
{
    if (status == 204) {
        NxCloudReply reply;
        reply.status = 204;
        reply.contentType.clear();
        return reply;
    }
    return NxCloudReply::json(isOk() ? body : QJsonObject{{QStringLiteral("error"), error}}, status);
}

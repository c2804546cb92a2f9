#include "NxAdminResult.h"

#include "NxAdminReply.h"

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
    return fail(500, QStringLiteral("the database failed; see the service's log"));
}

bool NxAdminResult::isOk() const
{
    return status < 300;
}

NxCloudReply NxAdminResult::reply() const
{
    if (status == 204)
        return NxAdminReply::noContent();
    return isOk() ? NxAdminReply::json(body, status) : NxAdminReply::error(status, error);
}

#include "NxAdminReply.h"

#include <QtDebug>

NxCloudReply NxAdminReply::json(const QJsonObject& object, int status)
{
    NxCloudReply reply = NxCloudReply::json(object, status);
    // Answers hold accounts and tokens: never kept by a cache on the way.
    reply.headers.append(qMakePair(QByteArray("Cache-Control"), QByteArray("no-store")));
    return reply;
}

NxCloudReply NxAdminReply::error(int status, const QString& message)
{
    return json(QJsonObject{{QStringLiteral("error"), message}}, status);
}

NxCloudReply NxAdminReply::noContent()
{
    NxCloudReply reply = NxCloudReply::plainStatus(204);
    reply.body.clear();
    return reply;
}

NxCloudReply NxAdminReply::badRequest(const QString& message)
{
    return error(400, message);
}

NxCloudReply NxAdminReply::notFound(const QString& what)
{
    return error(404, QStringLiteral("no such ") + what);
}

NxCloudReply NxAdminReply::tooManyAttempts(int seconds)
{
    NxCloudReply reply = error(429, QStringLiteral("too many failed sign-ins; try again in %1 s").arg(seconds));
    reply.headers.append(qMakePair(QByteArray("Retry-After"), QByteArray::number(seconds)));
    return reply;
}

NxCloudReply NxAdminReply::storageFailed(const char* where, const QString& error)
{
    qWarning().noquote() << where << error;
    return NxAdminReply::error(500, QStringLiteral("the database failed; see the service's log"));
}

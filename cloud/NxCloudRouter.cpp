#include "NxCloudRouter.h"

#include <QStringList>

void NxCloudRouter::add(const QString& method, const QString& path, Handler handler)
{
    m_routes.append(Route{method, path, false, std::move(handler)});
}

void NxCloudRouter::addPrefix(const QString& method, const QString& prefix, Handler handler)
{
    m_routes.append(Route{method, prefix, true, std::move(handler)});
}

NxCloudReply NxCloudRouter::dispatch(const NxCloudRequest& request) const
{
    for (const Route& route : m_routes) {
        if (route.method == request.method && matches(route, request.path))
            return route.handler(request);
    }
    const QStringList allowed = methodsFor(request.path);
    if (allowed.isEmpty())
        return NxCloudReply::error(404, QStringLiteral("no endpoint ") + request.path);
    NxCloudReply reply = NxCloudReply::error(405, QStringLiteral("method not allowed"));
    reply.headers.append(qMakePair(QByteArray("Allow"), allowed.join(QStringLiteral(", ")).toLatin1()));
    return reply;
}

bool NxCloudRouter::matches(const Route& route, const QString& path) const
{
    return route.prefix ? path.startsWith(route.path) : path == route.path;
}

QStringList NxCloudRouter::methodsFor(const QString& path) const
{
    QStringList methods;
    for (const Route& route : m_routes) {
        if (matches(route, path) && !methods.contains(route.method))
            methods.append(route.method);
    }
    return methods;
}

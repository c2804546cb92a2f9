#include "NxCloudRouter.h"

#include <QUrl>

namespace {
bool isPattern(const QString& path)
{
    return path.contains(QLatin1Char('{'));
}

bool isPlaceholder(const QString& segment)
{
    return segment.startsWith(QLatin1Char('{')) && segment.endsWith(QLatin1Char('}'));
}
}

void NxCloudRouter::add(const QString& method, const QString& path, Handler handler)
{
    const QStringList segments = isPattern(path) ? path.split(QLatin1Char('/')) : QStringList();
    m_routes.append(Route{method, path, false, std::move(handler), segments});
}

void NxCloudRouter::addPrefix(const QString& method, const QString& prefix, Handler handler)
{
    m_routes.append(Route{method, prefix, true, std::move(handler), QStringList()});
}

NxCloudReply NxCloudRouter::dispatch(const NxCloudRequest& request) const
{
    for (const Route& route : m_routes) {
        QMap<QString, QString> values;
        if (route.method != request.method || !matches(route, request.path, &values))
            continue;
        if (route.segments.isEmpty())
            return route.handler(request);
        NxCloudRequest withValues = request;
        withValues.pathValues = values;
        return route.handler(withValues);
    }
    const QStringList allowed = methodsFor(request.path);
    if (allowed.isEmpty())
        return NxCloudReply::error(404, QStringLiteral("no endpoint ") + request.path);
    NxCloudReply reply = NxCloudReply::error(405, QStringLiteral("method not allowed"));
    reply.headers.append(qMakePair(QByteArray("Allow"), allowed.join(QStringLiteral(", ")).toLatin1()));
    return reply;
}

bool NxCloudRouter::matches(const Route& route, const QString& path, QMap<QString, QString>* values) const
{
    if (!route.segments.isEmpty())
        return matchesPattern(route.segments, path, values);
    return route.prefix ? path.startsWith(route.path) : path == route.path;
}

bool NxCloudRouter::matchesPattern(const QStringList& pattern, const QString& path, QMap<QString, QString>* values)
{
    const QStringList segments = path.split(QLatin1Char('/'));
    if (segments.size() != pattern.size())
        return false;
    for (int i = 0; i < segments.size(); ++i) {
        if (!isPlaceholder(pattern.at(i))) {
            if (segments.at(i) != pattern.at(i))
                return false;
            continue;
        }
        if (segments.at(i).isEmpty())
            return false;
        if (values)
            values->insert(pattern.at(i).mid(1, pattern.at(i).size() - 2),
                           QUrl::fromPercentEncoding(segments.at(i).toUtf8()));
    }
    return true;
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

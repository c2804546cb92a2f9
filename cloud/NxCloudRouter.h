#pragma once

#include "NxCloudReply.h"
#include "NxCloudRequest.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// Maps method and path to an endpoint. Routes are added before the server
// starts and only read afterwards, so no lock is needed.
class NxCloudRouter
{
public:
    using Handler = std::function<NxCloudReply(const NxCloudRequest&)>;

    // A path with "{name}" segments is a pattern: each matches one non-empty
    // segment, handed to the handler in NxCloudRequest::pathValues.
    void add(const QString& method, const QString& path, Handler handler);
    // Every path that starts with prefix, e.g. "/pictures/".
    void addPrefix(const QString& method, const QString& prefix, Handler handler);
    NxCloudReply dispatch(const NxCloudRequest& request) const;

private:
    struct Route
    {
        QString method;
        QString path;
        bool prefix;
        Handler handler;
        QStringList segments;  // of a pattern; empty for a plain path
    };

    bool matches(const Route& route, const QString& path, QMap<QString, QString>* values = nullptr) const;
    static bool matchesPattern(const QStringList& pattern, const QString& path, QMap<QString, QString>* values);
    QStringList methodsFor(const QString& path) const;

    QList<Route> m_routes;
};

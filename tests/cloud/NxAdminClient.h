#pragma once

#include "NxHttpProbe.h"

#include <QJsonObject>
#include <QString>

// A signed-in admin of a running service: the session cookie stays in the
// probe's cookie jar and every change carries the session's CSRF token.
class NxAdminClient
{
public:
    explicit NxAdminClient(const QString& baseUrl);

    bool signIn(const QString& name, const QString& password);
    NxHttpProbe::Result get(const QString& path);
    NxHttpProbe::Result json(const QByteArray& method, const QString& path, const QJsonObject& body);
    NxHttpProbe::Result send(const QByteArray& method, const QString& path, const QByteArray& body,
                             const QByteArray& contentType, const NxHttpProbe::Headers& extra = {},
                             int timeoutMs = 30000);
    // The same without waiting for the answer.
    QNetworkReply* start(const QByteArray& method, const QString& path, const QByteArray& body,
                         const QByteArray& contentType, const NxHttpProbe::Headers& extra = {});
    NxHttpProbe& probe();
    QByteArray csrf() const;
    QString url(const QString& path) const;

private:
    QString m_base;
    QByteArray m_csrf;
    NxHttpProbe m_probe;
};

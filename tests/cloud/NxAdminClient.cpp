#include "NxAdminClient.h"

#include <QJsonDocument>

NxAdminClient::NxAdminClient(const QString& baseUrl)
    : m_base(baseUrl)
{
}

bool NxAdminClient::signIn(const QString& name, const QString& password)
{
    const NxHttpProbe::Result answer = m_probe.postJson(url(QStringLiteral("/admin/api/session")),
                                                        QJsonObject{{"name", name}, {"password", password}});
    m_csrf = answer.json().value("csrf").toString().toUtf8();
    return answer.status == 200 && !m_csrf.isEmpty();
}

NxHttpProbe::Result NxAdminClient::get(const QString& path)
{
    return m_probe.get(url(path));
}

NxHttpProbe::Result NxAdminClient::json(const QByteArray& method, const QString& path, const QJsonObject& body)
{
    return send(method, path, QJsonDocument(body).toJson(QJsonDocument::Compact), "application/json");
}

NxHttpProbe::Result NxAdminClient::send(const QByteArray& method, const QString& path, const QByteArray& body,
                                        const QByteArray& contentType, const NxHttpProbe::Headers& extra, int timeoutMs)
{
    return NxHttpProbe::await(start(method, path, body, contentType, extra), timeoutMs);
}

QNetworkReply* NxAdminClient::start(const QByteArray& method, const QString& path, const QByteArray& body,
                                    const QByteArray& contentType, const NxHttpProbe::Headers& extra)
{
    NxHttpProbe::Headers headers{qMakePair(QByteArray("Content-Type"), contentType),
                                 qMakePair(QByteArray("X-CSRF-Token"), m_csrf)};
    return m_probe.startSend(method, url(path), body, headers + extra);
}

QByteArray NxAdminClient::csrf() const
{
    return m_csrf;
}

NxHttpProbe& NxAdminClient::probe()
{
    return m_probe;
}

QString NxAdminClient::url(const QString& path) const
{
    return m_base + path;
}

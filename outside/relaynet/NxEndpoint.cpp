#include "NxEndpoint.h"

#include <QUrl>

NxEndpoint NxEndpoint::fromUrl(const QString& text)
{
    NxEndpoint endpoint;
    QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        endpoint.m_error = QStringLiteral("no endpoint configured");
        return endpoint;
    }
    // Without "://" QUrl would take "host:8080" as scheme and path.
    if (!trimmed.contains(QLatin1String("://")))
        trimmed.prepend(QLatin1String("http://"));
    const QUrl url(trimmed, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty()) {
        endpoint.m_error = QStringLiteral("unparsable endpoint \"%1\"").arg(text);
        return endpoint;
    }
    endpoint.m_host = url.host();
    const int port = url.port(-1);
    endpoint.m_port = port > 0 ? quint16(port) : defaultPort(url.scheme());
    return endpoint;
}

bool NxEndpoint::isValid() const
{
    return !m_host.isEmpty();
}

QString NxEndpoint::host() const
{
    return m_host;
}

quint16 NxEndpoint::port() const
{
    return m_port;
}

QString NxEndpoint::toString() const
{
    if (!isValid())
        return m_error;
    // Bracket IPv6 literals so the port stays readable.
    const QString host = m_host.contains(QLatin1Char(':')) ? QStringLiteral("[%1]").arg(m_host) : m_host;
    return QStringLiteral("%1:%2").arg(host).arg(m_port);
}

QString NxEndpoint::errorString() const
{
    return m_error;
}

quint16 NxEndpoint::defaultPort(const QString& scheme)
{
    const QString lower = scheme.toLower();
    if (lower == QLatin1String("https") || lower == QLatin1String("wss"))
        return 443;
    return 80;
}

#pragma once

#include "RelaynetGlobal.h"

#include <QString>

// Host and port of the cloud service, taken from a URL such as
// "http://example.org:8080/api". A missing scheme is read as http.
class RELAYNET_EXPORT NxEndpoint
{
public:
    static NxEndpoint fromUrl(const QString& text);

    bool isValid() const;
    QString host() const;
    quint16 port() const;
    // "host:port" when valid, otherwise why the text was refused.
    QString toString() const;
    QString errorString() const;

private:
    static quint16 defaultPort(const QString& scheme);

    QString m_host;
    quint16 m_port = 0;
    QString m_error;
};

#include "NxWebAddress.h"

#include <QStringList>

NxWebAddress::NxWebAddress(const QString& text, Kind kind)
    : m_url(text.trimmed(), QUrl::TolerantMode)
    , m_kind(kind)
{
}

bool NxWebAddress::hasKnownScheme() const
{
    static const QStringList web = {QStringLiteral("http"), QStringLiteral("https")};
    static const QStringList stream = web + QStringList{QStringLiteral("rtmp"), QStringLiteral("rtsp"), QStringLiteral("hls")};
    return (m_kind == Web ? web : stream).contains(m_url.scheme().toLower());
}

bool NxWebAddress::isValid() const
{
    return m_url.isValid() && hasKnownScheme() && !m_url.host().isEmpty();
}

QString NxWebAddress::encoded() const
{
    return isValid() ? m_url.toString(QUrl::FullyEncoded) : QString();
}

QString NxWebAddress::refusal() const
{
    return hasKnownScheme() ? tr("ID_URL_INVALID") : tr("ID_URL_ILLEGAL");
}

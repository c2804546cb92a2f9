#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

struct NxCloudRequest;

// The seed stores picture references relative to the server ("pictures/x.png"
// or "{base}/pictures/x.png") because the port is only known at start; this
// turns them into absolute URLs for one answer and drops server-only keys.
class NxCloudLinkResolver
{
public:
    explicit NxCloudLinkResolver(const QString& baseUrl);
    // Links the way the client reached us (its Host header), so a client on
    // another machine gets URLs it can fetch; fallbackBase without Host.
    static NxCloudLinkResolver forRequest(const NxCloudRequest& request, const QString& fallbackBase);

    static QString placeholder();
    QString pictureUrl(const QString& reference) const;
    QJsonObject channel(const QJsonObject& channel) const;
    QJsonArray channels(const QJsonArray& channels) const;

private:
    QString withBase(const QString& text) const;
    QJsonArray images(const QJsonArray& images) const;

    QString m_base;
};

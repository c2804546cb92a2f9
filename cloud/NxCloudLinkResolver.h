#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

// The seed stores picture references relative to the server ("pictures/x.png"
// or "{base}/pictures/x.png") because the port is only known at start; this
// turns them into absolute URLs for one answer and drops server-only keys.
class NxCloudLinkResolver
{
public:
    explicit NxCloudLinkResolver(const QString& baseUrl);

    static QString placeholder();
    QString pictureUrl(const QString& reference) const;
    QJsonObject channel(const QJsonObject& channel) const;
    QJsonArray channels(const QJsonArray& channels) const;

private:
    QString withBase(const QString& text) const;
    QJsonArray images(const QJsonArray& images) const;

    QString m_base;
};

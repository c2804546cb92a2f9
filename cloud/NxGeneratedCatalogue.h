#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

// A catalogue of any size for load tests and benchmarks: a seed whose own
// channels and television stations are replaced by generated ones, each with
// pictures of its own that the service draws on request (GET
// /generated/<name>.png), so thousands of channels need no files.
class NxGeneratedCatalogue
{
public:
    static QString prefix();
    // The seed with "nxtchannel" holding `channels` channels and "tvstation"
    // `stations` stations, in its categories and in the groups offered for
    // adding (a negative count keeps the seed's own).
    static QJsonObject seed(const QJsonObject& base, int channels, int stations);
    // One generated channel: kind "c" (channel) or "s" (station).
    static QJsonObject channel(const QString& kind, int index);
    // Where the picture of a type ("small", "large") of the channel kind +
    // index is, relative to the service.
    static QString pictureReference(const QString& kind, int index, const QString& type);
    // The picture named by a generated address ("c12_large.png"); empty for
    // any other name.
    static QByteArray picture(const QString& name);

private:
    static QJsonObject category(const QJsonObject& base, const QString& id, const QString& kind, int count);
};

#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

// Which pictures the seed refers to and what each should show.
class NxArtworkPlan
{
public:
    struct Picture
    {
        QString file;   // file name inside the picture directory
        QString type;   // "small", "middle", "large" or "avatar"
        QString name;
        QString intro;
        QString motif;
        qreal hue = 0;  // degrees
    };

    static QList<Picture> fromSeed(const QJsonObject& seed);

private:
    static void addAvatar(const QJsonObject& seed, QList<Picture>& pictures);
    static QList<QJsonObject> channelsOf(const QJsonObject& seed);
    static void collect(const QJsonArray& channels, QList<QJsonObject>& out);
    static QString localFile(const QString& url);
    static qreal hueFor(int index, const QJsonObject& art);
};

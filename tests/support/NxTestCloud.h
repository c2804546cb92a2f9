#pragma once

#include "NxCloudServer.h"

#include <QColor>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>

// The local cloud service started in-process on 127.0.0.1 for one test, with
// real pictures on disk and the application properties pointing at it.
class NxTestCloud
{
public:
    explicit NxTestCloud(const QJsonObject& seed = defaultSeed());

    NxCloudServer& server();
    QString baseUrl() const;
    QString pictureUrl(const QString& file) const;
    QString pictureDir() const;
    // Writes a real PNG of the given size into the picture directory.
    void addPicture(const QString& file, int width = 64, int height = 48);
    // Every later answer on path: exactly body, or when body is empty the
    // endpoint's own answer with that HTTP status (0: unchanged).
    void setReply(const QString& path, const QByteArray& body, int status = 0);

    // A real PNG of one colour, as its bytes.
    static QByteArray png(int width, int height, const QColor& colour);
    static QJsonObject channel(const QString& id, const QString& name, const QStringList& pictures = {},
                               const QJsonArray& children = {});
    // "nxtchannel" with three channels (two pictures each), "tvstation" with
    // two, an offered list of two groups, teacher "u1" with one channel and
    // teacher "u2" with two.
    static QJsonObject defaultSeed();
    static QStringList defaultPictures();

private:
    QTemporaryDir m_pictures;
    NxCloudServer m_server;
};

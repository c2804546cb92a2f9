#include "NxTestCloud.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QPainter>

NxTestCloud::NxTestCloud(const QJsonObject& seed)
    : m_server(seed)
{
    for (const QString& file : defaultPictures())
        addPicture(file);
    m_server.setPictureDir(m_pictures.path());
    m_server.start();
    QCoreApplication::instance()->setProperty("appHost", baseUrl());
    QCoreApplication::instance()->setProperty("liveHost", baseUrl());
}

NxCloudServer& NxTestCloud::server()
{
    return m_server;
}

QString NxTestCloud::baseUrl() const
{
    return m_server.baseUrl();
}

QString NxTestCloud::pictureUrl(const QString& file) const
{
    return baseUrl() + QStringLiteral("/pictures/") + file;
}

QString NxTestCloud::pictureDir() const
{
    return m_pictures.path();
}

void NxTestCloud::addPicture(const QString& file, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(73, 83, 219));
    QPainter painter(&image);
    painter.fillRect(0, 0, width / 2, height / 2, QColor(0x66, 0x6e, 0xdc));
    painter.end();
    image.save(m_pictures.path() + QLatin1Char('/') + file, "PNG");
}

QByteArray NxTestCloud::png(int width, int height, const QColor& colour)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

void NxTestCloud::setReply(const QString& path, const QByteArray& body, int status)
{
    NxCloudFault fault;
    fault.status = status;
    fault.location = baseUrl() + QStringLiteral("/elsewhere");
    fault.body = body.isEmpty() ? NxCloudFault::Normal : NxCloudFault::Replaced;
    fault.replacement = body;
    m_server.setFault(path, fault);
}

QJsonObject NxTestCloud::channel(const QString& id, const QString& name, const QStringList& pictures,
                                 const QJsonArray& children)
{
    static const QStringList types = {QStringLiteral("small"), QStringLiteral("middle"), QStringLiteral("large")};
    QJsonArray images;
    for (int i = 0; i < pictures.size(); ++i) {
        images.append(QJsonObject{{QStringLiteral("id"), i + 1}, {QStringLiteral("order"), i},
                                  {QStringLiteral("type"), types.value(i % 3)},
                                  {QStringLiteral("url"), QStringLiteral("pictures/") + pictures.at(i)}});
    }
    return QJsonObject{{QStringLiteral("id"), id.size()},
                       {QStringLiteral("channelId"), id},
                       {QStringLiteral("channelName"), name},
                       {QStringLiteral("introduction"), name + QStringLiteral(" intro")},
                       {QStringLiteral("address"), QStringLiteral("https://%1.example/").arg(id)},
                       {QStringLiteral("isHasChild"), children.isEmpty() ? QStringLiteral("0") : QStringLiteral("1")},
                       {QStringLiteral("playMode"), QStringLiteral("0")},
                       {QStringLiteral("channelType"), QStringLiteral("web")},
                       {QStringLiteral("images"), images},
                       {QStringLiteral("children"), children}};
}

QStringList NxTestCloud::defaultPictures()
{
    return {QStringLiteral("maths_s.png"), QStringLiteral("maths_m.png"), QStringLiteral("art_s.png"),
            QStringLiteral("art_m.png"), QStringLiteral("music_s.png"), QStringLiteral("music_m.png"),
            QStringLiteral("cctv1_s.png"), QStringLiteral("cctv2_s.png")};
}

QJsonObject NxTestCloud::defaultSeed()
{
    const QJsonArray own{channel("maths", "Maths", {"maths_s.png", "maths_m.png"}),
                         channel("art", "Art", {"art_s.png", "art_m.png"}),
                         channel("music", "Music", {"music_s.png", "music_m.png"})};
    const QJsonArray stations{channel("cctv1", "CCTV-1", {"cctv1_s.png"}), channel("cctv2", "CCTV-2", {"cctv2_s.png"})};
    const QJsonObject categories{
        {"nxtchannel", QJsonObject{{"bannerCount", 2}, {"data", channel("nxtchannel", "Own", {}, own)}}},
        {"tvstation", QJsonObject{{"bannerCount", 0}, {"data", channel("tvstation", "Stations", {}, stations)}}}};
    const QJsonArray offered{channel("science", "Science", {}, QJsonArray{channel("physics", "Physics")}),
                             channel("", "Free", {}, QJsonArray{channel("reading", "Reading")})};
    const QJsonObject liveCodes{{"123456", QJsonObject{{"clip", "media/demo-live.mp4"}, {"title", "Demo"}}}};
    return QJsonObject{{"categories", categories},
                       {"offered", offered},
                       {"users", QJsonObject{{"u1", QJsonArray{channel("mine", "Mine")}},
                                             {"u2", QJsonArray{channel("notes", "Notes"), channel("quiz", "Quiz")}}}},
                       {"liveCodes", liveCodes}};
}

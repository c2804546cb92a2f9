#include "NxAdminChannelEndpoints.h"

#include "NxAdminReply.h"
#include "NxCloudRouter.h"
#include "NxM3uPlaylist.h"
#include "NxPictureUpload.h"

#include <QJsonArray>

namespace {
const QString kChannel = QStringLiteral("/admin/api/channels/{id}");
// The answer lists this many skipped lines and counts them all.
const int kMostSkippedListed = 1000;
}

NxAdminChannelEndpoints::NxAdminChannelEndpoints(QSharedPointer<NxCloudStore> store, const NxAdminAccess& access,
                                                 std::function<QString()> baseUrl)
    : NxAdminEndpoints(access, std::move(baseUrl))
    , m_channels(std::move(store))
{
}

void NxAdminChannelEndpoints::addRoutes(NxCloudRouter& router)
{
    route(router, QStringLiteral("GET"), QStringLiteral("/admin/api/categories"),
          [this](const NxCloudRequest&, const NxAdminActor&) { return m_channels.categories().reply(); });
    route(router, QStringLiteral("PATCH"), QStringLiteral("/admin/api/categories/{id}"),
          [this](const NxCloudRequest& r, const NxAdminActor& a) { return patchCategory(r, a); });
    route(router, QStringLiteral("GET"), QStringLiteral("/admin/api/channels"),
          [this](const NxCloudRequest& r, const NxAdminActor&) { return list(r); });
    route(router, QStringLiteral("POST"), QStringLiteral("/admin/api/channels"),
          [this](const NxCloudRequest& r, const NxAdminActor& a) { return create(r, a); });
    route(router, QStringLiteral("GET"), kChannel,
          [this](const NxCloudRequest& r, const NxAdminActor&) { return get(r); });
    route(router, QStringLiteral("PATCH"), kChannel,
          [this](const NxCloudRequest& r, const NxAdminActor& a) { return patch(r, a); });
    route(router, QStringLiteral("DELETE"), kChannel,
          [this](const NxCloudRequest& r, const NxAdminActor& a) { return remove(r, a); });
    route(router, QStringLiteral("PUT"), kChannel + QStringLiteral("/picture"),
          [this](const NxCloudRequest& r, const NxAdminActor& a) { return putPicture(r, a); });
    route(router, QStringLiteral("POST"), QStringLiteral("/admin/api/stations/import"),
          [this](const NxCloudRequest& r, const NxAdminActor& a) { return importStations(r, a); });
}

NxCloudReply NxAdminChannelEndpoints::patchCategory(const NxCloudRequest& request, const NxAdminActor& actor) const
{
    QJsonObject body;
    NxCloudReply refusal;
    if (!jsonBody(request, &body, &refusal))
        return refusal;
    return m_channels.patchCategory(request.pathValues.value(QStringLiteral("id")), body, actor.name).reply();
}

NxCloudReply NxAdminChannelEndpoints::list(const NxCloudRequest& request) const
{
    NxAdminPaging page;
    NxCloudReply refusal;
    if (!paging(request, &page, &refusal))
        return refusal;
    const QMap<QString, QString> fields = request.queryFields();
    if (!fields.contains(QStringLiteral("category")))
        return NxAdminReply::badRequest(QStringLiteral("\"category\" is missing"));
    return m_channels.list(fields.value(QStringLiteral("category")), fields.value(QStringLiteral("q")), page.offset,
                           page.limit, linksFor(request)).reply();
}

NxCloudReply NxAdminChannelEndpoints::create(const NxCloudRequest& request, const NxAdminActor& actor) const
{
    QJsonObject body;
    NxCloudReply refusal;
    if (!jsonBody(request, &body, &refusal))
        return refusal;
    return m_channels.create(body, actor.name, linksFor(request)).reply();
}

NxCloudReply NxAdminChannelEndpoints::get(const NxCloudRequest& request) const
{
    qint64 id = 0;
    NxCloudReply refusal;
    return channelId(request, &id, &refusal) ? m_channels.get(id, linksFor(request)).reply() : refusal;
}

NxCloudReply NxAdminChannelEndpoints::patch(const NxCloudRequest& request, const NxAdminActor& actor) const
{
    qint64 id = 0;
    QJsonObject body;
    NxCloudReply refusal;
    if (!channelId(request, &id, &refusal) || !jsonBody(request, &body, &refusal))
        return refusal;
    return m_channels.patch(id, body, actor.name, linksFor(request)).reply();
}

NxCloudReply NxAdminChannelEndpoints::remove(const NxCloudRequest& request, const NxAdminActor& actor) const
{
    qint64 id = 0;
    NxCloudReply refusal;
    return channelId(request, &id, &refusal) ? m_channels.remove(id, actor.name).reply() : refusal;
}

NxCloudReply NxAdminChannelEndpoints::putPicture(const NxCloudRequest& request, const NxAdminActor& actor) const
{
    qint64 id = 0;
    NxCloudReply refusal;
    if (!channelId(request, &id, &refusal) || !bodyWithin(request, NxPictureUpload::kMostBytes, &refusal))
        return refusal;
    const NxPictureUpload upload(request.body);
    if (!upload.isOk())
        return upload.refusal().reply();
    return m_channels.setPictures(id, upload, actor.name, linksFor(request)).reply();
}

NxCloudReply NxAdminChannelEndpoints::importStations(const NxCloudRequest& request, const NxAdminActor& actor) const
{
    NxCloudReply refusal;
    if (!bodyWithin(request, kMostPlaylistBytes, &refusal))
        return refusal;
    const NxM3uPlaylist playlist = NxM3uPlaylist::parse(request.body);
    int added = 0;
    const NxAdminResult done = m_channels.addStations(playlist.stations(), actor.name, &added);
    if (!done.isOk())
        return done.reply();
    QJsonArray skipped;
    for (const NxM3uPlaylist::Skipped& line : playlist.skipped().mid(0, kMostSkippedListed)) {
        skipped.append(QJsonObject{{QStringLiteral("line"), line.line}, {QStringLiteral("text"), line.text},
                                   {QStringLiteral("reason"), line.reason}});
    }
    return NxAdminReply::json({{QStringLiteral("added"), added},
                               {QStringLiteral("skipped"), skipped},
                               {QStringLiteral("skippedCount"), playlist.skipped().size()}});
}

bool NxAdminChannelEndpoints::channelId(const NxCloudRequest& request, qint64* id, NxCloudReply* refusal)
{
    bool ok = false;
    const QString text = request.pathValues.value(QStringLiteral("id"));
    *id = text.toLongLong(&ok);
    if (!ok)
        *refusal = NxAdminReply::notFound(QStringLiteral("channel ") + text);
    return ok;
}

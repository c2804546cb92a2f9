#include "NxCatalogueEndpoints.h"

#include "NxCloudCatalogue.h"
#include "NxCloudRouter.h"
#include "NxCloudSnapshot.h"

namespace {
const QString kPost = QStringLiteral("POST");
const QString kOk = QStringLiteral("ok");
const QString kChannelId = QStringLiteral("channelId");
}

NxCatalogueEndpoints::NxCatalogueEndpoints(NxCloudCatalogue& catalogue,
                                           std::function<QString()> baseUrl)
    : NxCloudLinkingEndpoints(std::move(baseUrl))
    , m_catalogue(catalogue)
{
}

void NxCatalogueEndpoints::addRoutes(NxCloudRouter& router)
{
    router.add(kPost, QStringLiteral("/channel/getNxtChannelInfo"),
               [this](const NxCloudRequest& r) { return channelInfo(r); });
    router.add(kPost, QStringLiteral("/channel/getChannelListByUserId"),
               [this](const NxCloudRequest& r) { return userChannels(r); });
    router.add(kPost, QStringLiteral("/channel/getChannelListToAdd"),
               [this](const NxCloudRequest& r) { return channelsToAdd(r); });
}

NxCloudReply NxCatalogueEndpoints::channelInfo(const NxCloudRequest& request) const
{
    bool ok = false;
    const QString id = request.jsonObject(&ok).value(kChannelId).toString();
    if (!ok)
        return NxCloudReply::badJson();
    const QString type = QStringLiteral("getNxtChannelInfo_ACK");
    const QSharedPointer<const NxCloudSnapshot> snapshot = m_catalogue.snapshot();
    if (!snapshot->hasCategory(id)) {
        // A root without "channelName" is what the client reads as "no channel".
        const QJsonObject empty{{QStringLiteral("bannerCount"), 0}, {QStringLiteral("data"), QJsonObject()}};
        return NxCloudReply::envelope(type, QStringLiteral("unknown channelId ") + id, empty);
    }
    const QString origin = originOf(request);
    // Built once per change of the catalogue and address the panels use.
    return NxCloudReply::cached(snapshot->answer(QStringLiteral("info|%1|%2").arg(origin, id), [&] {
        const QJsonObject entry = snapshot->category(id);
        const QJsonObject result{
            {QStringLiteral("bannerCount"), entry.value(QStringLiteral("bannerCount")).toInt()},
            {QStringLiteral("data"), NxCloudLinkResolver(origin).channel(entry.value(QStringLiteral("data")).toObject())}};
        return NxCloudReply::envelope(type, kOk, result).body;
    }));
}

NxCloudReply NxCatalogueEndpoints::userChannels(const NxCloudRequest& request) const
{
    bool ok = false;
    const QString userId = request.jsonObject(&ok).value(QStringLiteral("userId")).toString();
    if (!ok)
        return NxCloudReply::badJson();
    const QJsonArray channels = userId.isEmpty() ? QJsonArray() : m_catalogue.userChannels(userId);
    return NxCloudReply::envelope(QStringLiteral("getChannelListByUserId_ACK"), kOk,
                                  linksFor(request).channels(channels));
}

NxCloudReply NxCatalogueEndpoints::channelsToAdd(const NxCloudRequest& request) const
{
    const QSharedPointer<const NxCloudSnapshot> snapshot = m_catalogue.snapshot();
    const QString origin = originOf(request);
    return NxCloudReply::cached(snapshot->answer(QStringLiteral("offered|") + origin, [&] {
        return NxCloudReply::envelope(QStringLiteral("getChannelListToAdd_ACK"), kOk,
                                      NxCloudLinkResolver(origin).channels(snapshot->offered()))
            .body;
    }));
}

#include "NxCatalogueEndpoints.h"

#include "NxCloudCatalogue.h"
#include "NxCloudRouter.h"

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
    if (!m_catalogue.hasCategory(id)) {
        // A root without "channelName" is what the client reads as "no channel".
        const QJsonObject empty{{QStringLiteral("bannerCount"), 0}, {QStringLiteral("data"), QJsonObject()}};
        return NxCloudReply::envelope(type, QStringLiteral("unknown channelId ") + id, empty);
    }
    const QJsonObject entry = m_catalogue.category(id);
    const QJsonObject result{
        {QStringLiteral("bannerCount"), entry.value(QStringLiteral("bannerCount")).toInt()},
        {QStringLiteral("data"), linksFor(request).channel(entry.value(QStringLiteral("data")).toObject())}};
    return NxCloudReply::envelope(type, kOk, result);
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
    return NxCloudReply::envelope(QStringLiteral("getChannelListToAdd_ACK"), kOk,
                                  linksFor(request).channels(m_catalogue.offeredGroups()));
}

#include "NxOwnChannelEndpoints.h"

#include "NxCloudCatalogue.h"
#include "NxCloudRouter.h"

namespace {
const QString kOk = QStringLiteral("ok");
const QString kUserId = QStringLiteral("userId");
const QString kResult = QStringLiteral("result");
const QString kAddType = QStringLiteral("reportUserCustomChannel_ACK");
const QString kDeleteType = QStringLiteral("deleteCustomChannel_ACK");
}

NxOwnChannelEndpoints::NxOwnChannelEndpoints(NxCloudCatalogue& catalogue)
    : m_catalogue(catalogue)
{
}

void NxOwnChannelEndpoints::setAddReply(AddReply reply)
{
    m_addReply = reply;
}

NxOwnChannelEndpoints::AddReply NxOwnChannelEndpoints::addReply() const
{
    return m_addReply;
}

void NxOwnChannelEndpoints::addRoutes(NxCloudRouter& router)
{
    router.add(QStringLiteral("POST"), QStringLiteral("/channel/reportUserCustomChannel"),
               [this](const NxCloudRequest& r) { return add(r); });
    router.add(QStringLiteral("POST"), QStringLiteral("/channel/deleteCustomChannel"),
               [this](const NxCloudRequest& r) { return remove(r); });
}

NxCloudReply NxOwnChannelEndpoints::add(const NxCloudRequest& request) const
{
    bool ok = false;
    const QJsonObject body = request.jsonObject(&ok);
    if (!ok)
        return NxCloudReply::badJson();
    const QString userId = body.value(kUserId).toString();
    const QJsonObject channel = body.value(QStringLiteral("data")).toObject();
    if (userId.isEmpty())
        return notAdded(QStringLiteral("userId is missing"));
    if (channel.value(QStringLiteral("channelName")).toString().isEmpty())
        return notAdded(QStringLiteral("data has no channelName"));
    const QString channelId = m_catalogue.addUserChannel(userId, channel).value(QStringLiteral("channelId")).toString();
    return channelId.isEmpty() ? notAdded(QStringLiteral("the channel could not be stored")) : added(channelId);
}

NxCloudReply NxOwnChannelEndpoints::remove(const NxCloudRequest& request) const
{
    bool ok = false;
    const QJsonObject body = request.jsonObject(&ok);
    if (!ok)
        return NxCloudReply::badJson();
    const QString userId = body.value(kUserId).toString();
    if (!m_catalogue.hasUser(userId))
        return NxCloudReply::envelope(kDeleteType, QStringLiteral("unknown userId ") + userId, false);
    QStringList ids = body.value(QStringLiteral("channelIds")).toString().split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (QString& id : ids)
        id = id.trimmed();
    if (m_catalogue.removeUserChannels(userId, ids) == 0)
        return NxCloudReply::envelope(kDeleteType, QStringLiteral("no such channel"), false);
    return NxCloudReply::envelope(kDeleteType, kOk, true);
}

NxCloudReply NxOwnChannelEndpoints::added(const QString& channelId) const
{
    if (m_addReply == AddReply::ListAck)
        return listAck(true, kOk);
    return NxCloudReply::envelope(kAddType, kOk,
                                  QJsonObject{{kResult, true}, {QStringLiteral("channelId"), channelId}});
}

NxCloudReply NxOwnChannelEndpoints::notAdded(const QString& why) const
{
    if (m_addReply == AddReply::ListAck)
        return listAck(false, why);
    return NxCloudReply::envelope(kAddType, why, QJsonObject{{kResult, false}});
}

NxCloudReply NxOwnChannelEndpoints::listAck(bool ok, const QString& msg)
{
    return NxCloudReply::json(QJsonObject{{QStringLiteral("type"), QStringLiteral("reportUserCustomChannelList_ACK")},
                                          {QStringLiteral("msg"), msg},
                                          {QStringLiteral("code"), ok ? 0 : 1},
                                          {kResult, ok}});
}

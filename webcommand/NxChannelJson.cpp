#include "NxChannelJson.h"

#include "NxChannelItemImage.h"
#include "NxChannelSet.h"

#include <QDebug>
#include <QJsonArray>

namespace {

// Strings are strings on this wire: a number where text is expected reads as empty.
QString text(const QJsonObject& object, const char* key)
{
    return object.value(QLatin1String(key)).toString();
}

int number(const QJsonObject& object, const char* key)
{
    return object.value(QLatin1String(key)).toInt(0);
}

} // namespace

QSharedPointer<NxChannelSet> NxChannelJson::read(const QJsonObject& object)
{
    if (!object.contains(QLatin1String("channelName")))
        return {};
    QSharedPointer<NxChannelSet> channel = QSharedPointer<NxChannelSet>::create();
    channel->m_id = number(object, "id");
    channel->m_channelId = text(object, "channelId");
    channel->m_channelName = text(object, "channelName");
    channel->m_intro = text(object, "introduction");
    channel->m_url = text(object, "address");
    channel->m_hasChild = text(object, "isHasChild") == QLatin1String("1");
    channel->m_playMode = text(object, "playMode").toInt();
    channel->m_channelType = text(object, "channelType");
    qDebug() << "NxWebCmdCtrl::ParseChannelJson" << channel->m_channelName << channel->m_url;
    readImages(*channel, object.value(QLatin1String("images")).toArray());
    readChildren(*channel, object.value(QLatin1String("children")).toArray());
    return channel;
}

void NxChannelJson::readImages(NxChannelSet& channel, const QJsonArray& images)
{
    for (const QJsonValue& value : images) {
        const QJsonObject element = value.toObject();
        QSharedPointer<NxChannelItemImage> image = channel.createImage();
        image->m_id = number(element, "id");
        image->m_type = text(element, "type");
        image->m_order = number(element, "order");
        image->m_url = text(element, "url");
    }
}

void NxChannelJson::readChildren(NxChannelSet& channel, const QJsonArray& children)
{
    for (const QJsonValue& value : children) {
        QSharedPointer<NxChannelSet> child = read(value.toObject());
        if (child)
            channel.m_children.append(child);
        else
            qDebug() << "NxWebCmdCtrl::ParseChannelJson" << "child without channelName skipped";
    }
    qDebug() << "Childs: " << channel.m_children.size();
}

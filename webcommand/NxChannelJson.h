#pragma once

#include "NxChannelItemImage.h"
#include "NxChannelSet.h"
#include "NxCloudAnswers.h"
#include "TavoWebCommandGlobal.h"

#include <QDebug>
#include <QJsonObject>
#include <QLatin1String>
#include <QSharedPointer>

// Reads a channel tree from the service's JSON.
class TAVOWEBCOMMAND_EXPORT NxChannelJson
{
public:
    // Null when the object has no "channelName". Null children are dropped,
    // so receivers of a tree never meet a null entry.
    static QSharedPointer<NxChannelSet> read(const QJsonObject& object);

    // A whole channel answer of the service (catalogue, own channels or
    // channels to add), parsed by QJsonDocument.
    static NxCloudAnswers::Channels answer(const QJsonObject& reply);

    // The same mappings over any JSON object view, so every parser of the
    // wire builds the same tree. A view answers has(key), text(key) (a
    // string, else empty), number(key) (as QJsonValue::toInt(0) reads it),
    // object(key) (empty for a non-object) and forEach(key, f) (f gets each
    // element of an array as an object view). A duplicated key must read as
    // in QJsonObject, or the view's owner give up (see NxChannelAnswerReader).
    template <class Object>
    static QSharedPointer<NxChannelSet> read(const Object& object);
    template <class Object>
    static NxCloudAnswers::Channels answer(const Object& reply);

private:
    // The named channels of an array; count gets its length.
    template <class Object>
    static QList<QSharedPointer<NxChannelSet>> namedChannels(const Object& object, QLatin1String key, int* count = nullptr);
    template <class Object>
    static void readImages(NxChannelSet& channel, const Object& object);
    template <class Object>
    static void readChildren(NxChannelSet& channel, const Object& object);
};

template <class Object>
QSharedPointer<NxChannelSet> NxChannelJson::read(const Object& object)
{
    if (!object.has(QLatin1String("channelName")))
        return {};
    QSharedPointer<NxChannelSet> channel = QSharedPointer<NxChannelSet>::create();
    channel->m_id = object.number(QLatin1String("id"));
    channel->m_channelId = object.text(QLatin1String("channelId"));
    channel->m_channelName = object.text(QLatin1String("channelName"));
    channel->m_intro = object.text(QLatin1String("introduction"));
    channel->m_url = object.text(QLatin1String("address"));
    channel->m_hasChild = object.text(QLatin1String("isHasChild")) == QLatin1String("1");
    channel->m_playMode = object.text(QLatin1String("playMode")).toInt();
    channel->m_channelType = object.text(QLatin1String("channelType"));
    qDebug() << "NxWebCmdCtrl::ParseChannelJson" << channel->m_channelName << channel->m_url;
    readImages(*channel, object);
    readChildren(*channel, object);
    return channel;
}

template <class Object>
void NxChannelJson::readImages(NxChannelSet& channel, const Object& object)
{
    object.forEach(QLatin1String("images"), [&channel](const Object& element) {
        QSharedPointer<NxChannelItemImage> image = channel.createImage();
        image->m_id = element.number(QLatin1String("id"));
        image->m_type = element.text(QLatin1String("type"));
        image->m_order = element.number(QLatin1String("order"));
        image->m_url = element.text(QLatin1String("url"));
    });
}

template <class Object>
void NxChannelJson::readChildren(NxChannelSet& channel, const Object& object)
{
    object.forEach(QLatin1String("children"), [&channel](const Object& element) {
        if (QSharedPointer<NxChannelSet> child = read(element))
            channel.m_children.append(child);
        else
            qDebug() << "NxWebCmdCtrl::ParseChannelJson" << "child without channelName skipped";
    });
    qDebug() << "Childs: " << channel.m_children.size();
}

template <class Object>
QList<QSharedPointer<NxChannelSet>> NxChannelJson::namedChannels(const Object& object, QLatin1String key, int* count)
{
    QList<QSharedPointer<NxChannelSet>> list;
    int elements = 0;
    object.forEach(key, [&list, &elements](const Object& element) {
        ++elements;
        if (QSharedPointer<NxChannelSet> channel = read(element))
            list.append(channel);
    });
    if (count)
        *count = elements;
    return list;
}

template <class Object>
NxCloudAnswers::Channels NxChannelJson::answer(const Object& reply)
{
    using Channels = NxCloudAnswers::Channels;
    const QString type = reply.text(QLatin1String("type"));
    const QString msg = reply.text(QLatin1String("msg"));
    qDebug() << "Reply type ::" << type;
    Channels answer;
    if (type == QLatin1String("getNxtChannelInfo_ACK")) {
        qDebug() << "ChannelResType OK! " << msg;
        answer.kind = Channels::Catalogue;
        const Object result = reply.object(QLatin1String("result"));
        answer.channel = read(result.object(QLatin1String("data")));
        if (answer.channel)
            answer.channel->m_bannerCount = result.number(QLatin1String("bannerCount"));
    } else if (type == QLatin1String("getChannelListByUserId_ACK")) {
        qDebug() << " user_list: " << msg;
        answer.kind = Channels::UserChannels;
        int count = 0;
        answer.channel.reset(NxChannelSet::create());
        answer.channel->m_channelId = NxChannelSet::chCategory2String(NxChannelSet::MyResources);
        answer.channel->m_children = namedChannels(reply, QLatin1String("result"), &count);
        answer.channel->m_hasChild = count > 0;
        qDebug() << "user list count: " << count;
    } else if (type == QLatin1String("getChannelListToAdd_ACK")) {
        qDebug() << " added_list:" << msg;
        answer.kind = Channels::AddedChannels;
        answer.list = namedChannels(reply, QLatin1String("result"));
    } else {
        qDebug() << "NxCloudAnswers::channels" << "ChannelResType error! " << type << msg;
    }
    return answer;
}

#include "NxChannelSet.h"

#include "NxChannelItemImage.h"

#include <QDebug>
#include <QJsonArray>
#include <QStringList>

namespace {

const QStringList kCategories = {QStringLiteral("nxtchannel"), QStringLiteral("tvstation"),
                                 QStringLiteral("myresources"), QStringLiteral("cloudlive")};
const QStringList kChannelTypes = {QStringLiteral("video"), QStringLiteral("web"), QStringLiteral("live")};
const QStringList kImageTypes = {QStringLiteral("small"), QStringLiteral("middle"), QStringLiteral("large")};

QString flagText(bool flag)
{
    return flag ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

NxChannelSet::~NxChannelSet() = default;

NxChannelSet* NxChannelSet::create()
{
    return new NxChannelSet;
}

QString NxChannelSet::channelId() const
{
    return m_channelId;
}

QString NxChannelSet::channelName() const
{
    return m_channelName;
}

QString NxChannelSet::channelType() const
{
    return m_channelType;
}

NxChannelSet::ChannelType NxChannelSet::chType() const
{
    return channelTypeFromString(m_channelType);
}

int NxChannelSet::id() const
{
    return m_id;
}

QString NxChannelSet::intro() const
{
    return m_intro;
}

QString NxChannelSet::url() const
{
    return m_url;
}

bool NxChannelSet::hasChild() const
{
    return m_hasChild;
}

bool NxChannelSet::isSingleSignOn() const
{
    return m_singleSignOn;
}

int NxChannelSet::playMode() const
{
    return m_playMode;
}

int NxChannelSet::bannerCount() const
{
    return m_bannerCount;
}

QList<QSharedPointer<NxChannelSet>> NxChannelSet::children() const
{
    return m_children;
}

QList<QSharedPointer<NxChannelItemImage>> NxChannelSet::images() const
{
    return m_images;
}

QSharedPointer<NxChannelItemImage> NxChannelSet::createImage()
{
    QSharedPointer<NxChannelItemImage> image(new NxChannelItemImage);
    m_images.append(image);
    return image;
}

QSharedPointer<NxChannelItemImage> NxChannelSet::getImage(ImageType type) const
{
    const QString wanted = imageType2String(type);
    for (const QSharedPointer<NxChannelItemImage>& image : m_images) {
        if (image && image->type() == wanted)
            return image;
    }
    return {};
}

QSharedPointer<NxChannelItemImage> NxChannelSet::addImage(ImageType type)
{
    QSharedPointer<NxChannelItemImage> image = getImage(type);
    if (!image) {
        image = createImage();
        image->m_type = imageType2String(type);
    }
    return image;
}

QString NxChannelSet::chCategory2String(ChannelCategory category)
{
    return kCategories.value(int(category));
}

QString NxChannelSet::channelType2String(ChannelType type)
{
    return kChannelTypes.value(int(type));
}

QString NxChannelSet::imageType2String(ImageType type)
{
    return kImageTypes.value(int(type));
}

NxChannelSet::ChannelCategory NxChannelSet::chCategoryFromString(const QString& text)
{
    const int index = kCategories.indexOf(text);
    if (index >= 0)
        return ChannelCategory(index);
    qDebug() << "NxChannelSet::chCategoryFromString" << " error catstring: " << text;
    return NxtChannel;
}

NxChannelSet::ChannelType NxChannelSet::channelTypeFromString(const QString& text)
{
    if (text.isEmpty())
        return Unknown;
    const int index = kChannelTypes.indexOf(text);
    if (index >= 0)
        return ChannelType(index);
    qDebug() << "NxChannelSet::channelTypeFromString" << " channel type unkown " << text;
    return Unknown;
}

NxChannelSet::ImageType NxChannelSet::imageTypeFromString(const QString& text)
{
    const int index = kImageTypes.indexOf(text);
    if (index >= 0)
        return ImageType(index);
    qDebug() << "NxChannelSet::imageTypeFromString" << " error type string: " << text;
    return Small;
}

QJsonObject NxChannelSet::channel2Json(QSharedPointer<NxChannelSet> channel)
{
    QJsonObject json;
    if (!channel)
        return json;
    json.insert(QStringLiteral("introduction"), channel->m_intro);
    json.insert(QStringLiteral("address"), channel->m_url);
    json.insert(QStringLiteral("channelName"), channel->m_channelName);
    json.insert(QStringLiteral("isHasChild"), flagText(channel->m_hasChild));
    json.insert(QStringLiteral("channelType"), channel->m_channelType);
    json.insert(QStringLiteral("singleSignOn"), flagText(channel->m_singleSignOn));
    json.insert(QStringLiteral("playMode"), QString::number(channel->m_playMode));
    QJsonArray images;
    for (const QSharedPointer<NxChannelItemImage>& image : channel->m_images) {
        if (!image)
            continue;
        QJsonObject entry;
        entry.insert(QStringLiteral("id"), image->id());
        entry.insert(QStringLiteral("order"), QString::number(image->order()));
        entry.insert(QStringLiteral("type"), image->type());
        entry.insert(QStringLiteral("url"), image->url());
        images.append(entry);
    }
    json.insert(QStringLiteral("images"), images);
    return json;
}

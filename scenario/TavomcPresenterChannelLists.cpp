#include "TavomcPresenterChannelLists.h"

#include "NxChannelItemImage.h"
#include "NxLocalChannelFile.h"

#include <QDebug>

namespace {

const QString kTv = QStringLiteral("tvstation");
const QString kMyResources = QStringLiteral("myresources");
const QString kTavo = QStringLiteral("nxtchannel");
const QString kBannerFile = QStringLiteral("Banner");

QString pictureUrl(const NxChannelSet& channel, NxChannelSet::ImageType type)
{
    const QSharedPointer<NxChannelItemImage> picture = channel.getImage(type);
    return picture ? picture->url() : QString();
}

} // namespace

void TavomcPresenterChannelLists::loadLocalChannelFiles(const QString& channelDir)
{
    m_channelDir = channelDir;
    firstPageLocalChannels = NxLocalChannelFile::read(channelDir, QStringLiteral("FirstPage"));
    tvLocalChannels = NxLocalChannelFile::read(channelDir, QStringLiteral("TV"));
    tavoLocalChannels = NxLocalChannelFile::read(channelDir, QStringLiteral("TavoChannel"));
    lastBanner = bannerItems(NxLocalChannelFile::read(channelDir, kBannerFile));
}

// Only channel tiles and the "more" item, as the catalogue gives them; the
// "more" item is made anew, in this run's language.
QList<QJsonObject> TavomcPresenterChannelLists::bannerItems(const QJsonArray& saved)
{
    QList<QJsonObject> items;
    for (const QJsonValue& value : saved) {
        const QString id = value.toObject().value(QStringLiteral("ID")).toString();
        if (id == QLatin1String("ID_TAVO_CHANNEL_MORE")) {
            items.append(moreItem());
            continue;
        }
        if (id != QLatin1String("ID_CHANNEL")) {
            qWarning() << "TavomcPresenterChannelLists::bannerItems" << "not a banner item, the saved banner is not shown";
            return {};
        }
        items.append(value.toObject());
    }
    if (items.size() > kMaxBannerItems) {
        qWarning() << "TavomcPresenterChannelLists::bannerItems" << items.size() << "items, the saved banner is not shown";
        return {};
    }
    return items;
}

void TavomcPresenterChannelLists::rememberBanner(const QList<QJsonObject>& items)
{
    if (items == lastBanner)
        return;
    QJsonArray saved;
    for (const QJsonObject& item : items)
        saved.append(item);
    if (!NxLocalChannelFile::write(m_channelDir, kBannerFile, saved))
        qWarning() << "TavomcPresenterChannelLists::rememberBanner" << "the banner is not kept for the next start";
    lastBanner = items;
}

QJsonObject TavomcPresenterChannelLists::tileJson(const NxChannelSet& channel, const QString& category)
{
    const bool tv = category == kTv;
    const QString large = pictureUrl(channel, NxChannelSet::Large);
    QString from = QStringLiteral("web");
    if (category == kMyResources && large.startsWith(QLatin1String("file://")))
        from = QStringLiteral("local");
    QString image = QStringLiteral(":/images/ID_MY_RESOURCE.png");
    if (tv)
        image = QStringLiteral(":/images/ID_CHANNEL_TV_DEFAULT.png");
    else if (category == kTavo)
        image = QStringLiteral(":/images/ID_TAVO_CHANNEL.png");
    return QJsonObject{{QStringLiteral("ID"), QStringLiteral("ID_CHANNEL")},
                       {QStringLiteral("channelid"), channel.channelId()},
                       {QStringLiteral("channelType"), channel.channelType()},
                       {QStringLiteral("from"), from},
                       {QStringLiteral("intro"), channel.intro()},
                       {QStringLiteral("url"), channel.url()},
                       {QStringLiteral("name"), channel.channelName()},
                       {QStringLiteral("image"), image},
                       {QStringLiteral("web_image"), tv ? pictureUrl(channel, NxChannelSet::Small) : large}};
}

QJsonObject TavomcPresenterChannelLists::moreItem()
{
    QJsonObject item;
    for (const char* key : {"channelid", "channelType", "from", "url", "intro", "web_image"})
        item.insert(QLatin1String(key), QString());
    item.insert(QStringLiteral("ID"), QStringLiteral("ID_TAVO_CHANNEL_MORE"));
    item.insert(QStringLiteral("name"), tr("ID_TAVO_CHANNEL_MORE"));
    item.insert(QStringLiteral("image"), QStringLiteral(":/images/ID_TAVO_CHANNEL.png"));
    return item;
}

QJsonArray TavomcPresenterChannelLists::tiles(const NxChannelSet& set, const QString& category)
{
    QJsonArray list;
    for (const QSharedPointer<NxChannelSet>& child : set.children()) {
        if (child)
            list.append(tileJson(*child, category));
    }
    return list;
}

QString TavomcPresenterChannelLists::parseChannelInfo(bool bInit, const QSharedPointer<NxChannelSet>& set, Banner* banner)
{
    if (!set)
        return QString();
    const QString category = set->channelId();
    if (category == kTavo) {
        if (!bInit && tavoChannels.isEmpty())
            fillBanner(*set, banner);
    } else if (category == kTv) {
        tvChannels = tiles(*set, category);
    } else if (category == kMyResources) {
        myResourceChannels = tiles(*set, category);
    } else if (category.isEmpty()) {
        otherChannels = tiles(*set, category);
    }
    return category;
}

void TavomcPresenterChannelLists::fillBanner(const NxChannelSet& set, Banner* banner)
{
    const QList<QSharedPointer<NxChannelSet>> children = set.children();
    int shown = set.bannerCount();
    qDebug() << "TavomcPresenterMainWgt::parseChannelInfo" << "bInit" << false << "channelcount:" << shown;
    if (shown <= 0)
        shown = qMin(children.size(), 3);
    Banner result;
    result.changed = true;
    for (int i = 0; i < children.size(); ++i) {
        if (!children.at(i))
            continue;
        const QJsonObject tile = tileJson(*children.at(i), kTavo);
        tavoChannels.append(tile);
        if (i < shown)
            result.items.append(tile);
        else if (i == shown)
            result.items.append(moreItem());
    }
    result.defaultSize = shown + 1;
    // Without channels the banner keeps its own-channel item, its only way
    // to the own-channel page.
    if (banner && !result.items.isEmpty())
        *banner = result;
}

void TavomcPresenterChannelLists::removeByChannelId(QJsonArray& list, const QJsonObject& json)
{
    const QString id = json.value(QStringLiteral("channelid")).toString();
    for (int i = list.size() - 1; i >= 0; --i) {
        if (list.at(i).toObject().value(QStringLiteral("channelid")).toString() == id)
            list.removeAt(i);
    }
}

QJsonObject TavomcPresenterChannelLists::saveRequest(Saved which, bool add, const QJsonObject& json, const QString& userId)
{
    QJsonArray* list = &firstPageLocalChannels;
    QString funcType = QStringLiteral("firstpage");
    switch (which) {
    case Saved::FirstPage: break;
    case Saved::TavoChannels: list = &tavoLocalChannels; funcType = QStringLiteral("tavochanneL"); break;
    case Saved::TvChannels: list = &tvLocalChannels; funcType = QStringLiteral("TV"); break;
    case Saved::MyResources: list = &myResourceChannels; funcType = kMyResources; break;
    }
    if (add)
        list->append(json);
    else
        removeByChannelId(*list, json);
    QJsonObject request = json;
    request.insert(QStringLiteral("funcType"), funcType);
    request.insert(QStringLiteral("data"), *list);
    if (which != Saved::MyResources) {
        request.insert(QStringLiteral("saveType"), QStringLiteral("LOCAL"));
        return request;
    }
    request.insert(QStringLiteral("saveType"), QStringLiteral("WEB"));
    request.insert(QStringLiteral("uid"), userId);
    request.insert(QStringLiteral("operate"), add ? QStringLiteral("add") : QStringLiteral("delete"));
    return request;
}

QJsonObject TavomcPresenterChannelLists::addChannelListData(const QJsonObject& slot) const
{
    QJsonArray groups;
    if (!tavoChannels.isEmpty()) {
        groups.append(QJsonObject{{QStringLiteral("sChannelId"), 0}, {QStringLiteral("title"), tr("ID_TAVO_CHANNEL")},
                                  {QStringLiteral("data"), tavoChannels}});
        groups.append(QJsonObject{{QStringLiteral("sChannelId"), 1}, {QStringLiteral("title"), tr("ID_TV")},
                                  {QStringLiteral("data"), tvChannels}});
        groups.append(QJsonObject{{QStringLiteral("sChannelId"), 2}, {QStringLiteral("title"), tr("ID_OTHER_CHANNEL")},
                                  {QStringLiteral("data"), otherChannels}});
    }
    return QJsonObject{{QStringLiteral("page"), slot.value(QStringLiteral("page")).toInt(0)},
                       {QStringLiteral("index"), slot.value(QStringLiteral("index")).toInt()},
                       {QStringLiteral("data"), groups}};
}

bool TavomcPresenterChannelLists::isPlaceable(const QJsonObject& entry)
{
    const int page = entry.value(QStringLiteral("page")).toInt(-1);
    const int index = entry.value(QStringLiteral("index")).toInt(-1);
    const bool placeable = page == 0 ? (index >= 1 && index <= 4)
                                     : (page > 0 && page <= kMaxGridPages && index >= 0 && index < kGridCells);
    if (!placeable)
        qWarning() << "TavomcPresenterChannelLists::isPlaceable" << "no such slot, entry skipped: page" << page << "index" << index;
    return placeable;
}

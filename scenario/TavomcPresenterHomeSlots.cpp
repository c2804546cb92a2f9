#include "TavomcPresenterHomeSlots.h"

#include "NxAddChanelWidget.h"
#include "NxAddChannelGridWidget.h"
#include "TavomcPresenterChannelLists.h"
#include "TavomcPresenterHomePage.h"

#include <QList>

namespace {
int pageOf(const QJsonObject& entry)
{
    return entry.value(QStringLiteral("page")).toInt();
}

int indexOf(const QJsonObject& entry)
{
    return entry.value(QStringLiteral("index")).toInt();
}

QString channelIdOf(const QJsonObject& entry)
{
    return entry.value(QStringLiteral("channelid")).toString();
}
} // namespace

TavomcPresenterHomeSlots::TavomcPresenterHomeSlots(TavomcPresenterHomePage* home)
    : QObject(home)
    , m_home(home)
{
}

const QMap<QString, QJsonObject>& TavomcPresenterHomeSlots::pinned() const
{
    return m_pinned;
}

bool TavomcPresenterHomeSlots::allHomeSlotsFilled() const
{
    for (NxAddChanelWidget* slot : m_home->homeSlots()) {
        if (!slot->isChannelMode())
            return false;
    }
    return true;
}

// Full, and another page may follow it.
bool TavomcPresenterHomeSlots::isFullGridPage(int page) const
{
    const NxAddChannelGridWidget* grid = m_home->gridPage(page);
    return grid && grid->getChannelCount() == TavomcPresenterChannelLists::kGridCells
        && page < TavomcPresenterChannelLists::kMaxGridPages;
}

void TavomcPresenterHomeSlots::place(const QJsonObject& entry)
{
    const int page = pageOf(entry);
    if (page == 0)
        m_home->homeSlot(indexOf(entry))->setItem(entry);
    else if (NxAddChannelGridWidget* grid = m_home->gridPage(page))
        grid->setChannelMode(indexOf(entry), entry);
}

void TavomcPresenterHomeSlots::remember(const QJsonObject& entry)
{
    m_pinned.insert(channelIdOf(entry), entry);
}

void TavomcPresenterHomeSlots::restore(const QJsonArray& saved)
{
    QList<QJsonObject> entries;
    int last = 0;
    for (const QJsonValue& value : saved) {
        const QJsonObject entry = value.toObject();
        if (!TavomcPresenterChannelLists::isPlaceable(entry))
            continue;
        entries.append(entry);
        last = qMax(last, pageOf(entry));
    }
    // Every page up to the last one named, emptied pages between included.
    for (int page = 1; page <= last; ++page)
        m_home->addGridPage(page);
    for (const QJsonObject& entry : qAsConst(entries)) {
        place(entry);
        remember(entry);
    }
    if (last > 0) {
        if (isFullGridPage(last))
            m_home->addGridPage(last + 1);
    } else if (allHomeSlotsFilled()) {
        m_home->addGridPage(1);
    }
}

bool TavomcPresenterHomeSlots::pin(const QJsonObject& json)
{
    if (!TavomcPresenterChannelLists::isPlaceable(json))
        return false;
    const int page = pageOf(json);
    place(json);
    if (page != 0 && isFullGridPage(page) && !m_home->gridPage(page + 1)) {
        m_home->addGridPage(page + 1);
        m_home->scrollToPage(page);
    } else if (page == 0 && allHomeSlotsFilled()) {
        m_home->addGridPage(1);
    }
    remember(json);
    return true;
}

void TavomcPresenterHomeSlots::unpin(const QJsonObject& json)
{
    m_pinned.remove(channelIdOf(json));
    const int page = pageOf(json);
    const int index = indexOf(json);
    if (page != 0) {
        if (NxAddChannelGridWidget* grid = m_home->gridPage(page))
            grid->setAddMode(index);
    } else if (NxAddChanelWidget* slot = m_home->homeSlot(index)) {
        slot->setAddMode();
    }
}

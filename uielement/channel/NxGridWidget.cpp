#include "NxGridWidget.h"

#include "INxControllerManager.h"
#include "INxWebCommandController.h"
#include "NxAddChanelWidget.h"
#include "NxChannelImageRouter.h"
#include "NxChannelWidget.h"
#include "NxConfig.h"
#include "NxToolTipHelp.h"
#include "NxTouchScrollArea.h"

#include <QDebug>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Rounds towards minus infinity, for rows above the content's top.
int floorDiv(int value, int divisor)
{
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

} // namespace

NxGridWidget::NxGridWidget(bool withScroll, QWidget* parent)
    : QWidget(parent)
    , m_withScroll(withScroll)
{
}

int NxGridWidget::cellSpacing(int width, int tileWidth, int columns)
{
    // One column has no gap to spread.
    return columns > 1 ? (width - columns * tileWidth) / (columns - 1) : 0;
}

void NxGridWidget::setBaseParam(int width, int height, int tileWidth, int tileHeight, int rows, int columns)
{
    Q_UNUSED(rows)
    m_width = width;
    m_height = height;
    m_tileWidth = tileWidth;
    m_tileHeight = tileHeight;
    m_columns = qMax(1, columns);
    m_spacing = cellSpacing(width, tileWidth, m_columns);
    setFixedSize(width, height);
    if (!m_content)
        buildPage();
    if (m_addTile)
        m_addTile->setWidgetSize(tileWidth, tileHeight);
    relayout();
}

void NxGridWidget::buildPage()
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    m_content = new QWidget;
    m_content->setObjectName(QStringLiteral("pWidget"));
    m_content->setStyleSheet(QStringLiteral("QWidget#pWidget{background:transparent;border:none;}"));
    if (m_withScroll) {
        m_scrollArea = new NxTouchScrollArea(this);
        // The content is as tall as its rows, which the grid works out itself.
        m_scrollArea->setWidgetResizable(false);
        m_scrollArea->setWidget(m_content);
        outer->addWidget(m_scrollArea);
        follow(m_scrollArea);
    } else {
        m_content->setParent(this);
        outer->addWidget(m_content);
    }

    if (m_supportAdd) {
        m_addTile = new NxAddChanelWidget(m_content);
        m_addTile->setData(QJsonObject{{QStringLiteral("ID"), QStringLiteral("ID_ADD_CHANNEL")},
                                       {QStringLiteral("name"), tr("ID_CUSTOM_ADD_CHANNEL")}});
        m_addTile->hide();
        connect(m_addTile, SIGNAL(sigAddChannelClicked(QJsonObject)), this, SLOT(slotAddChannel(QJsonObject)));
    }
}

void NxGridWidget::setSupportAdd(bool on)
{
    m_supportAdd = on;
}

void NxGridWidget::setMarkLabelVisable(bool on)
{
    m_markVisible = on;
}

void NxGridWidget::setNeedCheckNetwork(bool on)
{
    m_needCheckNetwork = on;
}

void NxGridWidget::setControlManager(INxControllerManager* mgr)
{
    m_controlManager = mgr;
}

int NxGridWidget::getChannelCount() const
{
    return m_channelCount;
}

int NxGridWidget::livingTiles() const
{
    return m_living.size();
}

int NxGridWidget::cellOf(const QWidget* tile) const
{
    if (tile && tile == m_addTile)
        return m_addTile->isHidden() ? -1 : m_entries.size();
    for (int cell : m_living) {
        if (m_entries.at(cell).tile == tile)
            return cell;
    }
    return -1;
}

NxGridWidget::Entry NxGridWidget::entryFor(const QJsonObject& channel)
{
    Entry entry;
    entry.channel = channel;
    // Ids are compared as text, whether a file stored them as text or number.
    entry.id = channel.value(QStringLiteral("channelid")).toVariant().toString();
    const QString from = channel.value(QStringLiteral("from")).toString();
    if (from == QLatin1String("web"))
        entry.origin = Origin::Web;
    else if (from == QLatin1String("local"))
        entry.origin = Origin::Local;
    return entry;
}

void NxGridWidget::setData(QJsonArray channels, bool loaded)
{
    qDebug() << "NxGridWidget::setData" << channels.size() << "channels, loaded" << loaded;
    if (!loaded)
        NxToolTipHelp::Instance().setMesseage(tr("ID_GET_CHANNEL_FAILED"));
    if (!m_content) {
        qDebug() << "NxGridWidget::setData" << "no layout yet: setBaseParam first";
        return;
    }
    clear();
    m_channelCount = channels.size();
    m_entries.reserve(channels.size());
    for (const QJsonValue& value : qAsConst(channels))
        m_entries.append(entryFor(value.toObject()));
    m_filled = true;
    placeAddTile();
    sizeContent();
    materialise();
}

void NxGridWidget::addChannel(QJsonObject channel, bool announce)
{
    if (!m_content) {
        qDebug() << "NxGridWidget::addChannel" << "no layout yet: setBaseParam first";
        return;
    }
    Entry entry = entryFor(channel);
    entry.origin = Origin::Local;
    m_entries.append(entry);
    ++m_channelCount;
    m_filled = true;
    placeAddTile();
    sizeContent();
    materialise();
    if (announce)
        emit sigChannelAdded(channel);
    QTimer::singleShot(100, this, [this] {
        if (m_scrollArea)
            m_scrollArea->verticalScrollBar()->setValue(m_scrollArea->verticalScrollBar()->maximum());
    });
}

void NxGridWidget::deleteChannelSucess()
{
    if (m_pendingDeletions.isEmpty())
        return;
    deleteChannelSucess(entryFor(m_pendingDeletions.first()).id);
}

void NxGridWidget::deleteChannelSucess(const QString& channelId)
{
    for (int i = 0; i < m_pendingDeletions.size(); ++i) {
        if (entryFor(m_pendingDeletions.at(i)).id == channelId) {
            m_pendingDeletions.removeAt(i);
            removeLocal(channelId);
            return;
        }
    }
    qDebug() << "NxGridWidget::deleteChannelSucess" << "no deletion pending for" << channelId;
}

void NxGridWidget::deleteChannelFailed(const QString& channelId)
{
    // The tile never left; it simply is no longer waiting.
    for (int i = 0; i < m_pendingDeletions.size(); ++i) {
        if (entryFor(m_pendingDeletions.at(i)).id == channelId) {
            m_pendingDeletions.removeAt(i);
            return;
        }
    }
    qDebug() << "NxGridWidget::deleteChannelFailed" << "no deletion pending for" << channelId;
}

bool NxGridWidget::isMarked(const Entry& entry) const
{
    return entry.origin != Origin::Other && m_added.contains(entry.id);
}

void NxGridWidget::renewChannelStatus(const QMap<QString, QJsonObject>& added)
{
    m_marksKnown = true;
    m_added.clear();
    for (auto it = added.cbegin(); it != added.cend(); ++it) {
        if (!it.value().isEmpty())
            m_added.insert(it.key());
    }
    for (int cell : qAsConst(m_living)) {
        const Entry& entry = m_entries.at(cell);
        if (entry.origin != Origin::Other)
            entry.tile->renewAddMark(isMarked(entry));
    }
}

void NxGridWidget::slotAddChannel(QJsonObject json)
{
    Q_UNUSED(json)
    emit sigAddCustomChannel();
}

void NxGridWidget::slotDelChannel(QJsonObject json)
{
    const QString id = entryFor(json).id;
    if (!m_needCheckNetwork) {
        removeLocal(id);
        emit sigDelChannel(true, json);
        return;
    }
    if (!NxConfig::getInstance()->getNetworkStatus()) {
        NxToolTipHelp::Instance().setMesseage(tr("ID_DELETE_ERROR_BY_NET"));
        return;
    }
    for (const QJsonObject& pending : qAsConst(m_pendingDeletions)) {
        if (entryFor(pending).id == id) {
            qDebug() << "NxGridWidget::slotDelChannel" << "already being deleted:" << id;
            return;
        }
    }
    m_pendingDeletions.append(json);
    emit sigDelChannel(false, json);
}

NxChannelWidget* NxGridWidget::createTile(const Entry& entry)
{
    QJsonObject channel = entry.channel;
    if (m_markVisible)
        channel.insert(QStringLiteral("isAdd"), false);
    auto* tile = new NxChannelWidget(m_content);
    tile->setMarkLabelVisable(m_markVisible);
    tile->setControlManager(m_controlManager);
    tile->setFixedSize(m_tileWidth, m_tileHeight);
    tile->setItem(channel);
    if (m_marksKnown && entry.origin != Origin::Other)
        tile->renewAddMark(isMarked(entry));
    connect(tile, SIGNAL(sigDelChannel(QJsonObject)), this, SLOT(slotDelChannel(QJsonObject)));
    connect(tile, SIGNAL(sigWidgetClicked(QJsonObject)), this, SIGNAL(sigChannelItemClicked(QJsonObject)));
    return tile;
}

// Later, not now: the tile may be the one whose signal is being handled, or
// hold the press a drag is scrolling with. Its picture is no longer wanted.
void NxGridWidget::release(Entry& entry)
{
    if (!entry.tile)
        return;
    INxWebCommandController* client = m_controlManager ? m_controlManager->getWebCommandCtrl() : nullptr;
    if (NxChannelImageRouter* router = client ? NxChannelImageRouter::forController(client) : nullptr)
        router->remove(entry.tile);
    entry.tile->hide();
    entry.tile->deleteLater();
    entry.tile = nullptr;
}

void NxGridWidget::clear()
{
    for (int cell : qAsConst(m_living))
        release(m_entries[cell]);
    m_living.clear();
    m_entries.clear();
}

void NxGridWidget::removeLocal(const QString& channelId)
{
    for (int i = m_entries.size() - 1; i >= 0; --i) {
        Entry& entry = m_entries[i];
        if (entry.origin == Origin::Local && entry.id == channelId) {
            release(entry);
            m_entries.remove(i);
            --m_channelCount;
        }
    }
    repack();
}

// The cloud's tiles first, the teacher's own after them, the "add" tile last.
void NxGridWidget::repack()
{
    std::stable_partition(m_entries.begin(), m_entries.end(),
                          [](const Entry& entry) { return entry.origin != Origin::Local; });
    relayout();
}

void NxGridWidget::relayout()
{
    m_living.clear();
    for (int cell = 0; cell < m_entries.size(); ++cell) {
        if (NxChannelWidget* tile = m_entries.at(cell).tile) {
            tile->setGeometry(cellRect(cell));
            m_living.append(cell);
        }
    }
    placeAddTile();
    sizeContent();
    materialise();
}

int NxGridWidget::rowStep() const
{
    return qMax(1, m_tileHeight + m_spacing);
}

QRect NxGridWidget::cellRect(int cell) const
{
    return QRect((cell % m_columns) * (m_tileWidth + m_spacing), (cell / m_columns) * rowStep(), m_tileWidth,
                 m_tileHeight);
}

void NxGridWidget::sizeContent()
{
    if (!m_scrollArea)
        return;
    const int cells = m_entries.size() + (m_addTile && m_filled ? 1 : 0);
    const int rows = (cells + m_columns - 1) / m_columns;
    const int used = rows > 0 ? rows * rowStep() - m_spacing : 0;
    m_content->resize(m_width, qMax(used, m_height));
}

void NxGridWidget::placeAddTile()
{
    if (!m_addTile)
        return;
    if (!m_filled) {
        m_addTile->hide();
        return;
    }
    m_addTile->move(cellRect(m_entries.size()).topLeft());
    m_addTile->show();
}

void NxGridWidget::follow(QAbstractScrollArea* area)
{
    if (area == m_followed)
        return;
    if (m_followed)
        disconnect(m_followed->verticalScrollBar(), nullptr, this, nullptr);
    m_followed = area;
    if (area)
        connect(area->verticalScrollBar(), SIGNAL(valueChanged(int)), this, SLOT(slotViewMoved()));
}

// The scroll area this grid sits in, when it has none of its own (a section
// of the catalogue).
QAbstractScrollArea* NxGridWidget::enclosingArea() const
{
    for (const QWidget* child = this; child; child = child->parentWidget()) {
        QWidget* parent = child->parentWidget();
        auto* area = parent ? qobject_cast<QAbstractScrollArea*>(parent->parentWidget()) : nullptr;
        if (area && area->viewport() == parent)
            return area;
    }
    return nullptr;
}

// What a viewer can see of the content, in the content's coordinates.
QRect NxGridWidget::viewArea() const
{
    QWidget* viewport = m_followed ? m_followed->viewport() : nullptr;
    if (!viewport || !viewport->isAncestorOf(m_content))
        return m_content->rect();
    return QRect(-m_content->mapTo(viewport, QPoint(0, 0)), viewport->size());
}

// The cells within one screen above and below the visible part; onScreen
// gets those actually visible.
NxGridWidget::Range NxGridWidget::wanted(Range* onScreen) const
{
    *onScreen = Range();
    if (m_entries.isEmpty())
        return Range();
    const QRect view = viewArea();
    const int step = rowStep();
    const int screen = qMax(step, view.height());
    const int lastRow = (m_entries.size() - 1) / m_columns;
    const auto cells = [this, lastRow](int firstRow, int finalRow) {
        firstRow = qMax(0, firstRow);
        finalRow = qMin(lastRow, finalRow);
        if (firstRow > finalRow)
            return Range();
        return Range{firstRow * m_columns, qMin(m_entries.size() - 1, (finalRow + 1) * m_columns - 1)};
    };
    *onScreen = cells(floorDiv(view.top(), step), floorDiv(view.bottom(), step));
    return cells(floorDiv(view.top() - screen, step), floorDiv(view.bottom() + screen, step));
}

void NxGridWidget::queueMaterialise()
{
    if (m_materialiseQueued)
        return;
    m_materialiseQueued = true;
    QTimer::singleShot(0, this, [this] { materialise(); });
}

// Tiles for the wanted cells, those on screen first (their pictures are asked
// for first); the others go, except one showing its delete button.
void NxGridWidget::materialise()
{
    m_materialiseQueued = false;
    if (!m_content || !isVisible())
        return;
    Range onScreen;
    const Range range = wanted(&onScreen);
    QVector<int> living;
    for (int cell : qAsConst(m_living)) {
        Entry& entry = m_entries[cell];
        if (range.contains(cell) || entry.tile->isDelbtnShown())
            living.append(cell);
        else
            release(entry);
    }
    for (const Range& part : {onScreen, range}) {
        for (int cell = part.first; cell <= part.last; ++cell) {
            Entry& entry = m_entries[cell];
            if (entry.tile)
                continue;
            entry.tile = createTile(entry);
            entry.tile->setGeometry(cellRect(cell));
            entry.tile->show();
            living.append(cell);
        }
    }
    m_living = living;
}

void NxGridWidget::slotViewMoved()
{
    materialise();
}

void NxGridWidget::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_scrollArea)
        follow(enclosingArea());
    materialise();
    // Layouts above may still place this grid.
    queueMaterialise();
}

void NxGridWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    queueMaterialise();
}

void NxGridWidget::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    queueMaterialise();
}

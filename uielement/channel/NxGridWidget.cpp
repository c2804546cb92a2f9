#include "NxGridWidget.h"

#include "NxAddChanelWidget.h"
#include "NxChannelWidget.h"
#include "NxConfig.h"
#include "NxToolTipHelp.h"
#include "NxTouchScrollArea.h"

#include <QDebug>
#include <QGridLayout>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

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
    setFixedSize(width, height);
    if (!m_layout)
        buildPage();
    // Columns keep their width when a cell is empty, so tiles never shift.
    for (int column = 0; column < m_layout->columnCount(); ++column)
        m_layout->setColumnMinimumWidth(column, 0);
    m_columns = qMax(1, columns);
    for (int column = 0; column < m_columns; ++column)
        m_layout->setColumnMinimumWidth(column, tileWidth);
    m_layout->setSpacing(cellSpacing(width, tileWidth, m_columns));
    if (m_addTile)
        m_addTile->setWidgetSize(tileWidth, tileHeight);
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
        m_scrollArea->setWidget(m_content);
        outer->addWidget(m_scrollArea);
    } else {
        m_content->setParent(this);
        outer->addWidget(m_content);
    }

    m_layout = new QGridLayout(m_content);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setAlignment(Qt::AlignLeft | Qt::AlignTop);

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

void NxGridWidget::setData(QJsonArray channels, bool loaded)
{
    qDebug() << "NxGridWidget::setData" << channels;
    if (!loaded)
        NxToolTipHelp::Instance().setMesseage(tr("ID_GET_CHANNEL_FAILED"));
    if (!m_layout) {
        qDebug() << "NxGridWidget::setData" << "no layout yet: setBaseParam first";
        return;
    }
    m_channelCount = channels.size();
    clear();
    m_cells.reserve(channels.size() + 1);
    for (int i = 0; i < channels.size(); ++i) {
        const QJsonObject channel = channels.at(i).toObject();
        NxChannelWidget* tile = createTile(channel);
        place(tile, i);
        const QString from = channel.value(QStringLiteral("from")).toString();
        if (from == QLatin1String("web"))
            m_webTiles.append(tile);
        else if (from == QLatin1String("local"))
            m_localTiles.append(tile);
    }
    placeAddTile();
}

void NxGridWidget::addChannel(QJsonObject channel, bool announce)
{
    if (!m_layout) {
        qDebug() << "NxGridWidget::addChannel" << "no layout yet: setBaseParam first";
        return;
    }
    if (m_addTile)
        takeOut(m_addTile);
    NxChannelWidget* tile = createTile(channel);
    place(tile, firstFreeCell());
    m_localTiles.append(tile);
    ++m_channelCount;
    placeAddTile();
    if (announce)
        emit sigChannelAdded(channel);
    QTimer::singleShot(100, this, [this] {
        if (m_scrollArea)
            m_scrollArea->verticalScrollBar()->setValue(m_scrollArea->verticalScrollBar()->maximum());
    });
}

void NxGridWidget::deleteChannelSucess()
{
    if (m_pending.isEmpty())
        return;
    removeLocal();
    m_pending = QJsonObject();
}

void NxGridWidget::renewChannelStatus(const QMap<QString, QJsonObject>& added)
{
    for (const QList<NxChannelWidget*>* tiles : {&m_webTiles, &m_localTiles}) {
        for (NxChannelWidget* tile : *tiles) {
            const QString id = tile->getData().value(QStringLiteral("channelid")).toString();
            tile->renewAddMark(!added.value(id).isEmpty());
        }
    }
}

void NxGridWidget::slotAddChannel(QJsonObject json)
{
    Q_UNUSED(json)
    emit sigAddCustomChannel();
}

void NxGridWidget::slotDelChannel(QJsonObject json)
{
    m_pending = json;
    if (m_needCheckNetwork) {
        if (NxConfig::getInstance()->getNetworkStatus()) {
            emit sigDelChannel(false, m_pending);
            return;
        }
        NxToolTipHelp::Instance().setMesseage(tr("ID_DELETE_ERROR_BY_NET"));
        m_pending = QJsonObject();
        return;
    }
    removeLocal();
    emit sigDelChannel(true, m_pending);
    m_pending = QJsonObject();
}

NxChannelWidget* NxGridWidget::createTile(QJsonObject channel)
{
    if (m_markVisible)
        channel.insert(QStringLiteral("isAdd"), false);
    auto* tile = new NxChannelWidget(m_content);
    tile->setMarkLabelVisable(m_markVisible);
    tile->setControlManager(m_controlManager);
    tile->setFixedSize(m_tileWidth, m_tileHeight);
    tile->setItem(channel);
    connect(tile, SIGNAL(sigDelChannel(QJsonObject)), this, SLOT(slotDelChannel(QJsonObject)));
    connect(tile, SIGNAL(sigWidgetClicked(QJsonObject)), this, SIGNAL(sigChannelItemClicked(QJsonObject)));
    return tile;
}

void NxGridWidget::place(QWidget* widget, int cell)
{
    if (cell >= m_cells.size())
        m_cells.resize(cell + 1);
    m_cells[cell] = widget;
    m_layout->addWidget(widget, cell / m_columns, cell % m_columns);
    // A new tile in a shown grid is shown by the layout, one tile per event,
    // so a page of hundreds never stalls the GUI thread at once; tiles put
    // away on purpose come back at once.
    if (widget->isHidden() && widget->testAttribute(Qt::WA_WState_ExplicitShowHide))
        widget->show();
}

void NxGridWidget::takeOut(QWidget* widget)
{
    const int cell = m_cells.indexOf(widget);
    if (cell < 0)
        return;
    m_layout->removeWidget(widget);
    m_cells[cell] = nullptr;
    while (!m_cells.isEmpty() && !m_cells.last())
        m_cells.removeLast();
}

int NxGridWidget::firstFreeCell() const
{
    const int hole = m_cells.indexOf(nullptr);
    return hole < 0 ? m_cells.size() : hole;
}

void NxGridWidget::placeAddTile()
{
    if (m_addTile)
        place(m_addTile, firstFreeCell());
}

void NxGridWidget::removeLocal()
{
    for (NxChannelWidget* tile : qAsConst(m_localTiles)) {
        takeOut(tile);
        tile->hide();
    }
    if (m_addTile) {
        takeOut(m_addTile);
        m_addTile->hide();
    }
    const QJsonValue id = m_pending.value(QStringLiteral("channelid"));
    for (auto it = m_localTiles.begin(); it != m_localTiles.end();) {
        if ((*it)->getData().value(QStringLiteral("channelid")) == id) {
            (*it)->deleteLater();
            it = m_localTiles.erase(it);
            --m_channelCount;
        } else {
            ++it;
        }
    }
    for (NxChannelWidget* tile : qAsConst(m_localTiles))
        place(tile, firstFreeCell());
    placeAddTile();
}

// Every tile goes, whatever its origin: tiles from neither the cloud nor the
// teacher would otherwise stay behind in their cells.
void NxGridWidget::clear()
{
    for (QWidget* widget : qAsConst(m_cells)) {
        if (!widget || widget == m_addTile)
            continue;
        m_layout->removeWidget(widget);
        widget->hide();
        widget->deleteLater();
    }
    m_cells.clear();
    if (m_addTile)
        m_layout->removeWidget(m_addTile);
    m_webTiles.clear();
    m_localTiles.clear();
}

#include "TavomcPresenterHomePage.h"

#include "NxAddChanelWidget.h"
#include "NxAddChannelGridWidget.h"
#include "NxBannerWidget.h"
#include "NxChannelWidget.h"
#include "NxPictureBackground.h"
#include "NxScale.h"
#include "NxTouchScrollArea.h"
#include "TavomcPresenterChannelLists.h"

#include <QHBoxLayout>
#include <QJsonArray>
#include <QJsonObject>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {
void clearMargins(QBoxLayout* layout, int spacing)
{
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
}

void addItem(QBoxLayout* layout, QWidget* widget)
{
    layout->addWidget(widget);
}

void addItem(QBoxLayout* layout, QLayout* inner)
{
    layout->addLayout(inner);
}

template <class Left, class Right>
QHBoxLayout* sideBySide(Left* left, int gap, Right* right)
{
    auto* row = new QHBoxLayout;
    clearMargins(row, 0);
    addItem(row, left);
    row->addSpacing(gap);
    addItem(row, right);
    return row;
}

QJsonObject emptySlot(int page, int index, const QString& name)
{
    return QJsonObject{{QStringLiteral("ID"), QStringLiteral("ID_MAINPAGE_ADD_CHANNEL")},
                       {QStringLiteral("page"), page},
                       {QStringLiteral("name"), name},
                       {QStringLiteral("index"), index}};
}
} // namespace

TavomcPresenterHomePage::TavomcPresenterHomePage(QWidget* window, INxControllerManager* controllerManager, double scale)
    : QObject(window)
    , m_window(window)
    , m_controllerManager(controllerManager)
    , m_scale(scale)
{
    m_background = createBackground();
}

int TavomcPresenterHomePage::px(double design) const
{
    return NxScale::px(design, m_scale);
}

QWidget* TavomcPresenterHomePage::background() const
{
    return m_background;
}

QWidget* TavomcPresenterHomePage::content() const
{
    return m_content;
}

bool TavomcPresenterHomePage::isScrollViewport(const QObject* object) const
{
    return m_scrollArea && object == m_scrollArea->viewport();
}

NxBannerWidget* TavomcPresenterHomePage::banner() const
{
    return m_banner;
}

void TavomcPresenterHomePage::markResourcesSignedIn(bool signedIn)
{
    m_myResourceTile->renewLoginMark(signedIn);
}

NxAddChanelWidget* TavomcPresenterHomePage::homeSlot(int index) const
{
    return m_homeSlots.value(index);
}

QList<NxAddChanelWidget*> TavomcPresenterHomePage::homeSlots() const
{
    return m_homeSlots.values();
}

NxAddChannelGridWidget* TavomcPresenterHomePage::gridPage(int page) const
{
    return m_gridPages.value(page);
}

int TavomcPresenterHomePage::scrollPosition() const
{
    return m_scrollArea->verticalScrollBar()->value();
}

QWidget* TavomcPresenterHomePage::createBackground()
{
    // Painted from a copy decoded at the screen's size rather than through a
    // style sheet's border-image, which keeps the 3840 x 2160 original.
    auto* back = new NxPictureBackground(QStringLiteral(":/images/ID_BACKGROUND.jpg"), m_window);
    back->setObjectName(QStringLiteral("BackWidget"));
    back->setFixedSize(m_window->size());
    back->installEventFilter(m_window);
    m_content = new QWidget(back);
    m_content->setObjectName(QStringLiteral("pContentWidget"));
    m_content->setStyleSheet(QStringLiteral("QWidget#pContentWidget{background-color:transparent}"));
    m_content->setFixedSize(px(1292), px(682));
    createFirstPage(m_content);
    return back;
}

void TavomcPresenterHomePage::layOut(QWidget* toolBar)
{
    auto* toolRow = new QHBoxLayout;
    clearMargins(toolRow, 0);
    toolRow->addStretch();
    toolRow->addWidget(toolBar);
    auto* column = new QVBoxLayout;
    column->setContentsMargins(0, px(240), 0, 0);
    column->setSpacing(px(28));
    column->addWidget(m_content);
    column->addLayout(toolRow);
    column->addStretch();
    auto* backLayout = new QHBoxLayout(m_background);
    clearMargins(backLayout, 0);
    backLayout->addStretch();
    backLayout->addLayout(column);
    backLayout->addStretch();
    auto* layout = new QVBoxLayout(m_window);
    clearMargins(layout, 0);
    layout->addWidget(m_background);
}

void TavomcPresenterHomePage::createFirstPage(QWidget* parent)
{
    auto* pages = new QWidget;
    pages->setObjectName(QStringLiteral("m_pContentWidget"));
    pages->setStyleSheet(QStringLiteral("QWidget#m_pContentWidget{background-color:transparent}"));
    // Extra home pages below the first are reached with a finger.
    m_scrollArea = new NxTouchScrollArea(parent);
    m_scrollArea->setObjectName(QStringLiteral("MyScrollArea"));
    m_scrollArea->setWidgetResizable(true);
    m_scrollArea->setContentsMargins(0, 0, 0, 0);
    m_scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollArea->setWidget(pages);
    m_scrollArea->setStyleSheet(QStringLiteral("border:none; background-color:transparent"));
    m_scrollArea->viewport()->installEventFilter(m_window);
    auto* parentLayout = new QVBoxLayout(parent);
    clearMargins(parentLayout, 0);
    parentLayout->addWidget(m_scrollArea);

    auto* page = new QWidget(pages);
    page->setObjectName(QStringLiteral("pFirstPageWidget"));
    page->setFixedSize(px(1292), px(642));
    page->setStyleSheet(QStringLiteral("QWidget#pFirstPageWidget{background-color:transparent}"));
    m_firstPageLayout = new QVBoxLayout(pages);
    clearMargins(m_firstPageLayout, px(28));
    m_firstPageLayout->addWidget(page);
    m_firstPageLayout->addStretch();
    createTiles(page);
}

NxChannelWidget* TavomcPresenterHomePage::createTile(QWidget* page, int width, int height, const QJsonObject& json)
{
    auto* tile = new NxChannelWidget(page);
    tile->setControlManager(m_controllerManager);
    tile->setFixedSize(px(width), px(height));
    tile->setNameLabelPosition(false);
    tile->setItem(json);
    connect(tile, SIGNAL(sigWidgetClicked(QJsonObject)), m_window, SLOT(slotChannelItemClicked(QJsonObject)));
    return tile;
}

NxAddChanelWidget* TavomcPresenterHomePage::createHomeSlot(QWidget* page, int index)
{
    auto* slot = new NxAddChanelWidget(page);
    slot->setControlManager(m_controllerManager);
    slot->setWidgetSize(px(194), px(194));
    slot->setData(emptySlot(0, index, tr("ID_ADD_CHANNEL")));
    connect(slot, SIGNAL(sigWidgetClicked(QJsonObject)), m_window, SLOT(slotChannelItemClicked(QJsonObject)));
    connect(slot, SIGNAL(sigDelChannel(QJsonObject)), m_window, SLOT(slotDelChannelFirstPage(QJsonObject)));
    connect(slot, SIGNAL(sigAddChannelClicked(QJsonObject)), m_window, SLOT(slotOpenAddChannel(QJsonObject)));
    return slot;
}

void TavomcPresenterHomePage::createBanner(QWidget* page)
{
    m_banner = new NxBannerWidget(page);
    m_banner->setFixedSize(px(412), px(412));
    m_banner->setControlManager(m_controllerManager);
    QList<QJsonObject> initial{{{QStringLiteral("ID"), QStringLiteral("ID_TAVO_CHANNEL")},
                                {QStringLiteral("url"), QString()},
                                {QStringLiteral("image"), QStringLiteral(":/images/ID_TAVO_CHANNEL.png")},
                                {QStringLiteral("name"), tr("ID_TAVO_CHANNEL")}}};
    m_banner->addinitItem(initial);
    m_banner->setDefaultSize(1);
    connect(m_banner, SIGNAL(sigItemClicked(QJsonObject)), m_window, SLOT(slotChannelItemClicked(QJsonObject)));
}

// Made in the order they are laid out, left to right and top to bottom.
void TavomcPresenterHomePage::createTiles(QWidget* page)
{
    createBanner(page);
    const auto tileJson = [](const char* id, const char* image) {
        return QJsonObject{{QStringLiteral("ID"), QLatin1String(id)},
                           {QStringLiteral("image"), QLatin1String(image)},
                           {QStringLiteral("name"), tr(id)}};
    };
    NxChannelWidget* live = createTile(page, 412, 194, tileJson(QT_TR_NOOP("ID_LIVE"), ":/images/ID_LIVE.png"));
    NxChannelWidget* tv = createTile(page, 412, 194, tileJson(QT_TR_NOOP("ID_TV"), ":/images/ID_TV.png"));
    QJsonObject resources = tileJson(QT_TR_NOOP("ID_MY_RESOURCE"), ":/images/ID_MY_RESOURCE.png");
    resources.insert(QStringLiteral("isLogin"), false);
    m_myResourceTile = createTile(page, 428, 424, resources);
    m_myResourceTile->renewLoginMark(false);
    NxChannelWidget* local = createTile(page, 412, 194, tileJson(QT_TR_NOOP("ID_LOCAL_VIDEO"), ":/images/ID_LOCAL_RESOURCE.png"));
    for (int index = 1; index <= 4; ++index)
        m_homeSlots.insert(index, createHomeSlot(page, index));
    layoutFirstPage(page, live, tv, local);
}

void TavomcPresenterHomePage::layoutFirstPage(QWidget* page, QWidget* live, QWidget* tv, QWidget* local)
{
    auto* smallTiles = new QVBoxLayout;
    clearMargins(smallTiles, px(24));
    smallTiles->addWidget(live);
    smallTiles->addWidget(tv);
    auto* bannerColumn = new QVBoxLayout;
    bannerColumn->setContentsMargins(0, px(6), 0, px(6));
    bannerColumn->setSpacing(0);
    bannerColumn->addLayout(sideBySide(m_banner, px(24), smallTiles));
    auto* row2 = new QHBoxLayout;
    clearMargins(row2, px(8));
    row2->addWidget(local);
    for (int index = 1; index <= 4; ++index)
        row2->addWidget(m_homeSlots.value(index));
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, px(8));
    layout->setSpacing(px(24));
    layout->addLayout(sideBySide(bannerColumn, px(16), m_myResourceTile));
    layout->addLayout(row2);
}

// Before the next page's holder, else before the closing stretch.
int TavomcPresenterHomePage::gridPagePosition(int page) const
{
    for (auto it = m_gridPages.constBegin(); it != m_gridPages.constEnd(); ++it) {
        if (it.key() > page)
            return m_firstPageLayout->indexOf(it.value()->parentWidget());
    }
    return m_firstPageLayout->count() - 1;
}

void TavomcPresenterHomePage::addGridPage(int page)
{
    if (m_gridPages.contains(page))
        return;
    auto* holder = new QWidget(m_scrollArea->widget());
    holder->setStyleSheet(QStringLiteral("background-color:transparent"));
    holder->setFixedSize(px(1292), px(630));
    m_firstPageLayout->insertWidget(gridPagePosition(page), holder);
    auto* grid = new NxAddChannelGridWidget(holder);
    grid->setControlManager(m_controllerManager);
    grid->setBaseParam(px(1292), px(630), px(194), px(194), 3, 6);
    connect(grid, SIGNAL(sigAddChannelClicked(QJsonObject)), m_window, SLOT(slotOpenAddChannel(QJsonObject)));
    connect(grid, SIGNAL(sigDelChannel(QJsonObject)), m_window, SLOT(slotDelChannelFirstPage(QJsonObject)));
    connect(grid, SIGNAL(sigWidgetClicked(QJsonObject)), m_window, SLOT(slotChannelItemClicked(QJsonObject)));
    QJsonArray cells;
    for (int index = 0; index < TavomcPresenterChannelLists::kGridCells; ++index)
        cells.append(emptySlot(page, index, tr("ID_ADD_CHANNEL")));
    grid->setData(cells);
    m_gridPages.insert(page, grid);
}

void TavomcPresenterHomePage::scrollToPage(int page)
{
    QTimer::singleShot(200, this, [this, page] {
        QScrollBar* bar = m_scrollArea->verticalScrollBar();
        bar->setValue(page * bar->maximum() / (page + 1) + px(28));
    });
}

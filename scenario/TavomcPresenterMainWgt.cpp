#include "TavomcPresenterMainWgt.h"

#include "INxControllerManager.h"
#include "INxNetWorkChecker.h"
#include "INxNetWorkManager.h"
#include "INxWebCommandController.h"
#include "INxWindows.h"
#include "NxAccessToolBarWidget.h"
#include "NxAddChanelWidget.h"
#include "NxAddChannelGridWidget.h"
#include "NxAddChannelListWidget.h"
#include "NxBannerWidget.h"
#include "NxChannelListWidget.h"
#include "NxChannelWidget.h"
#include "NxConfig.h"
#include "NxLocalChannelFile.h"
#include "NxFileDialog.h"
#include "NxLocalMediaOpener.h"
#include "NxPictureBackground.h"
#include "NxPlatform.h"
#include "NxScale.h"
#include "NxTilePictures.h"
#include "NxToolTipHelp.h"
#include "NxTouchScrollArea.h"

#include <QCoreApplication>
#include <QDebug>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const int kFirstPaintWaitMs = 1000;
} // namespace

TavomcPresenterMainWgt::TavomcPresenterMainWgt(INxControllerManager* controllerManager, INxNetWorkManager* networkManager,
                                               QWidget* parent)
    : QWidget(parent)
    , m_controllerManager(controllerManager)
    , m_networkManager(networkManager)
{
    // The home tiles' pictures decode on other threads while the window is built.
    NxTilePictures::preload({QStringLiteral(":/images/ID_TAVO_CHANNEL.png"), QStringLiteral(":/images/ID_LIVE.png"),
                             QStringLiteral(":/images/ID_TV.png"), QStringLiteral(":/images/ID_MY_RESOURCE.png"),
                             QStringLiteral(":/images/ID_LOCAL_RESOURCE.png")});
    m_scale = NxScale::appFactor();
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowMaximizeButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    const QScreen* screen = QGuiApplication::primaryScreen();
    m_screenRect = screen ? screen->geometry() : QRect(0, 0, 1920, 1080);
    setFixedSize(m_screenRect.width(), m_screenRect.height());
    setFocusPolicy(Qt::ClickFocus);

    if (m_networkManager && (m_netChecker = m_networkManager->getNetChecker()))
        connect(m_netChecker->getObject(), SIGNAL(sglNetWorkStateChanged(bool)), this, SLOT(slotNetWorkStateChanged(bool)));
    m_webCommand = m_controllerManager ? m_controllerManager->getWebCommandCtrl() : nullptr;
    loadLocalChannelFiles();
    createBackground();
    restoreFirstPage();
    disableTabletPenFeedback();
}

int TavomcPresenterMainWgt::px(double design) const
{
    return NxScale::px(design, m_scale);
}

bool TavomcPresenterMainWgt::networkUp() const
{
    return NxConfig::getInstance()->getNetworkStatus();
}

bool TavomcPresenterMainWgt::isNetworkCheckRunning() const
{
    return m_networkCheckRunning;
}

QString TavomcPresenterMainWgt::userId() const
{
    return m_userId;
}

QString TavomcPresenterMainWgt::cookie() const
{
    return m_cookie;
}

const TavomcPresenterChannelLists& TavomcPresenterMainWgt::channelLists() const
{
    return m_lists;
}

NxBannerWidget* TavomcPresenterMainWgt::banner() const
{
    return m_banner;
}

NxAddChanelWidget* TavomcPresenterMainWgt::homeSlot(int index) const
{
    return m_homeSlots.value(index);
}

NxChannelListWidget* TavomcPresenterMainWgt::tvPage() const
{
    return m_tvPage;
}

NxChannelListWidget* TavomcPresenterMainWgt::myResourcePage() const
{
    return m_myResourcePage;
}

NxChannelListWidget* TavomcPresenterMainWgt::tavoChannelPage() const
{
    return m_tavoChannelPage;
}

NxAccessToolBarWidget* TavomcPresenterMainWgt::toolBar() const
{
    return m_toolBar;
}

NxAddChannelListWidget* TavomcPresenterMainWgt::addChannelList() const
{
    return m_addChannelList;
}

NxAddChannelGridWidget* TavomcPresenterMainWgt::gridPage(int page) const
{
    return m_gridPages.value(page);
}

int TavomcPresenterMainWgt::scrollPosition() const
{
    return m_scrollArea->verticalScrollBar()->value();
}

void TavomcPresenterMainWgt::createBackground()
{
    // Painted from a copy decoded at the screen's size rather than through a
    // style sheet's border-image, which keeps the 3840 x 2160 original.
    auto* back = new NxPictureBackground(QStringLiteral(":/images/ID_BACKGROUND.jpg"), this);
    back->setObjectName(QStringLiteral("BackWidget"));
    back->setFixedSize(m_screenRect.size());
    back->installEventFilter(this);
    m_background = back;
    auto* content = new QWidget(back);
    content->setObjectName(QStringLiteral("pContentWidget"));
    content->setStyleSheet(QStringLiteral("QWidget#pContentWidget{background-color:transparent}"));
    content->setFixedSize(px(1292), px(682));
    createFirstPage(content);
    // The file dialog and USB sticks: the opener connects this window's
    // signalUDiskStateChanged to the dialog itself.
    m_localMedia = new NxLocalMediaOpener(this);
    m_localMedia->createFileDialog(content, m_scale);
    connect(m_localMedia, SIGNAL(sigUserActionLocalChannel()), this, SIGNAL(sigUserActionLocalChannel()));
    connect(m_localMedia, SIGNAL(sigLocalVideoStarted(QString)), this, SIGNAL(sigLocalVideoStarted(QString)));
    createToolBar(back);

    auto* toolRow = new QHBoxLayout;
    toolRow->setContentsMargins(0, 0, 0, 0);
    toolRow->setSpacing(0);
    toolRow->addStretch();
    toolRow->addWidget(m_toolBar);
    auto* column = new QVBoxLayout;
    column->setContentsMargins(0, px(240), 0, 0);
    column->setSpacing(px(28));
    column->addWidget(content);
    column->addLayout(toolRow);
    column->addStretch();
    auto* backLayout = new QHBoxLayout(back);
    backLayout->setContentsMargins(0, 0, 0, 0);
    backLayout->setSpacing(0);
    backLayout->addStretch();
    backLayout->addLayout(column);
    backLayout->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(back);
}

void TavomcPresenterMainWgt::createFirstPage(QWidget* parent)
{
    m_contentWidget = new QWidget;
    m_contentWidget->setObjectName(QStringLiteral("m_pContentWidget"));
    m_contentWidget->setStyleSheet(QStringLiteral("QWidget#m_pContentWidget{background-color:transparent}"));
    // Extra home pages below the first are reached with a finger.
    m_scrollArea = new NxTouchScrollArea(parent);
    m_scrollArea->setObjectName(QStringLiteral("MyScrollArea"));
    m_scrollArea->setWidgetResizable(true);
    m_scrollArea->setContentsMargins(0, 0, 0, 0);
    m_scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollArea->setWidget(m_contentWidget);
    m_scrollArea->setStyleSheet(QStringLiteral("border:none; background-color:transparent"));
    m_scrollArea->viewport()->installEventFilter(this);
    auto* parentLayout = new QVBoxLayout(parent);
    parentLayout->setContentsMargins(0, 0, 0, 0);
    parentLayout->setSpacing(0);
    parentLayout->addWidget(m_scrollArea);

    auto* page = new QWidget(m_contentWidget);
    page->setObjectName(QStringLiteral("pFirstPageWidget"));
    page->setFixedSize(px(1292), px(642));
    page->setStyleSheet(QStringLiteral("QWidget#pFirstPageWidget{background-color:transparent}"));
    m_firstPageLayout = new QVBoxLayout(m_contentWidget);
    m_firstPageLayout->setContentsMargins(0, 0, 0, 0);
    m_firstPageLayout->setSpacing(px(28));
    m_firstPageLayout->addWidget(page);
    m_firstPageLayout->addStretch();
    createTiles(page);
    layoutFirstPage(page);
}

NxChannelWidget* TavomcPresenterMainWgt::createTile(QWidget* page, int width, int height, const QJsonObject& json)
{
    auto* tile = new NxChannelWidget(page);
    tile->setControlManager(m_controllerManager);
    tile->setFixedSize(px(width), px(height));
    tile->setNameLabelPosition(false);
    tile->setItem(json);
    connect(tile, SIGNAL(sigWidgetClicked(QJsonObject)), this, SLOT(slotChannelItemClicked(QJsonObject)));
    return tile;
}

void TavomcPresenterMainWgt::createTiles(QWidget* page)
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
    connect(m_banner, SIGNAL(sigItemClicked(QJsonObject)), this, SLOT(slotChannelItemClicked(QJsonObject)));

    const auto tileJson = [](const char* id, const char* image) {
        return QJsonObject{{QStringLiteral("ID"), QLatin1String(id)},
                           {QStringLiteral("image"), QLatin1String(image)},
                           {QStringLiteral("name"), tr(id)}};
    };
    m_liveTile = createTile(page, 412, 194, tileJson(QT_TR_NOOP("ID_LIVE"), ":/images/ID_LIVE.png"));
    m_tvTile = createTile(page, 412, 194, tileJson(QT_TR_NOOP("ID_TV"), ":/images/ID_TV.png"));
    QJsonObject resources = tileJson(QT_TR_NOOP("ID_MY_RESOURCE"), ":/images/ID_MY_RESOURCE.png");
    resources.insert(QStringLiteral("isLogin"), false);
    m_myResourceTile = createTile(page, 428, 424, resources);
    m_myResourceTile->renewLoginMark(false);
    m_localTile = createTile(page, 412, 194, tileJson(QT_TR_NOOP("ID_LOCAL_VIDEO"), ":/images/ID_LOCAL_RESOURCE.png"));

    for (int index = 1; index <= 4; ++index) {
        auto* slot = new NxAddChanelWidget(page);
        slot->setControlManager(m_controllerManager);
        slot->setWidgetSize(px(194), px(194));
        slot->setData(QJsonObject{{QStringLiteral("ID"), QStringLiteral("ID_MAINPAGE_ADD_CHANNEL")},
                                  {QStringLiteral("page"), 0},
                                  {QStringLiteral("name"), tr("ID_ADD_CHANNEL")},
                                  {QStringLiteral("index"), index}});
        m_homeSlots.insert(index, slot);
        connect(slot, SIGNAL(sigWidgetClicked(QJsonObject)), this, SLOT(slotChannelItemClicked(QJsonObject)));
        connect(slot, SIGNAL(sigDelChannel(QJsonObject)), this, SLOT(slotDelChannelFirstPage(QJsonObject)));
        connect(slot, SIGNAL(sigAddChannelClicked(QJsonObject)), this, SLOT(slotOpenAddChannel(QJsonObject)));
    }
}

void TavomcPresenterMainWgt::layoutFirstPage(QWidget* page)
{
    auto* smallTiles = new QVBoxLayout;
    smallTiles->setContentsMargins(0, 0, 0, 0);
    smallTiles->setSpacing(px(24));
    smallTiles->addWidget(m_liveTile);
    smallTiles->addWidget(m_tvTile);
    auto* bannerRow = new QHBoxLayout;
    bannerRow->setContentsMargins(0, 0, 0, 0);
    bannerRow->setSpacing(0);
    bannerRow->addWidget(m_banner);
    bannerRow->addSpacing(px(24));
    bannerRow->addLayout(smallTiles);
    auto* bannerColumn = new QVBoxLayout;
    bannerColumn->setContentsMargins(0, px(6), 0, px(6));
    bannerColumn->setSpacing(0);
    bannerColumn->addLayout(bannerRow);
    auto* row1 = new QHBoxLayout;
    row1->setContentsMargins(0, 0, 0, 0);
    row1->setSpacing(0);
    row1->addLayout(bannerColumn);
    row1->addSpacing(px(16));
    row1->addWidget(m_myResourceTile);
    auto* row2 = new QHBoxLayout;
    row2->setSpacing(px(8));
    row2->setContentsMargins(0, 0, 0, 0);
    row2->addWidget(m_localTile);
    for (int index = 1; index <= 4; ++index)
        row2->addWidget(m_homeSlots.value(index));
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, px(8));
    layout->setSpacing(px(24));
    layout->addLayout(row1);
    layout->addLayout(row2);
}

void TavomcPresenterMainWgt::createToolBar(QWidget* parent)
{
    m_toolBar = new NxAccessToolBarWidget(parent, m_scale);
    m_toolBar->initWidget();
    connect(m_toolBar, SIGNAL(signalToolBarClicked(QString)), this, SLOT(slotToolBarClicked(QString)));
    connect(m_toolBar, &NxAccessToolBarWidget::signLogoutChangeStatus, this, [this] { slotChangeLogout(); });
    connect(m_toolBar, &NxAccessToolBarWidget::signQRHidden, this, &TavomcPresenterMainWgt::sigLoginCodeHidden);
}

void TavomcPresenterMainWgt::addGridPage(int page)
{
    if (m_gridPages.contains(page))
        return;
    auto* holder = new QWidget(m_contentWidget);
    holder->setStyleSheet(QStringLiteral("background-color:transparent"));
    holder->setFixedSize(px(1292), px(630));
    // Before the closing stretch, so pages follow each other in order.
    int position = m_firstPageLayout->count() - 1;
    for (auto it = m_gridPages.constBegin(); it != m_gridPages.constEnd(); ++it) {
        if (it.key() > page) {
            position = m_firstPageLayout->indexOf(it.value()->parentWidget());
            break;
        }
    }
    m_firstPageLayout->insertWidget(position, holder);
    auto* grid = new NxAddChannelGridWidget(holder);
    grid->setControlManager(m_controllerManager);
    grid->setBaseParam(px(1292), px(630), px(194), px(194), 3, 6);
    connect(grid, SIGNAL(sigAddChannelClicked(QJsonObject)), this, SLOT(slotOpenAddChannel(QJsonObject)));
    connect(grid, SIGNAL(sigDelChannel(QJsonObject)), this, SLOT(slotDelChannelFirstPage(QJsonObject)));
    connect(grid, SIGNAL(sigWidgetClicked(QJsonObject)), this, SLOT(slotChannelItemClicked(QJsonObject)));
    QJsonArray cells;
    for (int index = 0; index < TavomcPresenterChannelLists::kGridCells; ++index)
        cells.append(QJsonObject{{QStringLiteral("ID"), QStringLiteral("ID_MAINPAGE_ADD_CHANNEL")},
                                 {QStringLiteral("page"), page},
                                 {QStringLiteral("index"), index},
                                 {QStringLiteral("name"), tr("ID_ADD_CHANNEL")}});
    grid->setData(cells);
    m_gridPages.insert(page, grid);
}

bool TavomcPresenterMainWgt::allHomeSlotsFilled() const
{
    for (NxAddChanelWidget* slot : m_homeSlots) {
        if (!slot->isChannelMode())
            return false;
    }
    return true;
}

void TavomcPresenterMainWgt::placeOnFirstPage(const QJsonObject& entry)
{
    const int page = entry.value(QStringLiteral("page")).toInt();
    const int index = entry.value(QStringLiteral("index")).toInt();
    if (page == 0)
        m_homeSlots.value(index)->setItem(entry);
    else if (m_gridPages.contains(page))
        m_gridPages.value(page)->setChannelMode(index, entry);
}

void TavomcPresenterMainWgt::restoreFirstPage()
{
    QList<QJsonObject> entries;
    int last = 0;
    for (const QJsonValue& value : qAsConst(m_lists.firstPageLocalChannels)) {
        const QJsonObject entry = value.toObject();
        if (!TavomcPresenterChannelLists::isPlaceable(entry))
            continue;
        entries.append(entry);
        last = qMax(last, entry.value(QStringLiteral("page")).toInt());
    }
    // Every page up to the last one named, emptied pages between included.
    for (int page = 1; page <= last; ++page)
        addGridPage(page);
    for (const QJsonObject& entry : qAsConst(entries)) {
        placeOnFirstPage(entry);
        m_firstPageChannels.insert(entry.value(QStringLiteral("channelid")).toString(), entry);
    }
    if (last > 0) {
        if (m_gridPages.value(last)->getChannelCount() == TavomcPresenterChannelLists::kGridCells
            && last < TavomcPresenterChannelLists::kMaxGridPages)
            addGridPage(last + 1);
    } else if (allHomeSlotsFilled()) {
        addGridPage(1);
    }
}

void TavomcPresenterMainWgt::disableTabletPenFeedback()
{
    NxPlatform::windows()->disableTabletPenFeedback(winId());
}

bool TavomcPresenterMainWgt::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_background && event->type() == QEvent::Paint && !m_painted) {
        m_painted = true;
        // Once this frame has reached the screen.
        if (m_checkAwaitsFirstPaint)
            QTimer::singleShot(0, this, &TavomcPresenterMainWgt::runNetworkCheck);
    }
    if ((event->type() == QEvent::Show || event->type() == QEvent::Hide)
        && coveringPages().contains(static_cast<QWidget*>(watched)))
        updateBannerCover();
    // A drag on a tile or the banner must not also scroll the home page.
    if (m_scrollArea && watched == m_scrollArea->viewport() && event->type() == QEvent::Gesture
        && QCoreApplication::instance()->property("gesture").toBool())
        return true;
    return QWidget::eventFilter(watched, event);
}

// Pages cover the whole home page.
QList<QWidget*> TavomcPresenterMainWgt::coveringPages() const
{
    return {m_tvPage.data(), m_myResourcePage.data(), m_tavoChannelPage.data(), m_addChannelList.data()};
}

void TavomcPresenterMainWgt::watchCover(QWidget* page)
{
    page->installEventFilter(this);
}

void TavomcPresenterMainWgt::updateBannerCover()
{
    bool covered = m_otherProgramInFront;
    for (const QWidget* page : coveringPages())
        covered = covered || (page && page->isVisible());
    m_banner->setCovered(covered);
}

void TavomcPresenterMainWgt::startNetworkCheck()
{
    m_networkCheckRunning = true;
    if (!m_netChecker)
        return;
    connect(m_netChecker->getObject(), SIGNAL(sglResultNetWorkCheck(bool, QString)), this,
            SLOT(slotResultNetWorkCheck(bool, QString)));
    // Its answer starts the catalogue, whose pages keep the GUI thread busy
    // for a while: a window about to be shown paints its first frame first.
    QTimer::singleShot(0, this, [this] {
        if (!isVisible() || m_painted) {
            runNetworkCheck();
            return;
        }
        m_checkAwaitsFirstPaint = true;
        // A window that is never exposed (minimised at start) still checks.
        QTimer::singleShot(kFirstPaintWaitMs, this, [this] {
            if (m_checkAwaitsFirstPaint)
                runNetworkCheck();
        });
    });
}

void TavomcPresenterMainWgt::runNetworkCheck()
{
    m_checkAwaitsFirstPaint = false;
    m_netChecker->startCheck(QStringLiteral("openUrl"), QStringLiteral("ClickedLoginButton"));
}

void TavomcPresenterMainWgt::slotResultNetWorkCheck(bool bStatus, QString)
{
    m_networkCheckRunning = false;
    if (m_netChecker)
        disconnect(m_netChecker->getObject(), SIGNAL(sglResultNetWorkCheck(bool, QString)), this,
                   SLOT(slotResultNetWorkCheck(bool, QString)));
    NxConfig::getInstance()->setNetworkStatus(bStatus);
    qDebug() << "TavomcPresenterMainWgt::slotResultNetWorkCheck" << bStatus;
    if (bStatus)
        downloadChannelList(QStringLiteral("nxtchannel"));
    else
        NxToolTipHelp::Instance().setMesseage(tr("ID_GET_CHANNEL_FAILED"));
}

void TavomcPresenterMainWgt::slotNetWorkStateChanged(bool bNetStatus)
{
    NxConfig::getInstance()->setNetworkStatus(bNetStatus);
}

void TavomcPresenterMainWgt::slotChannelItemClicked(QJsonObject json)
{
    qDebug() << "TavomcPresenterMainWgt::slotChannelItemClicked" << json;
    const QString id = json.value(QStringLiteral("ID")).toString();
    if (id == QLatin1String("ID_TAVO_CHANNEL") || id == QLatin1String("ID_TAVO_CHANNEL_MORE")) {
        openTavoChannelPage();
        emit sigUserActionVelmar();
    } else if (id == QLatin1String("ID_LIVE")) {
        emit sigLive();
    } else if (id == QLatin1String("ID_TV")) {
        openTvPage();
        emit sigUserActionTVList();
    } else if (id == QLatin1String("ID_MY_RESOURCE")) {
        emit sigUserActionMyResource();
        if (!m_userId.isEmpty()) {
            openMyResourcePage();
        } else {
            m_loginFromToolbar = false;
            emit sigLogin();
        }
    } else if (id == QLatin1String("ID_LOCAL_VIDEO")) {
        m_localMedia->openLocalFile();
    } else if (id == QLatin1String("ID_CHANNEL")) {
        openChannel(json);
    }
}

void TavomcPresenterMainWgt::openChannel(const QJsonObject& json)
{
    qDebug() << "TavomcPresenterMainWgt::openChannel" << json.value(QStringLiteral("url")).toString();
    emit sigLoadWebPage(json.value(QStringLiteral("url")).toString(), m_cookie);
}

void TavomcPresenterMainWgt::slotToolBarClicked(QString sButtonID)
{
    if (sButtonID == tr("ID_LOGIN")) {
        m_loginFromToolbar = true;
        emit sigLogin();
    } else if (sButtonID == tr("ID_EXIT")) {
        NxToolTipHelp::Instance().stopToast();
        for (QWidget* owned : {static_cast<QWidget*>(m_toolBar), static_cast<QWidget*>(m_tvPage),
                               static_cast<QWidget*>(m_addChannelList), static_cast<QWidget*>(m_myResourcePage),
                               static_cast<QWidget*>(m_tavoChannelPage)})
            delete owned; // the pointers clear themselves
        QCoreApplication::exit(0);
    }
}

void TavomcPresenterMainWgt::slotQRLocation(const QPixmap& pixmap)
{
    if (m_toolBar)
        m_toolBar->showQRWidget(pixmap, m_loginFromToolbar);
}

void TavomcPresenterMainWgt::slotLoginSuccess(QString uid, QString, QString casid, QImage uimage)
{
    m_userId = uid;
    m_cookie = casid;
    m_myResourceTile->renewLoginMark(true);
    if (m_toolBar) {
        m_toolBar->setCurMode(NxAccessToolBarWidget::MODE_LOGIN);
        m_toolBar->setUserImage(uimage);
    }
    forgetMyResources(); // also when one teacher follows another directly
    m_resourcesAttempt.start();
    downloadChannelList(QStringLiteral("myresources"));
}

void TavomcPresenterMainWgt::slotChangeLogout()
{
    m_userId.clear();
    m_cookie.clear();
    m_myResourceTile->renewLoginMark(false);
    forgetMyResources();
    m_resourcesAttempt.stop();
}

// Nothing of a teacher's resources outlives the sign-in: the list, and the
// page with whatever it still waits for (an addition or deletion on the
// cloud), are gone; the next opening builds a fresh page.
void TavomcPresenterMainWgt::forgetMyResources()
{
    m_lists.myResourceChannels = QJsonArray();
    if (m_myResourcePage) {
        m_myResourcePage->hide();
        m_myResourcePage->deleteLater();
        m_myResourcePage = nullptr;
    }
}

void TavomcPresenterMainWgt::slotActiveEnable(bool bEnable)
{
    qDebug() << "TavomcPresenterMainWgt::slotActiveEnable" << bEnable;
    // While another program is in front, taps must not bring the home page back.
    NxPlatform::windows()->setAcceptsActivation(winId(), bEnable);
    m_otherProgramInFront = !bEnable;
    updateBannerCover();
}

void TavomcPresenterMainWgt::slotUDiskStateChanged(QString name, bool remove)
{
    qDebug() << "TavomcPresenterMainWgt::slotUDiskStateChanged" << name << remove;
}

// Channel lists -------------------------------------------------------------

void TavomcPresenterMainWgt::loadLocalChannelFiles()
{
    m_lists.loadLocalChannelFiles(NxLocalChannelFile::channelDir());
}

void TavomcPresenterMainWgt::downloadChannelList(QString sType)
{
    if (!m_webCommand)
        return;
    qDebug() << "TavomcPresenterMainWgt::downloadChannelList" << sType;
    if (sType == QLatin1String("initchannel"))
        m_webCommand->startDownloadAddedChList(this);
    else if (sType == QLatin1String("nxtchannel"))
        m_webCommand->startDownloadChList(sType, this);
    else if (sType == QLatin1String("tvstation"))
        m_webCommand->startDownloadChList(sType, m_tvPage.data());
    else if (sType == QLatin1String("myresources"))
        m_webCommand->startDownloadUserChList(sType, m_userId, m_resourcesAttempt.context());
}

void TavomcPresenterMainWgt::slotRecvChannelList(void* pCtx, QSharedPointer<NxChannelSet> set)
{
    qDebug() << "TavomcPresenterMainWgt::slotRecvChannelList";
    if (set && set->channelId() == QLatin1String("myresources") && !m_resourcesAttempt.isCurrent(pCtx)) {
        qDebug() << "TavomcPresenterMainWgt::slotRecvChannelList" << "resources of an earlier sign-in dropped";
        return;
    }
    parseChannelInfo(false, set);
}

void TavomcPresenterMainWgt::slotRecvAddedChannelList(void*, QList<QSharedPointer<NxChannelSet> > list)
{
    qDebug() << "TavomcPresenterMainWgt::slotRecvAddedChannelList";
    if (m_offeredListReceived)
        return;
    m_offeredListReceived = true;
    NxConfig::getInstance()->setNetworkStatus(true);
    for (const QSharedPointer<NxChannelSet>& set : list)
        parseChannelInfo(true, set);
    openAddChannelList(QJsonObject());
    if (!m_tavoChannelPage)
        m_tavoChannelPage = createPage(false, false, false, tr("ID_TAVO_CHANNEL"), SLOT(slotCloseTavoMoreChannelList()),
                                       SLOT(slotTavoChannelAdded(QJsonObject)), SLOT(slotTavoChannelDelete(QJsonObject)));
    refreshTavoChannelPage();
}

void TavomcPresenterMainWgt::parseChannelInfo(bool bInit, QSharedPointer<NxChannelSet> set)
{
    TavomcPresenterChannelLists::Banner banner;
    const QString category = m_lists.parseChannelInfo(bInit, set, &banner);
    if (category == QLatin1String("nxtchannel") && !bInit) {
        downloadChannelList(QStringLiteral("initchannel"));
        if (banner.changed) {
            m_banner->renewItem(banner.items);
            m_banner->setDefaultSize(banner.defaultSize);
            // An own-channel page opened while the list was empty shows them now.
            refreshTavoChannelPage();
        }
    } else if (category == QLatin1String("tvstation") && m_tvPage) {
        fillPage(m_tvPage, m_lists.tvChannels, m_lists.tvLocalChannels);
    } else if (category == QLatin1String("myresources") && m_myResourcePage) {
        m_myResourcePage->setData(m_lists.myResourceChannels, QJsonArray(), true);
    }
}

void TavomcPresenterMainWgt::fillPage(NxChannelListWidget* page, const QJsonArray& web, const QJsonArray& local)
{
    if (!web.isEmpty())
        page->setData(web, local, true);
    else
        page->setData(QJsonArray(), local, networkUp());
}

void TavomcPresenterMainWgt::showPage(NxChannelListWidget* page, const QJsonArray& web)
{
    if (web.isEmpty())
        page->showList(networkUp());
    else
        page->show();
}

NxChannelListWidget* TavomcPresenterMainWgt::createPage(bool supportAdd, bool storeOnWeb, bool split, const QString& title,
                                                        const char* returnSlot, const char* addedSlot, const char* deleteSlot)
{
    auto* page = new NxChannelListWidget(supportAdd, storeOnWeb, split, this);
    watchCover(page);
    page->setControlManager(m_controllerManager);
    page->setTitle(title);
    page->setParam(px(1284), px(630), px(290), px(290), 2, 4);
    connect(page, SIGNAL(sigChannelItemClicked(QJsonObject)), this, SLOT(slotChannelItemClicked(QJsonObject)));
    connect(page, SIGNAL(sigReturn()), this, returnSlot);
    connect(page, SIGNAL(sigChannelAdded(QJsonObject)), this, addedSlot);
    connect(page, SIGNAL(sigDelChannel(QJsonObject)), this, deleteSlot);
    return page;
}

void TavomcPresenterMainWgt::openTavoChannelPage()
{
    if (!m_tavoChannelPage) {
        m_tavoChannelPage = createPage(false, false, false, tr("ID_TAVO_CHANNEL"), SLOT(slotCloseTavoMoreChannelList()),
                                       SLOT(slotTavoChannelAdded(QJsonObject)), SLOT(slotTavoChannelDelete(QJsonObject)));
        fillPage(m_tavoChannelPage, m_lists.tavoChannels, m_lists.tavoLocalChannels);
    }
    showPage(m_tavoChannelPage, m_lists.tavoChannels);
    if (m_lists.tavoChannels.isEmpty() && networkUp())
        downloadChannelList(QStringLiteral("nxtchannel"));
}

void TavomcPresenterMainWgt::refreshTavoChannelPage()
{
    if (m_tavoChannelPage && m_tavoChannelPage->getWebData().isEmpty())
        fillPage(m_tavoChannelPage, m_lists.tavoChannels, m_lists.tavoLocalChannels);
}

void TavomcPresenterMainWgt::openTvPage()
{
    if (!m_tvPage) {
        m_tvPage = createPage(true, false, false, tr("ID_TV"), SLOT(slotCloseTVList()), SLOT(slotTVChannelAdded(QJsonObject)),
                              SLOT(slotTVChannelDelete(QJsonObject)));
        fillPage(m_tvPage, m_lists.tvChannels, m_lists.tvLocalChannels);
    }
    showPage(m_tvPage, m_lists.tvChannels);
    if (m_lists.tvChannels.isEmpty() && networkUp())
        downloadChannelList(QStringLiteral("tvstation"));
}

void TavomcPresenterMainWgt::openMyResourcePage()
{
    if (!m_myResourcePage) {
        m_myResourcePage = createPage(true, true, true, tr("ID_MY_RESOURCE"), SLOT(slotCloseMyResourceList()),
                                      SLOT(slotMyResourceChannelAdded(QJsonObject)), SLOT(slotMyResourceChannelDelete(QJsonObject)));
        m_myResourcePage->setData(m_lists.myResourceChannels, QJsonArray(), true);
    }
    showPage(m_myResourcePage, m_lists.myResourceChannels);
}

void TavomcPresenterMainWgt::openAddChannelList(QJsonObject json)
{
    if (!m_addChannelList) {
        m_addChannelList = new NxAddChannelListWidget(this);
        watchCover(m_addChannelList);
        m_addChannelList->setControlManager(m_controllerManager);
        connect(m_addChannelList, SIGNAL(sigReturn()), this, SLOT(slotCloseChannelList()));
        connect(m_addChannelList, SIGNAL(sigAddChannel(QJsonObject)), this, SLOT(slotAddChannelToFirstPage(QJsonObject)));
        connect(m_addChannelList, SIGNAL(sigPlayChannelContent(QJsonObject)), this, SLOT(slotChannelItemClicked(QJsonObject)));
    }
    if (m_lists.tavoChannels.isEmpty() && networkUp())
        downloadChannelList(QStringLiteral("nxtchannel"));
    m_addChannelList->setData(m_lists.addChannelListData(json), networkUp());
    m_addChannelList->setChannelsStatus(m_firstPageChannels);
}

void TavomcPresenterMainWgt::slotOpenAddChannel(QJsonObject json)
{
    qDebug() << "TavomcPresenterMainWgt::slotOpenAddChannel" << json;
    openAddChannelList(json);
    m_addChannelList->show();
    m_addChannelList->raise();
}

void TavomcPresenterMainWgt::slotAddChannelToFirstPage(QJsonObject json)
{
    qDebug() << "TavomcPresenterMainWgt::slotAddChannelToFirstPage" << json;
    if (!TavomcPresenterChannelLists::isPlaceable(json))
        return;
    const int page = json.value(QStringLiteral("page")).toInt();
    placeOnFirstPage(json);
    if (page != 0 && m_gridPages.contains(page)
        && m_gridPages.value(page)->getChannelCount() == TavomcPresenterChannelLists::kGridCells && !m_gridPages.contains(page + 1)
        && page < TavomcPresenterChannelLists::kMaxGridPages) {
        addGridPage(page + 1);
        // Once the new page is laid out, show its top.
        QTimer::singleShot(200, this, [this, page] {
            QScrollBar* bar = m_scrollArea->verticalScrollBar();
            bar->setValue(page * bar->maximum() / (page + 1) + px(28));
        });
    } else if (page == 0 && allHomeSlotsFilled()) {
        addGridPage(1);
    }
    m_firstPageChannels.insert(json.value(QStringLiteral("channelid")).toString(), json);
    saveFirstPage(true, json);
}

void TavomcPresenterMainWgt::slotDelChannelFirstPage(QJsonObject json)
{
    m_firstPageChannels.remove(json.value(QStringLiteral("channelid")).toString());
    const int page = json.value(QStringLiteral("page")).toInt();
    const int index = json.value(QStringLiteral("index")).toInt();
    if (page != 0 && m_gridPages.contains(page))
        m_gridPages.value(page)->setAddMode(index);
    else if (page == 0 && m_homeSlots.contains(index))
        m_homeSlots.value(index)->setAddMode();
    saveFirstPage(false, json);
}

void TavomcPresenterMainWgt::slotCloseTVList()
{
    if (m_tvPage)
        m_tvPage->hide();
}

void TavomcPresenterMainWgt::slotCloseMyResourceList()
{
    if (m_myResourcePage)
        m_myResourcePage->hide();
}

void TavomcPresenterMainWgt::slotCloseTavoMoreChannelList()
{
    if (m_tavoChannelPage)
        m_tavoChannelPage->hide();
}

void TavomcPresenterMainWgt::slotCloseChannelList()
{
    if (m_addChannelList)
        m_addChannelList->hide();
}

void TavomcPresenterMainWgt::slotTVChannelAdded(QJsonObject json)
{
    saveTvChannels(true, json);
}

void TavomcPresenterMainWgt::slotTVChannelDelete(QJsonObject json)
{
    saveTvChannels(false, json);
}

void TavomcPresenterMainWgt::slotMyResourceChannelAdded(QJsonObject json)
{
    saveMyResources(true, json);
}

void TavomcPresenterMainWgt::slotMyResourceChannelDelete(QJsonObject json)
{
    saveMyResources(false, json);
}

void TavomcPresenterMainWgt::slotTavoChannelAdded(QJsonObject json)
{
    saveTavoChannels(true, json);
}

void TavomcPresenterMainWgt::slotTavoChannelDelete(QJsonObject json)
{
    saveTavoChannels(false, json);
}

void TavomcPresenterMainWgt::slotRecvChAdded(void*, int iResult, QString id)
{
    if (m_myResourcePage)
        m_myResourcePage->setChannelAddDelResult(true, iResult, id);
}

void TavomcPresenterMainWgt::slotRecvChDeleted(void*, int iResult, QString idlist)
{
    // The ids tell which of several deletions under way this answer settles.
    if (m_myResourcePage)
        m_myResourcePage->setChannelAddDelResult(false, iResult, idlist);
}

void TavomcPresenterMainWgt::save(Saved list, bool add, const QJsonObject& json)
{
    emit sigAddChannel(m_lists.saveRequest(list, add, json, m_userId));
}

void TavomcPresenterMainWgt::saveFirstPage(bool add, QJsonObject json)
{
    save(Saved::FirstPage, add, json);
}

void TavomcPresenterMainWgt::saveTavoChannels(bool add, QJsonObject json)
{
    save(Saved::TavoChannels, add, json);
}

void TavomcPresenterMainWgt::saveTvChannels(bool add, QJsonObject json)
{
    save(Saved::TvChannels, add, json);
}

void TavomcPresenterMainWgt::saveMyResources(bool add, QJsonObject json)
{
    save(Saved::MyResources, add, json);
}

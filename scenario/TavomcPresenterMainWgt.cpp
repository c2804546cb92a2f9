#include "TavomcPresenterMainWgt.h"

#include "INxControllerManager.h"
#include "INxNetWorkManager.h"
#include "INxWindows.h"
#include "NxAccessToolBarWidget.h"
#include "NxAfterFirstFrame.h"
#include "NxAddChannelListWidget.h"
#include "NxBannerWidget.h"
#include "NxChannelListWidget.h"
#include "NxConfig.h"
#include "NxFileDialog.h"
#include "NxLocalChannelFile.h"
#include "NxLocalMediaOpener.h"
#include "NxPictureBackground.h"
#include "NxPlatform.h"
#include "NxScale.h"
#include "NxTilePictures.h"
#include "NxToolTipHelp.h"
#include "TavomcPresenterChannelDownloads.h"
#include "TavomcPresenterChannelPages.h"
#include "TavomcPresenterHomePage.h"
#include "TavomcPresenterHomeSlots.h"
#include "TavomcPresenterNetworkCheck.h"
#include "TavomcPresenterSignIn.h"

#include <QCoreApplication>
#include <QDebug>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

namespace {
void hideIfMade(QWidget* page)
{
    if (page)
        page->hide();
}

// Start-up work the first frame does not show waits this long after it, so
// that the catalogue it brings in does not wait for that work.
const int kAfterFirstFrameMs = 1000;
} // namespace

TavomcPresenterMainWgt::TavomcPresenterMainWgt(INxControllerManager* controllerManager, INxNetWorkManager* networkManager,
                                               QWidget* parent)
    : QWidget(parent)
    , m_controllerManager(controllerManager)
    , m_networkManager(networkManager)
{
    m_scale = NxScale::appFactor();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect screenRect = screen ? screen->geometry() : QRect(0, 0, 1920, 1080);
    preloadPictures(screenRect.size() * (screen ? screen->devicePixelRatio() : 1.0));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowMaximizeButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(screenRect.width(), screenRect.height());
    setFocusPolicy(Qt::ClickFocus);

    m_networkCheck = new TavomcPresenterNetworkCheck(m_networkManager ? m_networkManager->getNetChecker() : nullptr, this);
    m_lists.loadLocalChannelFiles(NxLocalChannelFile::channelDir());
    m_home = new TavomcPresenterHomePage(this, m_controllerManager, m_scale);
    m_afterFirstFrame = new NxAfterFirstFrame(m_home->background(), kAfterFirstFrameMs, this);
    createLocalMedia(m_home->content());
    m_signIn = new TavomcPresenterSignIn(this, m_home->background(), m_scale);
    m_home->layOut(m_signIn->toolBar());
    m_homeSlots = new TavomcPresenterHomeSlots(m_home);
    m_homeSlots->restore(m_lists.firstPageLocalChannels);
    restoreBanner(false);
    m_pages = new TavomcPresenterChannelPages(this, m_controllerManager, m_lists, m_scale);
    m_downloads = new TavomcPresenterChannelDownloads(
        this, m_controllerManager ? m_controllerManager->getWebCommandCtrl() : nullptr,
        {&m_lists, m_pages, m_homeSlots, m_signIn, m_home->banner()});
    connect(m_pages, &TavomcPresenterChannelPages::listWanted, m_downloads, &TavomcPresenterChannelDownloads::download);
    disableTabletPenFeedback();
}

// The background and the home tiles' pictures decode at the sizes they are
// shown on other threads while the window is built.
void TavomcPresenterMainWgt::preloadPictures(const QSize& screenPixels)
{
    const auto px = [this](double design) { return NxScale::px(design, m_scale); };
    NxPictureBackground::preload(QStringLiteral(":/images/ID_BACKGROUND.jpg"), screenPixels);
    const QSize wide(px(412), px(194));
    NxTilePictures::preload({{QStringLiteral(":/images/ID_TAVO_CHANNEL.png"), QSize(px(412), px(412))},
                             {QStringLiteral(":/images/ID_LIVE.png"), wide},
                             {QStringLiteral(":/images/ID_TV.png"), wide},
                             {QStringLiteral(":/images/ID_MY_RESOURCE.png"), QSize(px(428), px(424))},
                             {QStringLiteral(":/images/ID_LOCAL_RESOURCE.png"), wide}});
}

// The catalogue's banner of the last run; the catalogue's answer replaces it
// only if it differs. The first frame shows its first item; the others, whose
// pictures the cache would decode while that frame is drawn, come right after.
void TavomcPresenterMainWgt::restoreBanner(bool all)
{
    if (m_lists.lastBanner.isEmpty())
        return;
    QList<QJsonObject> items = all ? m_lists.lastBanner : m_lists.lastBanner.mid(0, 1);
    m_home->banner()->renewItem(items);
    m_home->banner()->setDefaultSize(items.size());
}

void TavomcPresenterMainWgt::afterFirstFrame(const std::function<void()>& work)
{
    m_afterFirstFrame->add(work);
}

bool TavomcPresenterMainWgt::firstFramePainted() const
{
    return m_afterFirstFrame->isPainted();
}

// The file dialog and USB sticks: the opener connects this window's
// signalUDiskStateChanged to the dialog itself. The dialog (some 20 ms to
// build) is made after the first frame, or at once when a tap or a stick
// needs it earlier.
void TavomcPresenterMainWgt::createLocalMedia(QWidget* parent)
{
    m_localMedia = new NxLocalMediaOpener(this);
    m_fileDialogParent = parent;
    connect(this, &TavomcPresenterMainWgt::signalUDiskStateChanged, this, &TavomcPresenterMainWgt::fileDialogForStick);
    connect(m_localMedia, SIGNAL(sigUserActionLocalChannel()), this, SIGNAL(sigUserActionLocalChannel()));
    connect(m_localMedia, SIGNAL(sigLocalVideoStarted(QString)), this, SIGNAL(sigLocalVideoStarted(QString)));
    afterFirstFrame([this] { makeFileDialog(); });
}

void TavomcPresenterMainWgt::makeFileDialog()
{
    m_localMedia->createFileDialog(m_fileDialogParent, m_scale);
}

// Connected before the dialog's own connections, so that a stick arriving
// before the dialog exists makes it and reaches it as it would have.
void TavomcPresenterMainWgt::fileDialogForStick(const QString& name, bool remove)
{
    if (m_localMedia->fileDialog())
        return;
    makeFileDialog();
    QMetaObject::invokeMethod(m_localMedia->fileDialog(), "slotUDiskStateChanged", Q_ARG(QString, name), Q_ARG(bool, remove));
    m_localMedia->slotUDiskStateChanged(name, remove);
}

bool TavomcPresenterMainWgt::isNetworkCheckRunning() const
{
    return m_networkCheck->isRunning();
}

QString TavomcPresenterMainWgt::userId() const
{
    return m_signIn->userId();
}

QString TavomcPresenterMainWgt::cookie() const
{
    return m_signIn->cookie();
}

const TavomcPresenterChannelLists& TavomcPresenterMainWgt::channelLists() const
{
    return m_lists;
}

NxBannerWidget* TavomcPresenterMainWgt::banner() const
{
    return m_home->banner();
}

NxAddChanelWidget* TavomcPresenterMainWgt::homeSlot(int index) const
{
    return m_home->homeSlot(index);
}

NxChannelListWidget* TavomcPresenterMainWgt::tvPage() const
{
    return m_pages->tvPage();
}

NxChannelListWidget* TavomcPresenterMainWgt::myResourcePage() const
{
    return m_pages->myResourcePage();
}

NxChannelListWidget* TavomcPresenterMainWgt::tavoChannelPage() const
{
    return m_pages->tavoChannelPage();
}

NxAccessToolBarWidget* TavomcPresenterMainWgt::toolBar() const
{
    return m_signIn->toolBar();
}

NxAddChannelListWidget* TavomcPresenterMainWgt::addChannelList() const
{
    return m_pages->addChannelList();
}

NxAddChannelGridWidget* TavomcPresenterMainWgt::gridPage(int page) const
{
    return m_home->gridPage(page);
}

int TavomcPresenterMainWgt::scrollPosition() const
{
    return m_home->scrollPosition();
}

void TavomcPresenterMainWgt::disableTabletPenFeedback()
{
    NxPlatform::windows()->disableTabletPenFeedback(winId());
}

bool TavomcPresenterMainWgt::eventFilter(QObject* watched, QEvent* event)
{
    // Filters are installed while the parts are still being built.
    if (!m_home)
        return QWidget::eventFilter(watched, event);
    if (watched == m_home->background() && event->type() == QEvent::Paint)
        backgroundPainted();
    if ((event->type() == QEvent::Show || event->type() == QEvent::Hide) && m_pages
        && m_pages->all().contains(static_cast<QWidget*>(watched)))
        updateBannerCover();
    // A drag on a tile or the banner must not also scroll the home page.
    if (m_home->isScrollViewport(watched) && event->type() == QEvent::Gesture
        && QCoreApplication::instance()->property("gesture").toBool())
        return true;
    return QWidget::eventFilter(watched, event);
}

void TavomcPresenterMainWgt::backgroundPainted()
{
    m_networkCheck->windowPainted();
    if (m_bannerWaits)
        QTimer::singleShot(0, this, &TavomcPresenterMainWgt::restoreWholeBanner);
}

// After the first frame, or with the network check's answer for a window
// never painted (minimised at start).
void TavomcPresenterMainWgt::restoreWholeBanner()
{
    if (!m_bannerWaits)
        return;
    m_bannerWaits = false;
    restoreBanner(true);
}

void TavomcPresenterMainWgt::updateBannerCover()
{
    m_home->banner()->setCovered(m_otherProgramInFront || m_pages->anyShown());
}

void TavomcPresenterMainWgt::startNetworkCheck()
{
    m_networkCheck->start();
}

void TavomcPresenterMainWgt::slotResultNetWorkCheck(bool bStatus, QString)
{
    m_networkCheck->finish();
    restoreWholeBanner();
    NxConfig::getInstance()->setNetworkStatus(bStatus);
    qDebug() << "TavomcPresenterMainWgt::slotResultNetWorkCheck" << bStatus;
    if (bStatus)
        m_downloads->download(QStringLiteral("nxtchannel"));
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
        m_pages->openTavoChannelPage();
        emit sigUserActionVelmar();
    } else if (id == QLatin1String("ID_LIVE")) {
        emit sigLive();
    } else if (id == QLatin1String("ID_TV")) {
        m_pages->openTvPage();
        emit sigUserActionTVList();
    } else if (id == QLatin1String("ID_MY_RESOURCE")) {
        emit sigUserActionMyResource();
        if (!m_signIn->userId().isEmpty()) {
            m_pages->openMyResourcePage();
        } else {
            m_signIn->ask(false);
            emit sigLogin();
        }
    } else if (id == QLatin1String("ID_LOCAL_VIDEO")) {
        makeFileDialog();
        m_localMedia->openLocalFile();
    } else if (id == QLatin1String("ID_CHANNEL")) {
        openChannel(json);
    }
}

void TavomcPresenterMainWgt::openChannel(const QJsonObject& json)
{
    qDebug() << "TavomcPresenterMainWgt::openChannel" << json.value(QStringLiteral("url")).toString();
    emit sigLoadWebPage(json.value(QStringLiteral("url")).toString(), m_signIn->cookie());
}

void TavomcPresenterMainWgt::slotToolBarClicked(QString sButtonID)
{
    if (sButtonID == tr("ID_LOGIN")) {
        m_signIn->ask(true);
        emit sigLogin();
    } else if (sButtonID == tr("ID_EXIT")) {
        NxToolTipHelp::Instance().stopToast();
        QList<QWidget*> owned = m_pages->all();
        owned.prepend(m_signIn->toolBar());
        qDeleteAll(owned); // the pointers clear themselves
        QCoreApplication::exit(0);
    }
}

void TavomcPresenterMainWgt::slotQRLocation(const QPixmap& pixmap)
{
    m_signIn->showCode(pixmap);
}

void TavomcPresenterMainWgt::slotLoginSuccess(QString uid, QString, QString casid, QImage uimage)
{
    m_signIn->signIn(uid, casid, uimage);
    m_home->markResourcesSignedIn(true);
    forgetMyResources(); // also when one teacher follows another directly
    m_downloads->download(QStringLiteral("myresources"));
}

void TavomcPresenterMainWgt::slotChangeLogout()
{
    m_signIn->signOut();
    m_home->markResourcesSignedIn(false);
    forgetMyResources();
}

// Nothing of a teacher's resources outlives the sign-in: the list, and the
// page with whatever it still waits for (an addition or deletion on the
// cloud), are gone.
void TavomcPresenterMainWgt::forgetMyResources()
{
    m_lists.myResourceChannels = QJsonArray();
    m_pages->forgetMyResourcePage();
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

void TavomcPresenterMainWgt::slotRecvChannelList(void* pCtx, QSharedPointer<NxChannelSet> set)
{
    m_downloads->receive(pCtx, set);
}

void TavomcPresenterMainWgt::slotRecvAddedChannelList(void*, QList<QSharedPointer<NxChannelSet> > list)
{
    m_downloads->receiveOffered(list);
}

void TavomcPresenterMainWgt::slotOpenAddChannel(QJsonObject json)
{
    qDebug() << "TavomcPresenterMainWgt::slotOpenAddChannel" << json;
    m_pages->fillAddChannelList(json, m_homeSlots->pinned());
    m_pages->showAddChannelList();
}

void TavomcPresenterMainWgt::slotAddChannelToFirstPage(QJsonObject json)
{
    qDebug() << "TavomcPresenterMainWgt::slotAddChannelToFirstPage" << json;
    if (m_homeSlots->pin(json))
        save(Saved::FirstPage, true, json);
}

void TavomcPresenterMainWgt::slotDelChannelFirstPage(QJsonObject json)
{
    m_homeSlots->unpin(json);
    save(Saved::FirstPage, false, json);
}

void TavomcPresenterMainWgt::slotCloseTVList()
{
    hideIfMade(m_pages->tvPage());
}

void TavomcPresenterMainWgt::slotCloseMyResourceList()
{
    hideIfMade(m_pages->myResourcePage());
}

void TavomcPresenterMainWgt::slotCloseTavoMoreChannelList()
{
    hideIfMade(m_pages->tavoChannelPage());
}

void TavomcPresenterMainWgt::slotCloseChannelList()
{
    hideIfMade(m_pages->addChannelList());
}

void TavomcPresenterMainWgt::slotTVChannelAdded(QJsonObject json)
{
    save(Saved::TvChannels, true, json);
}

void TavomcPresenterMainWgt::slotTVChannelDelete(QJsonObject json)
{
    save(Saved::TvChannels, false, json);
}

void TavomcPresenterMainWgt::slotMyResourceChannelAdded(QJsonObject json)
{
    save(Saved::MyResources, true, json);
}

void TavomcPresenterMainWgt::slotMyResourceChannelDelete(QJsonObject json)
{
    save(Saved::MyResources, false, json);
}

void TavomcPresenterMainWgt::slotTavoChannelAdded(QJsonObject json)
{
    save(Saved::TavoChannels, true, json);
}

void TavomcPresenterMainWgt::slotTavoChannelDelete(QJsonObject json)
{
    save(Saved::TavoChannels, false, json);
}

void TavomcPresenterMainWgt::slotRecvChAdded(void*, int iResult, QString id)
{
    m_pages->myResourceChanged(true, iResult, id);
}

void TavomcPresenterMainWgt::slotRecvChDeleted(void*, int iResult, QString idlist)
{
    // The ids tell which of several deletions under way this answer settles.
    m_pages->myResourceChanged(false, iResult, idlist);
}

void TavomcPresenterMainWgt::save(Saved list, bool add, const QJsonObject& json)
{
    emit sigAddChannel(m_lists.saveRequest(list, add, json, m_signIn->userId()));
}

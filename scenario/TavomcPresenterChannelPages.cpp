#include "TavomcPresenterChannelPages.h"

#include "NxAddChannelListWidget.h"
#include "NxChannelListWidget.h"
#include "NxConfig.h"
#include "NxScale.h"
#include "TavomcPresenterChannelLists.h"

#include <QWidget>

TavomcPresenterChannelPages::TavomcPresenterChannelPages(QWidget* window, INxControllerManager* controllerManager,
                                                         const TavomcPresenterChannelLists& lists, double scale)
    : QObject(window)
    , m_window(window)
    , m_controllerManager(controllerManager)
    , m_lists(lists)
    , m_scale(scale)
{
}

int TavomcPresenterChannelPages::px(double design) const
{
    return NxScale::px(design, m_scale);
}

bool TavomcPresenterChannelPages::networkUp()
{
    return NxConfig::getInstance()->getNetworkStatus();
}

NxChannelListWidget* TavomcPresenterChannelPages::tvPage() const
{
    return m_tvPage;
}

NxChannelListWidget* TavomcPresenterChannelPages::myResourcePage() const
{
    return m_myResourcePage;
}

NxChannelListWidget* TavomcPresenterChannelPages::tavoChannelPage() const
{
    return m_tavoChannelPage;
}

NxAddChannelListWidget* TavomcPresenterChannelPages::addChannelList() const
{
    return m_addChannelList;
}

QList<QWidget*> TavomcPresenterChannelPages::all() const
{
    return {m_tvPage.data(), m_myResourcePage.data(), m_tavoChannelPage.data(), m_addChannelList.data()};
}

bool TavomcPresenterChannelPages::anyShown() const
{
    for (const QWidget* page : all()) {
        if (page && page->isVisible())
            return true;
    }
    return false;
}

// Their showing and hiding tells the banner whether it is in view.
void TavomcPresenterChannelPages::watchCover(QWidget* page)
{
    page->installEventFilter(m_window);
}

void TavomcPresenterChannelPages::fillPage(NxChannelListWidget* page, const QJsonArray& web, const QJsonArray& local)
{
    if (!web.isEmpty())
        page->setData(web, local, true);
    else
        page->setData(QJsonArray(), local, networkUp());
}

void TavomcPresenterChannelPages::showPage(NxChannelListWidget* page, const QJsonArray& web)
{
    if (web.isEmpty())
        page->showList(networkUp());
    else
        page->show();
}

NxChannelListWidget* TavomcPresenterChannelPages::createPage(bool supportAdd, bool storeOnWeb, bool split,
                                                             const QString& title, const char* returnSlot,
                                                             const char* addedSlot, const char* deleteSlot)
{
    auto* page = new NxChannelListWidget(supportAdd, storeOnWeb, split, m_window);
    watchCover(page);
    page->setControlManager(m_controllerManager);
    page->setTitle(title);
    page->setParam(px(1284), px(630), px(290), px(290), 2, 4);
    connect(page, SIGNAL(sigChannelItemClicked(QJsonObject)), m_window, SLOT(slotChannelItemClicked(QJsonObject)));
    connect(page, SIGNAL(sigReturn()), m_window, returnSlot);
    connect(page, SIGNAL(sigChannelAdded(QJsonObject)), m_window, addedSlot);
    connect(page, SIGNAL(sigDelChannel(QJsonObject)), m_window, deleteSlot);
    return page;
}

NxChannelListWidget* TavomcPresenterChannelPages::createTavoChannelPage()
{
    return createPage(false, false, false, tr("ID_TAVO_CHANNEL"), SLOT(slotCloseTavoMoreChannelList()),
                      SLOT(slotTavoChannelAdded(QJsonObject)), SLOT(slotTavoChannelDelete(QJsonObject)));
}

void TavomcPresenterChannelPages::openTavoChannelPage()
{
    if (!m_tavoChannelPage) {
        m_tavoChannelPage = createTavoChannelPage();
        fillPage(m_tavoChannelPage, m_lists.tavoChannels, m_lists.tavoLocalChannels);
    }
    showPage(m_tavoChannelPage, m_lists.tavoChannels);
    if (m_lists.tavoChannels.isEmpty() && networkUp())
        emit listWanted(QStringLiteral("nxtchannel"));
}

void TavomcPresenterChannelPages::prepareTavoChannelPage()
{
    if (!m_tavoChannelPage)
        m_tavoChannelPage = createTavoChannelPage();
    refreshTavoChannelPage();
}

void TavomcPresenterChannelPages::refreshTavoChannelPage()
{
    if (m_tavoChannelPage && m_tavoChannelPage->getWebData().isEmpty())
        fillPage(m_tavoChannelPage, m_lists.tavoChannels, m_lists.tavoLocalChannels);
}

void TavomcPresenterChannelPages::openTvPage()
{
    if (!m_tvPage) {
        m_tvPage = createPage(true, false, false, tr("ID_TV"), SLOT(slotCloseTVList()), SLOT(slotTVChannelAdded(QJsonObject)),
                              SLOT(slotTVChannelDelete(QJsonObject)));
        refreshTvPage();
    }
    showPage(m_tvPage, m_lists.tvChannels);
    if (m_lists.tvChannels.isEmpty() && networkUp())
        emit listWanted(QStringLiteral("tvstation"));
}

void TavomcPresenterChannelPages::refreshTvPage()
{
    if (m_tvPage)
        fillPage(m_tvPage, m_lists.tvChannels, m_lists.tvLocalChannels);
}

void TavomcPresenterChannelPages::openMyResourcePage()
{
    if (!m_myResourcePage) {
        m_myResourcePage = createPage(true, true, true, tr("ID_MY_RESOURCE"), SLOT(slotCloseMyResourceList()),
                                      SLOT(slotMyResourceChannelAdded(QJsonObject)), SLOT(slotMyResourceChannelDelete(QJsonObject)));
        refreshMyResourcePage();
    }
    showPage(m_myResourcePage, m_lists.myResourceChannels);
}

void TavomcPresenterChannelPages::refreshMyResourcePage()
{
    if (m_myResourcePage)
        m_myResourcePage->setData(m_lists.myResourceChannels, QJsonArray(), true);
}

void TavomcPresenterChannelPages::forgetMyResourcePage()
{
    if (m_myResourcePage) {
        m_myResourcePage->hide();
        m_myResourcePage->deleteLater();
        m_myResourcePage = nullptr;
    }
}

void TavomcPresenterChannelPages::myResourceChanged(bool add, int result, const QString& ids)
{
    if (m_myResourcePage)
        m_myResourcePage->setChannelAddDelResult(add, result, ids);
}

void TavomcPresenterChannelPages::fillAddChannelList(const QJsonObject& slot, const QMap<QString, QJsonObject>& pinned)
{
    if (!m_addChannelList) {
        m_addChannelList = new NxAddChannelListWidget(m_window);
        watchCover(m_addChannelList);
        m_addChannelList->setControlManager(m_controllerManager);
        connect(m_addChannelList, SIGNAL(sigReturn()), m_window, SLOT(slotCloseChannelList()));
        connect(m_addChannelList, SIGNAL(sigAddChannel(QJsonObject)), m_window, SLOT(slotAddChannelToFirstPage(QJsonObject)));
        connect(m_addChannelList, SIGNAL(sigPlayChannelContent(QJsonObject)), m_window,
                SLOT(slotChannelItemClicked(QJsonObject)));
    }
    if (m_lists.tavoChannels.isEmpty() && networkUp())
        emit listWanted(QStringLiteral("nxtchannel"));
    m_addChannelList->setData(m_lists.addChannelListData(slot), networkUp());
    m_addChannelList->setChannelsStatus(pinned);
}

void TavomcPresenterChannelPages::showAddChannelList()
{
    m_addChannelList->show();
    m_addChannelList->raise();
}

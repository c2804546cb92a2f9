#pragma once

#include "NxChannelSet.h"
#include "NxRequestAttempt.h"
#include "TavomcPresenterChannelLists.h"

#include <QImage>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QPixmap>
#include <QPointer>
#include <QSharedPointer>

#include <functional>
#include <QString>
#include <QWidget>

class INxControllerManager;
class INxNetWorkChecker;
class INxNetWorkManager;
class INxWebCommandController;
class NxAccessToolBarWidget;
class NxAddChanelWidget;
class NxAddChannelGridWidget;
class NxAddChannelListWidget;
class NxBannerWidget;
class NxChannelListWidget;
class NxChannelWidget;
class NxAfterFirstFrame;
class NxLocalMediaOpener;
class QScrollArea;
class QVBoxLayout;

// The system's only main window: a frameless, full-screen home page of
// tiles with the sign-in toolbar; it dispatches taps and keeps the
// teacher's channel lists.
class TavomcPresenterMainWgt : public QWidget
{
    Q_OBJECT

public:
    TavomcPresenterMainWgt(INxControllerManager* controllerManager, INxNetWorkManager* networkManager,
                           QWidget* parent = nullptr);

    void startNetworkCheck();
    bool isNetworkCheckRunning() const;
    // Runs start-up work that the first frame does not show a while after the
    // home page's first frame is painted.
    void afterFirstFrame(const std::function<void()>& work);
    bool firstFramePainted() const;
    QString userId() const;
    QString cookie() const;
    const TavomcPresenterChannelLists& channelLists() const;
    NxBannerWidget* banner() const;
    NxAddChanelWidget* homeSlot(int index) const;
    NxChannelListWidget* tvPage() const;
    NxChannelListWidget* myResourcePage() const;
    NxChannelListWidget* tavoChannelPage() const;
    NxAccessToolBarWidget* toolBar() const;
    NxAddChannelListWidget* addChannelList() const;
    NxAddChannelGridWidget* gridPage(int page) const;
    int scrollPosition() const;

    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    void sigLoadWebPage(QString url, QString cookie);
    void sigChannelList(QString sType);
    void sigChannelDetail();
    void sigLive();
    void sigLogin();
    void sigLoginCodeHidden();
    void sigAddChannel(QJsonObject json);
    void sigUserActionMyResource();
    void sigUserActionTVList();
    void sigUserActionVelmar();
    void sigUserActionLocalChannel();
    void signalUDiskStateChanged(QString str, bool flag);
    void sigLocalVideoStarted(QString sFilePath);

private slots:
    void slotQRLocation(const QPixmap& pixmap);
    void slotRecvAddedChannelList(void* pCxt, QList<QSharedPointer<NxChannelSet> > list);
    void slotRecvChannelList(void* pCtx, QSharedPointer<NxChannelSet> set);
    void slotLoginSuccess(QString uid, QString token, QString casid, QImage uimage);
    void slotRecvChAdded(void*, int iResult, QString id);
    void slotRecvChDeleted(void*, int iResult, QString idlist);
    void slotToolBarClicked(QString sButtonID);
    void slotChannelItemClicked(QJsonObject json);
    void slotOpenAddChannel(QJsonObject json);
    void slotAddChannelToFirstPage(QJsonObject json);
    void slotDelChannelFirstPage(QJsonObject json);
    void slotCloseTVList();
    void slotCloseMyResourceList();
    void slotCloseTavoMoreChannelList();
    void slotCloseChannelList();
    void slotTVChannelAdded(QJsonObject json);
    void slotTVChannelDelete(QJsonObject json);
    void slotMyResourceChannelAdded(QJsonObject json);
    void slotMyResourceChannelDelete(QJsonObject json);
    void slotTavoChannelAdded(QJsonObject json);
    void slotTavoChannelDelete(QJsonObject json);
    void slotUDiskStateChanged(QString name, bool remove);
    void slotNetWorkStateChanged(bool bNetStatus);
    void slotChangeLogout();
    void slotResultNetWorkCheck(bool bStatus, QString sContent);
    void slotActiveEnable(bool bEnable);

private:
    using Saved = TavomcPresenterChannelLists::Saved;

    void preloadPictures(qreal pixelRatio);
    int px(double design) const;
    bool networkUp() const;
    void createBackground();
    void createFirstPage(QWidget* parent);
    void createToolBar(QWidget* parent);
    void createTiles(QWidget* page);
    NxChannelWidget* createTile(QWidget* page, int width, int height, const QJsonObject& json);
    void layoutFirstPage(QWidget* page);
    void restoreFirstPage();
    void addGridPage(int page);
    bool allHomeSlotsFilled() const;
    void placeOnFirstPage(const QJsonObject& entry);
    void openChannel(const QJsonObject& json);
    void disableTabletPenFeedback();
    void runNetworkCheck();
    QList<QWidget*> coveringPages() const;
    void watchCover(QWidget* page);
    void updateBannerCover();

    void loadLocalChannelFiles();
    void downloadChannelList(QString sType);
    void parseChannelInfo(bool bInit, QSharedPointer<NxChannelSet> set);
    NxChannelListWidget* createPage(bool supportAdd, bool storeOnWeb, bool split, const QString& title, const char* returnSlot,
                                    const char* addedSlot, const char* deleteSlot);
    void openTavoChannelPage();
    void openTvPage();
    void openMyResourcePage();
    void openAddChannelList(QJsonObject json);
    void refreshTavoChannelPage();
    void forgetMyResources();
    void fillPage(NxChannelListWidget* page, const QJsonArray& web, const QJsonArray& local);
    void showPage(NxChannelListWidget* page, const QJsonArray& web);
    void save(Saved list, bool add, const QJsonObject& json);
    void saveFirstPage(bool add, QJsonObject json);
    void saveTavoChannels(bool add, QJsonObject json);
    void saveTvChannels(bool add, QJsonObject json);
    void saveMyResources(bool add, QJsonObject json);

    double m_scale = 1.0;
    bool m_networkCheckRunning = false;
    bool m_checkAwaitsFirstPaint = false;
    bool m_painted = false;
    QWidget* m_background = nullptr;
    QRect m_screenRect;
    QVBoxLayout* m_firstPageLayout = nullptr;
    QWidget* m_contentWidget = nullptr;
    INxControllerManager* m_controllerManager;
    INxNetWorkManager* m_networkManager;
    INxNetWorkChecker* m_netChecker = nullptr;
    INxWebCommandController* m_webCommand = nullptr;
    QPointer<NxAccessToolBarWidget> m_toolBar;
    NxBannerWidget* m_banner = nullptr;
    QMap<int, NxAddChanelWidget*> m_homeSlots;
    QScrollArea* m_scrollArea = nullptr;
    NxChannelWidget* m_liveTile = nullptr;
    NxChannelWidget* m_tvTile = nullptr;
    NxChannelWidget* m_myResourceTile = nullptr;
    NxChannelWidget* m_localTile = nullptr;
    QPointer<NxChannelListWidget> m_tvPage;
    QPointer<NxChannelListWidget> m_myResourcePage;
    QPointer<NxChannelListWidget> m_tavoChannelPage;
    QPointer<NxAddChannelListWidget> m_addChannelList;
    NxLocalMediaOpener* m_localMedia = nullptr;
    NxAfterFirstFrame* m_afterFirstFrame = nullptr;
    QMap<int, NxAddChannelGridWidget*> m_gridPages;
    TavomcPresenterChannelLists m_lists;
    QString m_userId;
    QString m_cookie;
    // The resources asked for by the current sign-in; none while signed out.
    NxRequestAttempt m_resourcesAttempt;
    QMap<QString, QJsonObject> m_firstPageChannels;
    QString m_startLocation = QStringLiteral("ID_OPEN_RECENT");
    bool m_loginFromToolbar = false;
    bool m_offeredListReceived = false;
    bool m_otherProgramInFront = false;
};

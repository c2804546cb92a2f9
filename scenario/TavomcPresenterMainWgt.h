#pragma once

#include "NxChannelSet.h"
#include "TavomcPresenterChannelLists.h"

#include <QImage>
#include <QJsonObject>
#include <QList>
#include <QPixmap>
#include <QSharedPointer>
#include <QSize>
#include <QString>
#include <QWidget>

#include <functional>

class INxControllerManager;
class INxNetWorkManager;
class NxAccessToolBarWidget;
class NxAddChanelWidget;
class NxAddChannelGridWidget;
class NxAddChannelListWidget;
class NxBannerWidget;
class NxChannelListWidget;
class NxAfterFirstFrame;
class NxLocalMediaOpener;
class TavomcPresenterChannelDownloads;
class TavomcPresenterChannelPages;
class TavomcPresenterHomePage;
class TavomcPresenterHomeSlots;
class TavomcPresenterNetworkCheck;
class TavomcPresenterSignIn;

// The system's only main window: a frameless, full-screen home page of
// tiles with the sign-in toolbar; it dispatches taps and keeps the
// teacher's channel lists. Its parts: the home page's widgets, the pins on
// its slots, the pages over it, the sign-in, the network check and the
// channel lists' downloads.
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

    void preloadPictures(const QSize& screenPixels);
    void restoreBanner(bool all);
    void backgroundPainted();
    void restoreWholeBanner();
    void createLocalMedia(QWidget* parent);
    void makeFileDialog();
    void fileDialogForStick(const QString& name, bool remove);
    void openChannel(const QJsonObject& json);
    void disableTabletPenFeedback();
    void updateBannerCover();
    void forgetMyResources();
    void save(Saved list, bool add, const QJsonObject& json);

    double m_scale = 1.0;
    INxControllerManager* m_controllerManager;
    INxNetWorkManager* m_networkManager;
    TavomcPresenterNetworkCheck* m_networkCheck = nullptr;
    TavomcPresenterHomePage* m_home = nullptr;
    TavomcPresenterHomeSlots* m_homeSlots = nullptr;
    TavomcPresenterSignIn* m_signIn = nullptr;
    TavomcPresenterChannelPages* m_pages = nullptr;
    TavomcPresenterChannelDownloads* m_downloads = nullptr;
    NxLocalMediaOpener* m_localMedia = nullptr;
    QWidget* m_fileDialogParent = nullptr;
    NxAfterFirstFrame* m_afterFirstFrame = nullptr;
    TavomcPresenterChannelLists m_lists;
    bool m_otherProgramInFront = false;
    bool m_bannerWaits = true;
};

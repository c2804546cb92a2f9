#pragma once

#include "NxChannelSet.h"

#include <QImage>
#include <QJsonObject>
#include <QList>
#include <QPixmap>
#include <QSharedPointer>
#include <QString>
#include <QWidget>

class INxControllerManager;
class INxNetWorkChecker;
class INxNetWorkManager;
class INxWebCommandController;

// The system's only main window: a frameless, full-screen home page.
class TavomcPresenterMainWgt : public QWidget
{
    Q_OBJECT

public:
    TavomcPresenterMainWgt(INxControllerManager* controllerManager, INxNetWorkManager* networkManager,
                           QWidget* parent = nullptr);

    void startNetworkCheck();
    bool isNetworkCheckRunning() const;
    QString userId() const;
    QString cookie() const;

signals:
    void sigLoadWebPage(QString url, QString cookie);
    void sigChannelList(QString sType);
    void sigChannelDetail();
    void sigLive();
    void sigLogin();
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
    void createBackground();
    void openChannel(const QJsonObject& json);
    static void notYet(const char* where);

    double m_scale = 1.0;
    bool m_networkCheckRunning = false;
    QRect m_screenRect;
    INxControllerManager* m_controllerManager;
    INxNetWorkManager* m_networkManager;
    INxNetWorkChecker* m_netChecker = nullptr;
    INxWebCommandController* m_webCommand = nullptr;
    QString m_userId;
    QString m_cookie;
    bool m_loginFromToolbar = false;
};

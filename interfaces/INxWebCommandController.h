#pragma once

#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QSharedPointer>
#include <QString>

class NxChannelSet;

// The cloud client. Operations return at once; results arrive as signals of
// getObject() whose first argument is the caller's context pointer.
class INxWebCommandController
{
public:
    struct stLoginInfo {
        QString uid;
        QString token;
        QString casid;
    };

    virtual ~INxWebCommandController() = default;

    virtual QObject* getObject() = 0;
    virtual int init() = 0;
    virtual int startDataRequest(void* pCxt) = 0;
    virtual int stop() = 0;
    virtual int startDownloadChList(const QString& sType, void* pCxt) = 0;
    virtual int startDownloadUserChList(const QString& sType, const QString& sUserID, void* pCxt) = 0;
    virtual int downloadImage(const QString& sUrl, void* pCxt) = 0;
    virtual bool getLoginQr(QString& url) = 0;
    virtual int queryQRlogin(const QString& sQrUrl, void* pCxt) = 0;
    virtual bool getLoginInfo(stLoginInfo& info) = 0;
    virtual bool getLoginInfo(QString& uid, QString& token) = 0;
    virtual int startLiveCode(const QString& sCode, void* pCxt) = 0;
    virtual int addUserChannel(const QString& sUserID, const QString& sParentID, QSharedPointer<NxChannelSet> channel,
                               void* pCxt) = 0;
    virtual int addUserChannel(const QString& sUserID, const QString& sParentID, const QJsonObject& jsChannel, void* pCxt) = 0;
    virtual int deleteUserChannel(const QString& sUserID, QList<QSharedPointer<NxChannelSet>> channels, void* pCxt) = 0;
    virtual int deleteUserChannel(const QString& sUserID, const QJsonObject& request, void* pCxt) = 0;
    virtual int startDownloadAddedChList(void* pCxt) = 0;
};

#define INxWebCommandController_iid "com.nxt.TavomcPresenterPro.INxWebCommandController/1.0"
Q_DECLARE_INTERFACE(INxWebCommandController, INxWebCommandController_iid)

#pragma once

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
    virtual int startDownloadAddedChList(void* pCxt) = 0;
};

#define INxWebCommandController_iid "com.nxt.TavomcPresenterPro.INxWebCommandController/1.0"
Q_DECLARE_INTERFACE(INxWebCommandController, INxWebCommandController_iid)

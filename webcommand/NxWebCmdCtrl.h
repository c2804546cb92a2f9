#pragma once

#include "INxWebCommandController.h"
#include "NxChannelSet.h"
#include "TavoWebCommandGlobal.h"

#include <QImage>
#include <QJsonObject>
#include <QMap>
#include <QMutex>
#include <QNetworkReply>
#include <QObject>
#include <QThread>

#include <functional>

class NxAxloginUtil;
class NxWebCommand;
class NxWebCmdTask;
class NxWebLocalCache;

// The cloud client: owns a worker thread on which every request is sent and
// every reply parsed; results come back as queued signals.
class TAVOWEBCOMMAND_EXPORT NxWebCmdCtrl : public QObject, public INxWebCommandController
{
    Q_OBJECT
    Q_INTERFACES(INxWebCommandController)

public:
    using ImageCallback = std::function<void(const QImage&)>;

    explicit NxWebCmdCtrl(QObject* parent = nullptr);
    ~NxWebCmdCtrl() override;

    QObject* getObject() override;
    int init() override;
    int startDataRequest(void* pCxt) override;
    int stop() override;
    int startDownloadChList(const QString& sType, void* pCxt) override;
    int startDownloadUserChList(const QString& sType, const QString& sUserID, void* pCxt) override;
    int downloadImage(const QString& sUrl, void* pCxt) override;
    bool getLoginQr(QString& url) override;
    int queryQRlogin(const QString& sQrUrl, void* pCxt) override;
    bool getLoginInfo(stLoginInfo& info) override;
    bool getLoginInfo(QString& uid, QString& token) override;
    int startLiveCode(const QString& sCode, void* pCxt) override;
    int addUserChannel(const QString& sUserID, const QString& sParentID, QSharedPointer<NxChannelSet> channel,
                       void* pCxt) override;
    int addUserChannel(const QString& sUserID, const QString& sParentID, const QJsonObject& jsChannel, void* pCxt) override;
    int deleteUserChannel(const QString& sUserID, QList<QSharedPointer<NxChannelSet>> channels, void* pCxt) override;
    int deleteUserChannel(const QString& sUserID, const QJsonObject& request, void* pCxt) override;
    int startDownloadAddedChList(void* pCxt) override;

    // Downloads a picture for a consumer inside this library; the callback
    // runs on the worker thread, with a null image on failure.
    void downloadImageInternal(const QString& sUrl, ImageCallback callback);

    static void registerMetaTypes();
    // Ends the worker thread, waiting for a slot still running there; the
    // network objects are deleted on their own thread as it ends.
    void endWorker();

signals:
    void sigRecvUserChannelList(void* pCxt, QSharedPointer<NxChannelSet> chSet);
    void sigRecvChAdded(void* pCxt, int iResult, QString id);
    void sigRecvChDeleted(void* pCxt, int iResult, QString idlist);
    void sigUserLogin(void* pCxt, int iResult, QImage image);
    void sigRecvLiveUrl(void* pCxt, int iResult, QString sURl);
    void sigRecvAllChannelList(QMap<NxChannelSet::ChannelCategory, QSharedPointer<NxChannelSet>> map);
    void sigRecvAddedChannelList(void* pCxt, QList<QSharedPointer<NxChannelSet>> list);
    void sigRecvChannelList(void* pCxt, QSharedPointer<NxChannelSet> chSet);
    void sigRecvChannelImage(void* pCxt, QImage img);
    void sigStartImgCache(QString sDir);
    void sigStartDownloadTask();
    void sigStartDownloadChList(QString sType, void* pCxt = nullptr);
    void sigStartDownloadUserChList(QString sType, QString sUserID, void* pCxt = nullptr);
    void sigDownloadImage(QString sUrl, void* pCxt, bool bInternal = false);
    void sigStartDownloadAddedChList(void* pCxt = nullptr);
    void sigAddUserChannel(QString sUserID, QString sParentID, QJsonObject jsChannel, void* pCxt = nullptr);
    void sigDeleteUserChannel(QString sUserID, QString ids, void* pCxt = nullptr);
    void sigQueryQRlogin(QString sQrUrl, void* pCxt = nullptr);
    void sigStartLiveCode(QString sCode, void* pCxt = nullptr);

public slots:
    void onNetworkFinished(QNetworkReply* pNetwkReply);
    void onReplyFinished();
    void onReplyError(QNetworkReply::NetworkError error);
    void onUploadProgress(qint64 bytesSent, qint64 bytesTotal);

private slots:
    void slotStartDownloadChList(QString sType, void* pCxt = nullptr);
    void slotStartDownloadUserChList(QString sType, QString sUserID, void* pCxt = nullptr);
    void slotDownloadImage(QString sUrl, void* pCxt, bool bInternal = false);
    void slotStartDownloadAddedChList(void* pCxt = nullptr);
    void slotAddUserChannel(QString sUserID, QString sParentID, QJsonObject jsChannel, void* pCxt = nullptr);
    void slotDeleteUserChannel(QString sUserID, QString ids, void* pCxt = nullptr);
    void slotQueryQRlogin(QString sQrUrl, void* pCxt = nullptr);
    void slotStartLiveCode(QString sCode, void* pCxt = nullptr);

private:
    // Contexts belong to their reply's handler and go with it, answered or not.
    struct ImageCxt {
        ImageCxt(bool isInternal, const QString& sUrl, void* context);
        ~ImageCxt();
        Q_DISABLE_COPY(ImageCxt)
        bool internal = false;
        QString url;
        void* pCxt = nullptr; // for an internal download the ImageCallback, owned until delivered
    };
    struct tagOperationCxt {
        int type = 0; // 0 add, 1 delete
        void* pCxt = nullptr;
        QString ids; // a deletion's channels, named again in its answer
    };
    using Handler = std::function<void(const QByteArray&)>;

    NxWebCommand* command();
    void track(QNetworkReply* reply, Handler handler);
    void connectInternalSignals();
    void replaceWorkers();

    QSharedPointer<NxChannelSet> ParseChannelJson(const QJsonObject& object);
    void ParseChannelData(const QByteArray& data, void* pCxt);
    void parseImageData(const QByteArray& data, ImageCxt& cxt);
    void deliverImage(const QImage& image, bool internal, void* pCxt);
    void ParseUnitedLoginData(const QByteArray& data, void* pCxt);
    void startQuickLogin(const QString& uid, const QString& token, bool rememberMe, bool issign, void* pCxt);
    void ParseUnitedQuickLoginResult(const QByteArray& data, void* pCxt);
    void ParseOperationResult(const QByteArray& data, const tagOperationCxt& cxt);
    void parseLiveCodeData(const QByteArray& data, void* pCxt);

    QThread m_thread;
    NxWebCommand* m_pImdCmd = nullptr;
    NxWebLocalCache* m_pImgCacher = nullptr;
    NxWebCmdTask* m_task = nullptr;
    // Written on the worker thread, read by getLoginInfo on the caller's.
    mutable QMutex m_loginMutex;
    QString m_uid;
    QString m_token;
    QString m_casid;
    QMap<QNetworkReply*, Handler> m_pendingReplies;
    QString m_appHost;
    QString m_liveHost;
    NxAxloginUtil* m_loginUtil = nullptr;
};

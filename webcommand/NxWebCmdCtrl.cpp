#include "NxWebCmdCtrl.h"

#include "NxAppProperty.h"

#include "NxAxloginUtil.h"
#include "NxChannelJson.h"
#include "NxCloudAnswers.h"
#include "NxLocalChannelFile.h"
#include "NxPictureReader.h"
#include "NxReplyLimiter.h"
#include "NxWebCmdTask.h"
#include "NxWebCommand.h"
#include "NxWebLocalCache.h"

#include <QCoreApplication>
#include <QMutex>
#include <QSet>
#include <QDebug>
#include <QJsonArray>
#include <QMutexLocker>

#include <memory>
#include <utility>

namespace {

const char* presence(const QString& value)
{
    return value.isEmpty() ? "empty" : "present";
}

// Controllers whose worker may still run when the application object goes:
// a worker thread running while Qt tears itself down crashes the exit.
QMutex g_liveMutex;
QSet<NxWebCmdCtrl*> g_live;

void endLiveWorkers()
{
    QMutexLocker lock(&g_liveMutex);
    for (NxWebCmdCtrl* controller : qAsConst(g_live))
        controller->endWorker();
}

} // namespace

NxWebCmdCtrl::NxWebCmdCtrl(QObject* parent)
    : QObject(parent)
{
    {
        QMutexLocker lock(&g_liveMutex);
        g_live.insert(this);
        static const bool routineAdded = (qAddPostRoutine(endLiveWorkers), true);
        Q_UNUSED(routineAdded)
    }
    m_appHost = NxAppProperty::text("appHost");
    m_liveHost = NxAppProperty::text("liveHost");
    m_loginUtil = new NxAxloginUtil;
    registerMetaTypes();
}

NxWebCmdCtrl::~NxWebCmdCtrl()
{
    qDebug() << "NxWebCmdCtrl::~NxWebCmdCtrl";
    {
        QMutexLocker lock(&g_liveMutex);
        g_live.remove(this);
    }
    endWorker();
    delete m_pImdCmd;
    delete m_loginUtil;
}

void NxWebCmdCtrl::endWorker()
{
    if (m_thread.isRunning()) {
        // The network objects are deleted on their own thread as it ends.
        if (m_pImdCmd)
            m_pImdCmd->deleteLater();
        m_thread.quit();
        if (!m_thread.wait(500)) {
            qDebug() << "NxWebCmdCtrl::~NxWebCmdCtrl" << " thread exit error! ";
            // A slot still runs there on this object and its children; the
            // thread ends as soon as it returns, since network work is
            // asynchronous. Nothing may be freed under it before.
            m_thread.wait();
        }
        m_pImdCmd = nullptr;
    }
}

NxWebCmdCtrl::ImageCxt::ImageCxt(bool isInternal, const QString& sUrl, void* context)
    : internal(isInternal)
    , url(sUrl)
    , pCxt(context)
{
}

NxWebCmdCtrl::ImageCxt::~ImageCxt()
{
    if (internal)
        delete static_cast<ImageCallback*>(pCxt);
}

void NxWebCmdCtrl::registerMetaTypes()
{
    qRegisterMetaType<NxChannelSet::ChannelCategory>("NxChannelSet::ChannelCategory");
    qRegisterMetaType<NxChannelSet>("NxChannelSet");
    qRegisterMetaType<QSharedPointer<NxChannelSet>>();
    qRegisterMetaType<QSharedPointer<NxChannelSet>>("QSharedPointer<NxChannelSet>&");
    qRegisterMetaType<QList<QSharedPointer<NxChannelSet>>>();
    qRegisterMetaType<QMap<NxChannelSet::ChannelCategory, QSharedPointer<NxChannelSet>>>(
        "QMap<NxChannelSet::ChannelCategory, QSharedPointer<NxChannelSet>>");
}

QObject* NxWebCmdCtrl::getObject()
{
    return this;
}

int NxWebCmdCtrl::init()
{
    if (m_thread.isRunning())
        return 0;
    if (!m_pImdCmd)
        m_pImdCmd = new NxWebCommand(this);
    moveToThread(&m_thread);
    m_pImdCmd->moveToThread(&m_thread);
    replaceWorkers();
    connectInternalSignals();
    m_thread.start(QThread::InheritPriority);
    emit sigStartImgCache(NxLocalChannelFile::channelDir());
    return 0;
}

void NxWebCmdCtrl::replaceWorkers()
{
    // After a stop() the earlier task and cache would still answer the
    // internal signals and run every request twice. The new ones are made
    // here and handed to the worker thread before they join this object.
    delete m_task;
    delete m_pImgCacher;
    m_task = new NxWebCmdTask(this);
    m_pImgCacher = new NxWebLocalCache;
    m_pImgCacher->setObjectName(QStringLiteral("m_pImgCacher"));
    for (QObject* worker : {static_cast<QObject*>(m_task), static_cast<QObject*>(m_pImgCacher)}) {
        worker->moveToThread(&m_thread);
        worker->setParent(this);
    }
}

void NxWebCmdCtrl::connectInternalSignals()
{
    connect(this, SIGNAL(sigStartDownloadTask()), m_task, SLOT(slotStartDownloadTask()));
    connect(this, SIGNAL(sigStartImgCache(QString)), m_pImgCacher, SLOT(slotStartImgCache(QString)));
    const auto unique = Qt::UniqueConnection;
    connect(this, SIGNAL(sigDownloadImage(QString, void*, bool)), this, SLOT(slotDownloadImage(QString, void*, bool)), unique);
    connect(this, SIGNAL(sigStartDownloadChList(QString, void*)), this, SLOT(slotStartDownloadChList(QString, void*)), unique);
    connect(this, SIGNAL(sigStartDownloadUserChList(QString, QString, void*)), this,
            SLOT(slotStartDownloadUserChList(QString, QString, void*)), unique);
    connect(this, SIGNAL(sigStartDownloadAddedChList(void*)), this, SLOT(slotStartDownloadAddedChList(void*)), unique);
    connect(this, SIGNAL(sigAddUserChannel(QString, QString, QJsonObject, void*)), this,
            SLOT(slotAddUserChannel(QString, QString, QJsonObject, void*)), unique);
    connect(this, SIGNAL(sigDeleteUserChannel(QString, QString, void*)), this, SLOT(slotDeleteUserChannel(QString, QString, void*)),
            unique);
    connect(this, SIGNAL(sigQueryQRlogin(QString, void*)), this, SLOT(slotQueryQRlogin(QString, void*)), unique);
    connect(this, SIGNAL(sigStartLiveCode(QString, void*)), this, SLOT(slotStartLiveCode(QString, void*)), unique);
}

int NxWebCmdCtrl::stop()
{
    m_thread.quit();
    m_thread.wait();
    return 0;
}

int NxWebCmdCtrl::startDataRequest(void*)
{
    emit sigStartDownloadTask();
    return 0;
}

int NxWebCmdCtrl::startDownloadChList(const QString& sType, void* pCxt)
{
    emit sigStartDownloadChList(sType, pCxt);
    return 0;
}

int NxWebCmdCtrl::startDownloadUserChList(const QString& sType, const QString& sUserID, void* pCxt)
{
    emit sigStartDownloadUserChList(sType, sUserID, pCxt);
    return 0;
}

int NxWebCmdCtrl::startDownloadAddedChList(void* pCxt)
{
    emit sigStartDownloadAddedChList(pCxt);
    return 0;
}

int NxWebCmdCtrl::downloadImage(const QString& sUrl, void* pCxt)
{
    emit sigDownloadImage(sUrl, pCxt, false);
    return 0;
}

void NxWebCmdCtrl::downloadImageInternal(const QString& sUrl, ImageCallback callback)
{
    emit sigDownloadImage(sUrl, new ImageCallback(std::move(callback)), true);
}

NxWebCommand* NxWebCmdCtrl::command()
{
    if (!m_pImdCmd)
        m_pImdCmd = new NxWebCommand(this);
    return m_pImdCmd;
}

void NxWebCmdCtrl::track(QNetworkReply* reply, Handler handler)
{
    Q_ASSERT(handler);
    m_pendingReplies.insert(reply, std::move(handler));
}

void NxWebCmdCtrl::onNetworkFinished(QNetworkReply* pNetwkReply)
{
    qDebug() << "NxWebCmdCtrl::onNetworkFinished" << " Pendings:  " << m_pendingReplies.size()
             << NxWebCommand::logUrl(pNetwkReply->url()) << thread();
    const int status = pNetwkReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const auto it = m_pendingReplies.find(pNetwkReply);
    if (it == m_pendingReplies.end()) {
        qDebug() << "handler not found in_map!";
        return;
    }
    qDebug() << "reply match in_map!";
    // The handler owns the request's context, which goes with it.
    const Handler handler = std::move(it.value());
    m_pendingReplies.erase(it);
    QByteArray data;
    if (status == 302) {
        // Not followed: a failed exchange like any other, so the caller still hears of it.
        qDebug() << NxWebCommand::logUrl(pNetwkReply->url()) << " URL redirected";
        qDebug() << " URL redirected"
                 << NxWebCommand::logUrl(pNetwkReply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl());
    } else if (status == 200 && pNetwkReply->error() == QNetworkReply::NoError && !NxWebCommand::isOversized(pNetwkReply)) {
        data = NxReplyLimiter::body(pNetwkReply);
    } else {
        qDebug() << "NxWebCmdCtrl::onNetworkFinished" << ">>>>> http response error." << status;
    }
    handler(data);
    pNetwkReply->deleteLater();
}

void NxWebCmdCtrl::onReplyFinished()
{
    qDebug() << "NxWebCmdCtrl::onReplyFinished" << " reply finished.";
}

void NxWebCmdCtrl::onReplyError(QNetworkReply::NetworkError error)
{
    qDebug() << "NxWebCmdCtrl::onReplyError" << " reply error." << error;
}

void NxWebCmdCtrl::onUploadProgress(qint64 bytesSent, qint64 bytesTotal)
{
    qDebug() << "NxWebCmdCtrl::onUploadProgress" << bytesSent << bytesTotal;
}

void NxWebCmdCtrl::slotStartDownloadChList(QString sType, void* pCxt)
{
    const QJsonObject body{{QStringLiteral("channelId"), sType}};
    QNetworkReply* reply = command()->postJson(QStringLiteral("%1/channel/getNxtChannelInfo").arg(m_appHost), body);
    track(reply, [this, pCxt, sType](const QByteArray& data) {
        ParseChannelData(data, pCxt);
        // A run of the catalogue task waits on this answer, whatever it was.
        if (m_task && pCxt == m_task)
            m_task->categoryAnswered(sType);
    });
    qDebug() << "NxWebCmdCtrl::slotStartDownloadChList" << sType << "pending: " << m_pendingReplies.size();
}

void NxWebCmdCtrl::slotStartDownloadUserChList(QString sType, QString sUserID, void* pCxt)
{
    QJsonObject body{{QStringLiteral("channelId"), sType}};
    if (!sUserID.isEmpty())
        body.insert(QStringLiteral("userId"), sUserID);
    qDebug() << "NxWebCmdCtrl::slotStartDownloadUserChList" << body;
    QNetworkReply* reply = command()->postJson(QStringLiteral("%1/channel/getChannelListByUserId").arg(m_appHost), body);
    track(reply, [this, pCxt](const QByteArray& data) { ParseChannelData(data, pCxt); });
}

void NxWebCmdCtrl::slotStartDownloadAddedChList(void* pCxt)
{
    QNetworkReply* reply = command()->postJson(QStringLiteral("%1/channel/getChannelListToAdd").arg(m_appHost), QJsonObject());
    track(reply, [this, pCxt](const QByteArray& data) { ParseChannelData(data, pCxt); });
    qDebug() << "NxWebCmdCtrl::slotStartDownloadAddedChList" << "pending: " << m_pendingReplies.size();
}

QSharedPointer<NxChannelSet> NxWebCmdCtrl::ParseChannelJson(const QJsonObject& object)
{
    return NxChannelJson::read(object);
}

void NxWebCmdCtrl::ParseChannelData(const QByteArray& data, void* pCxt)
{
    const NxCloudAnswers::Channels answer = NxCloudAnswers::channels(data);
    switch (answer.kind) {
    case NxCloudAnswers::Channels::Catalogue: emit sigRecvChannelList(pCxt, answer.channel); break;
    case NxCloudAnswers::Channels::UserChannels: emit sigRecvUserChannelList(pCxt, answer.channel); break;
    case NxCloudAnswers::Channels::AddedChannels: emit sigRecvAddedChannelList(pCxt, answer.list); break;
    case NxCloudAnswers::Channels::Unknown: break;
    }
}

void NxWebCmdCtrl::slotDownloadImage(QString sUrl, void* pCxt, bool bInternal)
{
    QImage cached;
    if (m_pImgCacher && m_pImgCacher->find(sUrl, cached)) {
        deliverImage(cached, bInternal, pCxt);
        return;
    }
    const auto cxt = std::make_shared<ImageCxt>(bInternal, sUrl, pCxt);
    track(command()->get(sUrl), [this, cxt](const QByteArray& data) { parseImageData(data, *cxt); });
    qDebug() << "NxWebCmdCtrl::slotDownloadImage" << " net handler no: " << m_pendingReplies.size();
}

void NxWebCmdCtrl::parseImageData(const QByteArray& data, ImageCxt& cxt)
{
    const QString url = NxWebCommand::logUrl(QUrl(cxt.url));
    const QImage image = NxPictureReader::fromData(data, url);
    if (!m_pImgCacher || image.isNull())
        qDebug() << "NxWebCmdCtrl::parseImageData" << " load failed for: " << url;
    else
        m_pImgCacher->addImageCache(cxt.url, data, image);
    if (cxt.internal && image.isNull())
        qDebug() << "NxWebCmdCtrl::parseImageData" << url << " image null!";
    deliverImage(image, cxt.internal, std::exchange(cxt.pCxt, nullptr));
}

void NxWebCmdCtrl::deliverImage(const QImage& image, bool internal, void* pCxt)
{
    if (!internal) {
        emit sigRecvChannelImage(pCxt, image);
        return;
    }
    if (auto* callback = static_cast<ImageCallback*>(pCxt)) {
        (*callback)(image);
        delete callback;
    }
}

bool NxWebCmdCtrl::getLoginQr(QString& url)
{
    url = m_loginUtil->loginQrText();
    return true;
}

int NxWebCmdCtrl::queryQRlogin(const QString& sQrUrl, void* pCxt)
{
    emit sigQueryQRlogin(sQrUrl, pCxt);
    return 0;
}

bool NxWebCmdCtrl::getLoginInfo(stLoginInfo& info)
{
    QMutexLocker lock(&m_loginMutex);
    info.uid = m_uid;
    info.token = m_token;
    info.casid = m_casid;
    return true;
}

bool NxWebCmdCtrl::getLoginInfo(QString& uid, QString& token)
{
    QMutexLocker lock(&m_loginMutex);
    uid = m_uid;
    token = m_token;
    return true;
}

void NxWebCmdCtrl::slotQueryQRlogin(QString sQrUrl, void* pCxt)
{
    const QString url = m_loginUtil->pollUrl(sQrUrl);
    track(command()->get(url), [this, pCxt](const QByteArray& data) { ParseUnitedLoginData(data, pCxt); });
    qDebug() << "NxWebCmdCtrl::slotQueryQRlogin" << NxWebCommand::logUrl(QUrl(url)) << "pending: " << m_pendingReplies.size();
}

void NxWebCmdCtrl::ParseUnitedLoginData(const QByteArray& data, void* pCxt)
{
    const NxCloudAnswers::SignIn answer = NxCloudAnswers::signIn(data);
    if (answer.result != 0) {
        emit sigUserLogin(pCxt, answer.result, QImage());
        return;
    }
    QString token;
    {
        QMutexLocker lock(&m_loginMutex);
        if (answer.hasToken)
            m_token = answer.token;
        if (!answer.uid.isEmpty())
            m_uid = answer.uid;
        token = m_token;
    }
    // Not confirmed on the phone yet: the caller polls again.
    if (answer.uid.isEmpty())
        return;
    qDebug() << "NxWebCmdCtrl::ParseUnitedLoginData" << "UnitedLogin Success: " << answer.uid << "token:" << presence(token);
    startQuickLogin(answer.uid, token, true, true, pCxt);
}

void NxWebCmdCtrl::startQuickLogin(const QString& uid, const QString& token, bool rememberMe, bool issign, void* pCxt)
{
    const QByteArray body = m_loginUtil->quickLoginBody(uid, token, rememberMe, issign);
    track(command()->postForm(m_loginUtil->quickLoginUrl(), body),
          [this, pCxt](const QByteArray& data) { ParseUnitedQuickLoginResult(data, pCxt); });
}

void NxWebCmdCtrl::ParseUnitedQuickLoginResult(const QByteArray& data, void* pCxt)
{
    const NxCloudAnswers::QuickSignIn answer = NxCloudAnswers::quickSignIn(data);
    if (answer.result == 0 || answer.result == -100) {
        QMutexLocker lock(&m_loginMutex);
        m_casid = answer.casid;
    }
    if (answer.result != 0) {
        emit sigUserLogin(pCxt, answer.result, QImage());
        return;
    }
    qDebug() << "NxWebCmdCtrl::ParseUnitedQuickLoginResult" << " download image: " << NxWebCommand::logUrl(QUrl(answer.avatar));
    auto* callback = new ImageCallback([this, pCxt](const QImage& image) { emit sigUserLogin(pCxt, 0, image); });
    emit sigDownloadImage(answer.avatar, callback, true);
}

int NxWebCmdCtrl::addUserChannel(const QString& sUserID, const QString& sParentID, const QJsonObject& jsChannel, void* pCxt)
{
    emit sigAddUserChannel(sUserID, sParentID, jsChannel, pCxt);
    return 0;
}

void NxWebCmdCtrl::slotAddUserChannel(QString sUserID, QString sParentID, QJsonObject jsChannel, void* pCxt)
{
    QSharedPointer<NxChannelSet> channel = ParseChannelJson(jsChannel);
    if (!channel) {
        // Nothing that could be sent: answer as the service would to a bad add.
        qDebug() << "NxWebCmdCtrl::slotAddUserChannel" << "channel without channelName, not sent" << jsChannel;
        emit sigRecvChAdded(pCxt, -901, QString());
        return;
    }
    addUserChannel(sUserID, sParentID, channel, pCxt);
}

int NxWebCmdCtrl::addUserChannel(const QString& sUserID, const QString& sParentID, QSharedPointer<NxChannelSet> channel,
                                 void* pCxt)
{
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(this, [=] { addUserChannel(sUserID, sParentID, channel, pCxt); }, Qt::QueuedConnection);
        return 0;
    }
    const QJsonObject body{{QStringLiteral("userId"), sUserID},
                           {QStringLiteral("parentChannelId"), sParentID},
                           {QStringLiteral("data"), NxChannelSet::channel2Json(channel)}};
    qDebug() << "NxWebCmdCtrl::addUserChannel" << body;
    const tagOperationCxt cxt{0, pCxt, QString()};
    track(command()->postJson(QStringLiteral("%1/channel/reportUserCustomChannel").arg(m_appHost), body),
          [this, cxt](const QByteArray& data) { ParseOperationResult(data, cxt); });
    return 0;
}

int NxWebCmdCtrl::deleteUserChannel(const QString& sUserID, QList<QSharedPointer<NxChannelSet>> channels, void* pCxt)
{
    QStringList ids;
    for (const QSharedPointer<NxChannelSet>& channel : channels) {
        if (channel)
            ids << channel->channelId();
    }
    emit sigDeleteUserChannel(sUserID, ids.join(QLatin1Char(',')), pCxt);
    return 0;
}

int NxWebCmdCtrl::deleteUserChannel(const QString& sUserID, const QJsonObject& request, void* pCxt)
{
    qDebug() << "NxWebCmdCtrl::deleteUserChannel" << request;
    QString ids;
    if (request.contains(QStringLiteral("id"))) {
        ids = request.value(QStringLiteral("id")).toVariant().toString();
    } else if (request.contains(QStringLiteral("ids"))) {
        QStringList list;
        for (const QJsonValue& id : request.value(QStringLiteral("ids")).toArray())
            list << id.toVariant().toString();
        ids = list.join(QLatin1Char(','));
    } else {
        qDebug() << "NxWebCmdCtrl::deleteUserChannel" << "param error!";
        return -1;
    }
    emit sigDeleteUserChannel(sUserID, ids, pCxt);
    return 0;
}

void NxWebCmdCtrl::slotDeleteUserChannel(QString sUserID, QString ids, void* pCxt)
{
    const QJsonObject body{{QStringLiteral("userId"), sUserID}, {QStringLiteral("channelIds"), ids}};
    qDebug() << "NxWebCmdCtrl::slotDeleteUserChannel" << body;
    const tagOperationCxt cxt{1, pCxt, ids};
    track(command()->postJson(QStringLiteral("%1/channel/deleteCustomChannel").arg(m_appHost), body),
          [this, cxt](const QByteArray& data) { ParseOperationResult(data, cxt); });
}

void NxWebCmdCtrl::ParseOperationResult(const QByteArray& data, const tagOperationCxt& cxt)
{
    QString id;
    const int result = NxCloudAnswers::operation(data, cxt.type == 0, &id);
    if (cxt.type == 0)
        emit sigRecvChAdded(cxt.pCxt, result, id);
    else
        emit sigRecvChDeleted(cxt.pCxt, result, cxt.ids);
}

int NxWebCmdCtrl::startLiveCode(const QString& sCode, void* pCxt)
{
    emit sigStartLiveCode(sCode, pCxt);
    return 0;
}

void NxWebCmdCtrl::slotStartLiveCode(QString sCode, void* pCxt)
{
    const QString url = QStringLiteral("%1/backendService/liveService/getLiveInfoByCode").arg(m_liveHost)
        + QStringLiteral("?streamCodeDevice=%1").arg(sCode);
    track(command()->get(url), [this, pCxt](const QByteArray& data) { parseLiveCodeData(data, pCxt); });
    qDebug() << "NxWebCmdCtrl::slotStartLiveCode" << sCode << "pending: " << m_pendingReplies.size();
}

void NxWebCmdCtrl::parseLiveCodeData(const QByteArray& data, void* pCxt)
{
    QString url;
    const int result = NxCloudAnswers::liveCode(data, &url);
    emit sigRecvLiveUrl(pCxt, result, url);
}

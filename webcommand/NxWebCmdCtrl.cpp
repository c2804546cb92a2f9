#include "NxWebCmdCtrl.h"

#include "NxChannelJson.h"
#include "NxWebCmdTask.h"
#include "NxWebCommand.h"
#include "NxWebLocalCache.h"

#include <QCoreApplication>
#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>

namespace {

QString appProperty(const char* name)
{
    return QCoreApplication::instance() ? QCoreApplication::instance()->property(name).toString() : QString();
}

QJsonObject parseObject(const QByteArray& data)
{
    return QJsonDocument::fromJson(data).object();
}

} // namespace

NxWebCmdCtrl::NxWebCmdCtrl(QObject* parent)
    : QObject(parent)
{
    m_appHost = appProperty("appHost");
    m_liveHost = appProperty("liveHost");
    registerMetaTypes();
}

NxWebCmdCtrl::~NxWebCmdCtrl()
{
    qDebug() << "NxWebCmdCtrl::~NxWebCmdCtrl";
    if (m_thread.isRunning() && m_pImdCmd) {
        // The network objects are deleted on their own thread as it ends.
        m_pImdCmd->deleteLater();
        m_pImdCmd = nullptr;
    }
    m_thread.quit();
    if (!m_thread.wait(500))
        qDebug() << "NxWebCmdCtrl::~NxWebCmdCtrl" << " thread exit error! ";
    delete m_pImdCmd;
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
    emit sigStartImgCache(appProperty("channelDir"));
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
    qDebug() << "NxWebCmdCtrl::onNetworkFinished" << " Pendings:  " << m_pendingReplies.size() << pNetwkReply->url()
             << thread();
    const int status = pNetwkReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const auto it = m_pendingReplies.find(pNetwkReply);
    if (it == m_pendingReplies.end()) {
        qDebug() << "handler not found in_map!";
        return;
    }
    qDebug() << "reply match in_map!";
    const Handler handler = it.value();
    m_pendingReplies.erase(it);
    if (status == 302) {
        qDebug() << pNetwkReply->url() << " URL redirected";
        qDebug() << " URL redirected" << pNetwkReply->attribute(QNetworkRequest::RedirectionTargetAttribute);
    } else {
        QByteArray data;
        if (status == 200 && pNetwkReply->error() == QNetworkReply::NoError && !NxWebCommand::isOversized(pNetwkReply))
            data = pNetwkReply->readAll();
        else
            qDebug() << "NxWebCmdCtrl::onNetworkFinished" << ">>>>> http response error." << status;
        handler(data);
    }
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
    track(reply, [this, pCxt](const QByteArray& data) { ParseChannelData(data, pCxt); });
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
    const QJsonObject reply = parseObject(data);
    const QString type = reply.value(QStringLiteral("type")).toString();
    const QString msg = reply.value(QStringLiteral("msg")).toString();
    qDebug() << "Reply type ::" << type;
    if (type == QLatin1String("getNxtChannelInfo_ACK")) {
        qDebug() << "ChannelResType OK! " << msg;
        const QJsonObject result = reply.value(QStringLiteral("result")).toObject();
        QSharedPointer<NxChannelSet> channel = ParseChannelJson(result.value(QStringLiteral("data")).toObject());
        if (channel)
            channel->m_bannerCount = result.value(QStringLiteral("bannerCount")).toInt(0);
        emit sigRecvChannelList(pCxt, channel);
    } else if (type == QLatin1String("getChannelListByUserId_ACK")) {
        qDebug() << " user_list: " << msg;
        const QJsonArray result = reply.value(QStringLiteral("result")).toArray();
        QSharedPointer<NxChannelSet> root(NxChannelSet::create());
        root->m_channelId = NxChannelSet::chCategory2String(NxChannelSet::MyResources);
        for (const QJsonValue& element : result) {
            if (QSharedPointer<NxChannelSet> channel = ParseChannelJson(element.toObject()))
                root->m_children.append(channel);
        }
        root->m_hasChild = !result.isEmpty();
        qDebug() << "user list count: " << result.size();
        emit sigRecvUserChannelList(pCxt, root);
    } else if (type == QLatin1String("getChannelListToAdd_ACK")) {
        qDebug() << " added_list:" << msg;
        QList<QSharedPointer<NxChannelSet>> list;
        for (const QJsonValue& element : reply.value(QStringLiteral("result")).toArray()) {
            if (QSharedPointer<NxChannelSet> channel = ParseChannelJson(element.toObject()))
                list.append(channel);
        }
        emit sigRecvAddedChannelList(pCxt, list);
    } else {
        qDebug() << "NxWebCmdCtrl::ParseChannelData" << "ChannelResType error! " << type << msg;
    }
}

void NxWebCmdCtrl::slotDownloadImage(QString sUrl, void* pCxt, bool bInternal)
{
    QImage cached;
    if (m_pImgCacher && m_pImgCacher->find(sUrl, cached)) {
        deliverImage(cached, bInternal, pCxt);
        return;
    }
    auto* cxt = new ImageCxt{bInternal, sUrl, pCxt};
    track(command()->get(sUrl), [this, cxt](const QByteArray& data) { parseImageData(data, cxt); });
    qDebug() << "NxWebCmdCtrl::slotDownloadImage" << " net handler no: " << m_pendingReplies.size();
}

void NxWebCmdCtrl::parseImageData(const QByteArray& data, ImageCxt* cxt)
{
    const QImage image = QImage::fromData(data);
    if (!m_pImgCacher || image.isNull())
        qDebug() << "NxWebCmdCtrl::parseImageData" << " load failed for: " << cxt->url;
    else
        m_pImgCacher->addImageCache(cxt->url, data, image);
    if (cxt->internal && image.isNull())
        qDebug() << "NxWebCmdCtrl::parseImageData" << cxt->url << " image null!";
    deliverImage(image, cxt->internal, cxt->pCxt);
    delete cxt;
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

#include "NxFileDialogCloud.h"

#include "INxSystemInfo.h"
#include "NxCloudListing.h"
#include "NxFileDialogListing.h"
#include "NxFileDialogView.h"
#include "NxPlatform.h"
#include "NxScale.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QMovie>
#include <QTimer>

namespace {

const int kTimeoutMs = 15000;

const char* const kCloudPaths[] = {"api/rescollect/collectlist", "api/pan/files",       "api/pan/newcreate",
                                   "api/pan/savefile",           "api/pan/savefiles",   "api/pan/wpanfile",
                                   "api/pan/delwpan",            "api/pan/downfile",    "api/pan/filesinfo",
                                   "api/pan/folderchilds",       "api/pan/userpan",     "api/bucket/bucket"};

} // namespace

NxFileDialogCloud::NxFileDialogCloud(NxFileDialogView* view, NxFileDialogListing& listing, double scale,
                                     QObject* parent)
    : QObject(parent)
    , m_view(view)
    , m_listing(listing)
{
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    m_timer->setInterval(kTimeoutMs);
    connect(m_timer, &QTimer::timeout, this, &NxFileDialogCloud::fail);
    m_waiting = new QMovie(QStringLiteral(":/rc/icon/ID_WAITING.gif"), QByteArray(), this);
    m_waiting->setScaledSize(QSize(NxScale::px(40, scale), NxScale::px(40, scale)));
}

void NxFileDialogCloud::list()
{
    if (!isSignedIn()) {
        m_view->showMessage(QCoreApplication::translate("NxFileDialog", "ID_RES_LOGIN"), QString(), true);
        return;
    }
    showLoading();
    m_timer->start();
}

void NxFileDialogCloud::stopListing()
{
    m_timer->stop();
}

void NxFileDialogCloud::showLoading()
{
    m_view->showWaiting(m_waiting, QCoreApplication::translate("NxFileDialog", "ID_ISLOADING"));
}

void NxFileDialogCloud::stopLoading()
{
    m_waiting->stop();
}

void NxFileDialogCloud::takeReply(const QString& request, const QJsonObject& reply, const HistoryDir& at)
{
    NxCloudListing::Result result;
    if (request == QLatin1String("api/pan/files"))
        result = NxCloudListing::parseDisk(reply, at.strPass, at.strPath);
    else if (request == QLatin1String("api/rescollect/collectlist"))
        result = NxCloudListing::parseResources(reply, at.strPass, at.strPath);
    else
        return;
    m_timer->stop();
    m_waiting->stop();
    if (!result.success) {
        fail();
        return;
    }
    m_files = result.files;
    m_listing.show(result.entries, false, QT_TRANSLATE_NOOP("NxFileDialog", "ID_RES_LISTNULL"));
}

void NxFileDialogCloud::takeError(const QString& request, int errorCode)
{
    for (const char* path : kCloudPaths) {
        if (request.contains(QLatin1String(path))) {
            qDebug() << "NxFileDialogCloud::takeError" << request << errorCode;
            fail();
            return;
        }
    }
}

void NxFileDialogCloud::fail()
{
    m_timer->stop();
    m_waiting->stop();
    m_view->showMessage(QCoreApplication::translate("NxFileDialog", "ID_RES_NETERROR"),
                        QStringLiteral(":/rc/icon/ID_OFFLINE.png"));
}

CloudFile NxFileDialogCloud::fileById(const QString& id) const
{
    for (const CloudFile& file : m_files) {
        if (file.id == id)
            return file;
    }
    return CloudFile();
}

CloudFile NxFileDialogCloud::fileByPath(const QString& path) const
{
    for (const CloudFile& file : m_files) {
        if (file.fullPath == path)
            return file;
    }
    return CloudFile();
}

void NxFileDialogCloud::clearDownloads()
{
    QDir dir(NxPlatform::systemInfo()->dataRoot() + QStringLiteral("/Maplo/temp/cloud"));
    if (!dir.exists())
        return;
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::System)) {
        const bool removed = info.isDir() && !info.isSymLink() ? QDir(info.filePath()).removeRecursively()
                                                               : QFile::remove(info.filePath());
        if (!removed)
            qDebug() << "NxFileDialogCloud::clearDownloads cannot remove" << info.filePath();
    }
}

#include "NxUserActionManager.h"

#include "INxSystemInfo.h"
#include "NxPlatform.h"
#include "NxUserActionWriter.h"

#include <QDateTime>
#include <QThread>

namespace {

const qint64 kKiB = 1024;
const int kDefaultUploadKiB = 1024;
const int kMinUploadKiB = 16;
const int kMaxUploadKiB = 64 * 1024;

QString localTimeStamp()
{
    // With the offset, so lines stay unambiguous across time-zone changes.
    const QDateTime now = QDateTime::currentDateTime();
    return now.toOffsetFromUtc(now.offsetFromUtc()).toString(Qt::ISODateWithMs);
}

} // namespace

NxUserActionManager::NxUserActionManager(QObject* parent)
    : QObject(parent)
    , m_thread(new QThread(this))
    , m_writer(new NxUserActionWriter)
    , m_logFilePath(defaultLogFilePath())
{
    m_thread->setObjectName(QStringLiteral("NxUserActionWriter"));
    m_writer->moveToThread(m_thread);
    m_thread->start(QThread::LowPriority);
    setLogFilePath(m_logFilePath);
    setUploadSize(0);
}

NxUserActionManager::~NxUserActionManager()
{
    m_thread->quit();
    m_thread->wait();
    // The thread may have stopped before its queue was empty.
    m_writer->runPending();
    m_writer->close();
    delete m_writer;
}

void NxUserActionManager::setAppInfo(QString appkey, QString appname, QString version)
{
    m_appKey = appkey;
    m_appName = appname;
    m_version = version;
}

void NxUserActionManager::setUploadSize(int uploadSize)
{
    const qint64 limit = fileSizeLimit(uploadSize);
    runOnWriter([limit](NxUserActionWriter* writer) { writer->setSizeLimit(limit); });
}

void NxUserActionManager::recordAction(QString actionId, QJsonObject data)
{
    const QJsonObject entry{
        {QStringLiteral("time"), localTimeStamp()},
        {QStringLiteral("actionId"), actionId},
        {QStringLiteral("appKey"), m_appKey},
        {QStringLiteral("appName"), m_appName},
        {QStringLiteral("version"), m_version},
        {QStringLiteral("data"), data},
    };
    runOnWriter([entry](NxUserActionWriter* writer) { writer->append(entry); });
}

void NxUserActionManager::setLogFilePath(const QString& path)
{
    m_logFilePath = path;
    runOnWriter([path](NxUserActionWriter* writer) { writer->setFilePath(path); });
}

QString NxUserActionManager::logFilePath() const
{
    return m_logFilePath;
}

QString NxUserActionManager::defaultLogFilePath()
{
    return NxPlatform::systemInfo()->dataRoot()
        + QStringLiteral("/Maplo/TavomcPresenterPro/UserActions/useractions.jsonl");
}

qint64 NxUserActionManager::fileSizeLimit(int uploadSize)
{
    const int kib = uploadSize > 0 ? qBound(kMinUploadKiB, uploadSize, kMaxUploadKiB) : kDefaultUploadKiB;
    return kib * kKiB;
}

void NxUserActionManager::runOnWriter(const std::function<void(NxUserActionWriter*)>& job)
{
    NxUserActionWriter* writer = m_writer;
    writer->post([writer, job] { job(writer); });
}

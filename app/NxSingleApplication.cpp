#include "NxSingleApplication.h"

#include "INxSystemInfo.h"
#include "NxPlatform.h"

#include <QDataStream>
#include <QDebug>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QSysInfo>
#include <QThread>

namespace {

const char kAck = '\x06';
const int kRetryPauseMs = 50;
const int kProbeTimeoutMs = 500;
const quint32 kMaxMessageBytes = 64 * 1024;

} // namespace

NxSingleApplication::NxSingleApplication(const QString& appId, int& argc, char** argv)
    : QApplication(argc, argv)
    , m_appId(appId)
    , m_serverName(NxPlatform::systemInfo()->instanceServerName(appId))
{
    const QString lockPath = NxPlatform::systemInfo()->instanceLockPath(appId);
    QDir().mkpath(QFileInfo(lockPath).absolutePath());
    m_lock.reset(new QLockFile(lockPath));
    // A live instance may run for weeks: only a dead owner makes a lock stale.
    m_lock->setStaleLockTime(0);
    bool locked = m_lock->tryLock(0);
    if (!locked && m_lock->error() == QLockFile::LockFailedError && isHeldUnderOwnId()) {
        qWarning() << "NxSingleApplication::NxSingleApplication" << "lock of a dead instance with this process id"
                   << lockPath << "taken over";
        locked = m_lock->removeStaleLockFile() && m_lock->tryLock(0);
    }
    if (locked) {
        becomePrimary();
    } else if (m_lock->error() == QLockFile::LockFailedError) {
        m_otherRunning = true;
    } else {
        // The lock cannot tell: only an instance that answers is running.
        // Start-up never fails on this machinery.
        qWarning() << "NxSingleApplication::NxSingleApplication" << "lock file error" << m_lock->error() << lockPath;
        m_otherRunning = isAnswering();
        if (!m_otherRunning)
            becomePrimary();
    }
}

// QLockFile takes a lock whose process still runs under the program's name
// as held, and this process is such a one when a dead instance had its id:
// Wine gives out the same ids in every session, Windows reuses them after a
// power cut. Without this the program would hand over to itself and leave.
// Windows writes the computer name in capitals, the host name may not be.
bool NxSingleApplication::isHeldUnderOwnId() const
{
    qint64 pid = 0;
    QString hostname;
    QString appname;
    return m_lock->getLockInfo(&pid, &hostname, &appname) && pid == QCoreApplication::applicationPid() &&
           (hostname.isEmpty() || hostname.compare(QSysInfo::machineHostName(), Qt::CaseInsensitive) == 0);
}

bool NxSingleApplication::isAnswering() const
{
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    return socket.waitForConnected(kProbeTimeoutMs);
}

NxSingleApplication::~NxSingleApplication()
{
    if (m_server)
        m_server->close();
}

QString NxSingleApplication::id() const
{
    return m_appId;
}

bool NxSingleApplication::isRunning() const
{
    return m_otherRunning;
}

void NxSingleApplication::becomePrimary()
{
    // A socket file left by a crashed instance would make listen() fail.
    QLocalServer::removeServer(m_serverName);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_serverName)) {
        qWarning() << "NxSingleApplication::becomePrimary" << "cannot listen on" << m_serverName << m_server->errorString();
        return;
    }
    connect(m_server, &QLocalServer::newConnection, this, &NxSingleApplication::onNewConnection);
}

bool NxSingleApplication::sendMessage(const QString& message, int timeout)
{
    if (!m_otherRunning)
        return false;
    const QByteArray payload = message.toUtf8();
    QDeadlineTimer deadline(timeout);
    // The running instance may hold the lock but not listen yet (simultaneous
    // starts), so connecting is retried until the deadline.
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(m_serverName);
        if (!socket.waitForConnected(int(qMax<qint64>(1, deadline.remainingTime())))) {
            QThread::msleep(kRetryPauseMs);
            continue;
        }
        QDataStream out(&socket);
        out << quint32(payload.size());
        out.writeRawData(payload.constData(), payload.size());
        if (!socket.waitForBytesWritten(int(qMax<qint64>(1, deadline.remainingTime()))))
            return false;
        while (socket.bytesAvailable() < 1) {
            if (deadline.hasExpired() || !socket.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
                return false;
        }
        return socket.read(1) == QByteArray(1, kAck);
    }
    return false;
}

void NxSingleApplication::onNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readMessage(socket); });
        readMessage(socket);
    }
}

void NxSingleApplication::readMessage(QLocalSocket* socket)
{
    if (socket->property("nxDone").toBool())
        return;
    if (socket->bytesAvailable() < qint64(sizeof(quint32)))
        return;
    quint32 size = 0;
    QDataStream(socket->peek(sizeof(quint32))) >> size;
    if (size > kMaxMessageBytes) {
        qWarning() << "NxSingleApplication::readMessage" << "message too large, dropped:" << size;
        socket->abort();
        return;
    }
    if (socket->bytesAvailable() < qint64(sizeof(quint32) + size))
        return;
    socket->read(sizeof(quint32));
    const QString message = QString::fromUtf8(socket->read(size));
    socket->setProperty("nxDone", true);
    socket->write(QByteArray(1, kAck));
    socket->flush();
    socket->disconnectFromServer();
    emit messageReceived(message);
}

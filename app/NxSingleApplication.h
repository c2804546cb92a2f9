#pragma once

#include <QApplication>
#include <QScopedPointer>

class QLocalServer;
class QLocalSocket;
class QLockFile;

// One running instance per application id and user session. The first start
// holds a lock file and listens on a local socket; later starts see the lock,
// may pass a message to the first one, and leave. A lock left behind by a
// crashed instance is recognised as stale and taken over, also when this
// process got the crashed one's process id.
class NxSingleApplication : public QApplication
{
    Q_OBJECT

public:
    NxSingleApplication(const QString& appId, int& argc, char** argv);
    ~NxSingleApplication() override;

    QString id() const;
    bool isRunning() const;
    // Delivers message to the running instance; false when it did not
    // acknowledge within timeout milliseconds.
    bool sendMessage(const QString& message, int timeout);

signals:
    void messageReceived(const QString& message);

private slots:
    void onNewConnection();

private:
    void becomePrimary();
    bool isAnswering() const;
    bool isHeldUnderOwnId() const;
    void readMessage(QLocalSocket* socket);

    QString m_appId;
    QString m_serverName;
    QScopedPointer<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
    bool m_otherRunning = false;
};

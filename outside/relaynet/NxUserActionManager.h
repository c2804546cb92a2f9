#pragma once

#include "INxUserActionManager.h"
#include "RelaynetGlobal.h"

#include <QObject>

#include <functional>

class NxUserActionWriter;
class QThread;

// Records user actions as JSON lines under the data root. The GUI thread
// only stamps and queues them; a worker thread owned here does the writing.
class RELAYNET_EXPORT NxUserActionManager : public QObject, public INxUserActionManager
{
    Q_OBJECT

public:
    explicit NxUserActionManager(QObject* parent = nullptr);
    // Joins the worker thread, then writes whatever it left queued.
    ~NxUserActionManager() override;

    void setAppInfo(QString appkey, QString appname, QString version) override;
    void setUploadSize(int uploadSize) override;
    void recordAction(QString actionId, QJsonObject data) override;

    void setLogFilePath(const QString& path);
    QString logFilePath() const;
    static QString defaultLogFilePath();
    // uploadSize is in KiB; out-of-range values are clamped.
    static qint64 fileSizeLimit(int uploadSize);

private:
    void runOnWriter(const std::function<void(NxUserActionWriter*)>& job);

    QThread* m_thread;
    NxUserActionWriter* m_writer;
    QString m_logFilePath;
    QString m_appKey;
    QString m_appName;
    QString m_version;
};

#pragma once

#include "INxNetWorkChecker.h"
#include "RelaynetGlobal.h"

#include <QObject>

#include <functional>
#include <optional>

class NxEndpoint;
class QTimer;

// Reachability of the cloud service, judged by a TCP connection to the host
// of the "appHost" application property (or "cloudhost" when that is empty).
class RELAYNET_EXPORT NxNetWorkChecker : public QObject, public INxNetWorkChecker
{
    Q_OBJECT

public:
    explicit NxNetWorkChecker(QObject* parent = nullptr);

    QObject* getObject() override;
    void setCheckMode(QString mode) override;
    void startCheck(QString action, QString trigger) override;

    void setConnectTimeout(int ms);
    void setRecheckInterval(int ms);
    // Last known reachability; empty before the first answer.
    std::optional<bool> networkState() const;

signals:
    void sglNetWorkStateChanged(bool available);
    void sglResultNetWorkCheck(bool available, QString text);

private:
    using Answer = std::function<void(bool, const QString&)>;

    static NxEndpoint currentEndpoint();
    void recheck();
    void probe(const NxEndpoint& endpoint, const Answer& answer);
    void updateState(bool available);

    QTimer* m_recheckTimer;
    int m_timeoutMs = 3000;
    bool m_recheckRunning = false;
    std::optional<bool> m_state;
};

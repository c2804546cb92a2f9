#pragma once

#include "NxEndpoint.h"
#include "RelaynetGlobal.h"

#include <QAbstractSocket>
#include <QObject>

class QTcpSocket;
class QTimer;

// One connection attempt to an endpoint; reports exactly once through
// sglFinished, at the latest when the time-out expires.
class RELAYNET_EXPORT NxTcpProbe : public QObject
{
    Q_OBJECT

public:
    NxTcpProbe(const NxEndpoint& endpoint, int timeoutMs, QObject* parent = nullptr);

    void start();

signals:
    void sglFinished(bool ok, QString text);

private:
    void onConnected();
    void onError(QAbstractSocket::SocketError error);
    void onTimeout();
    void finish(bool ok, const QString& text);

    NxEndpoint m_endpoint;
    int m_timeoutMs;
    QTcpSocket* m_socket;
    QTimer* m_timer;
    bool m_finished = false;
};

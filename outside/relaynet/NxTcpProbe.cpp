#include "NxTcpProbe.h"

#include <QTcpSocket>
#include <QTimer>

NxTcpProbe::NxTcpProbe(const NxEndpoint& endpoint, int timeoutMs, QObject* parent)
    : QObject(parent)
    , m_endpoint(endpoint)
    , m_timeoutMs(timeoutMs)
    , m_socket(new QTcpSocket(this))
    , m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &NxTcpProbe::onTimeout);
    connect(m_socket, &QTcpSocket::connected, this, &NxTcpProbe::onConnected);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &NxTcpProbe::onError);
}

void NxTcpProbe::start()
{
    // The timer covers the host-name lookup too, so a dead DNS cannot stall us.
    m_timer->start(m_timeoutMs);
    m_socket->connectToHost(m_endpoint.host(), m_endpoint.port());
}

void NxTcpProbe::onConnected()
{
    finish(true, QStringLiteral("connected %1").arg(m_endpoint.toString()));
}

void NxTcpProbe::onError(QAbstractSocket::SocketError)
{
    finish(false, QStringLiteral("%1: %2").arg(m_endpoint.toString(), m_socket->errorString()));
}

void NxTcpProbe::onTimeout()
{
    finish(false, QStringLiteral("%1: no answer within %2 ms").arg(m_endpoint.toString()).arg(m_timeoutMs));
}

void NxTcpProbe::finish(bool ok, const QString& text)
{
    if (m_finished)
        return;
    m_finished = true;
    m_timer->stop();
    m_socket->abort();
    emit sglFinished(ok, text);
}

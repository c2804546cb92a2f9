#include "NxNetWorkChecker.h"

#include "NxEndpoint.h"
#include "NxTcpProbe.h"

#include <QCoreApplication>
#include <QDebug>
#include <QTimer>

namespace {

const char kTcpSocketMode[] = "qtcpsocket";

QString appProperty(const char* name)
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app ? app->property(name).toString() : QString();
}

} // namespace

NxNetWorkChecker::NxNetWorkChecker(QObject* parent)
    : QObject(parent)
    , m_recheckTimer(new QTimer(this))
{
    m_recheckTimer->setInterval(15000);
    connect(m_recheckTimer, &QTimer::timeout, this, &NxNetWorkChecker::recheck);
}

QObject* NxNetWorkChecker::getObject()
{
    return this;
}

void NxNetWorkChecker::setCheckMode(QString mode)
{
    if (mode.compare(QLatin1String(kTcpSocketMode), Qt::CaseInsensitive) != 0)
        qDebug() << "NxNetWorkChecker::setCheckMode: unknown mode" << mode << "- using" << kTcpSocketMode;
    if (m_recheckTimer->isActive())
        return;
    m_recheckTimer->start();
    // Learn the state now rather than one interval from now.
    QTimer::singleShot(0, this, &NxNetWorkChecker::recheck);
}

void NxNetWorkChecker::startCheck(QString action, QString trigger)
{
    const NxEndpoint endpoint = currentEndpoint();
    if (!endpoint.isValid())
        qDebug() << "NxNetWorkChecker::startCheck:" << endpoint.errorString() << "action" << action << "trigger" << trigger;
    probe(endpoint, [this](bool ok, const QString& text) {
        updateState(ok);
        emit sglResultNetWorkCheck(ok, text);
    });
}

void NxNetWorkChecker::setConnectTimeout(int ms)
{
    m_timeoutMs = qMax(1, ms);
}

void NxNetWorkChecker::setRecheckInterval(int ms)
{
    m_recheckTimer->setInterval(qMax(1, ms));
}

std::optional<bool> NxNetWorkChecker::networkState() const
{
    return m_state;
}

NxEndpoint NxNetWorkChecker::currentEndpoint()
{
    const QString appHost = appProperty("appHost");
    return NxEndpoint::fromUrl(appHost.trimmed().isEmpty() ? appProperty("cloudhost") : appHost);
}

void NxNetWorkChecker::recheck()
{
    // A slow probe must not pile up behind itself.
    if (m_recheckRunning)
        return;
    m_recheckRunning = true;
    probe(currentEndpoint(), [this](bool ok, const QString&) {
        m_recheckRunning = false;
        updateState(ok);
    });
}

// Always answers through the event loop: callers connect right before
// startCheck and must never see the answer inside the call.
void NxNetWorkChecker::probe(const NxEndpoint& endpoint, const Answer& answer)
{
    if (!endpoint.isValid()) {
        const QString text = endpoint.errorString();
        QMetaObject::invokeMethod(this, [answer, text] { answer(false, text); }, Qt::QueuedConnection);
        return;
    }
    auto* tcpProbe = new NxTcpProbe(endpoint, m_timeoutMs, this);
    connect(tcpProbe, &NxTcpProbe::sglFinished, this,
        [tcpProbe, answer](bool ok, const QString& text) {
            tcpProbe->deleteLater();
            answer(ok, text);
        },
        Qt::QueuedConnection);
    tcpProbe->start();
}

void NxNetWorkChecker::updateState(bool available)
{
    if (m_state == available)
        return;
    m_state = available;
    emit sglNetWorkStateChanged(available);
}

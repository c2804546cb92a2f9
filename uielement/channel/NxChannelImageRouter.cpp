#include "NxChannelImageRouter.h"

#include "INxWebCommandController.h"
#include "NxBaseChannelWidget.h"

#include <QCoreApplication>
#include <QDebug>

#include <memory>

namespace {

// Keyed by the controller's object; a router whose controller is gone is
// replaced, even if a new controller reuses the address.
QHash<QObject*, QPointer<NxChannelImageRouter>>& routers()
{
    static QHash<QObject*, QPointer<NxChannelImageRouter>> table;
    return table;
}

} // namespace

NxChannelImageRouter* NxChannelImageRouter::forController(INxWebCommandController* ctrl)
{
    QObject* source = ctrl ? ctrl->getObject() : nullptr;
    if (!source) {
        qDebug() << "NxChannelImageRouter::forController" << "controller without object, pictures not routed";
        return nullptr;
    }
    QPointer<NxChannelImageRouter>& router = routers()[source];
    if (!router || !router->m_source) {
        delete router.data();
        router = new NxChannelImageRouter(ctrl, source);
    }
    return router;
}

NxChannelImageRouter::NxChannelImageRouter(INxWebCommandController* ctrl, QObject* source)
    : QObject(QCoreApplication::instance())
    , m_controller(ctrl)
    , m_source(source)
{
    // Queued: the controller answers from its worker thread.
    connect(source, SIGNAL(sigRecvChannelImage(void*,QImage)), this, SLOT(slotRecvChannelImage(void*,QImage)),
            Qt::QueuedConnection);
}

NxChannelImageRouter::~NxChannelImageRouter()
{
    qDeleteAll(m_waiting);
    qDeleteAll(m_sent);
}

void NxChannelImageRouter::request(const QString& url, void* pCxt, NxBaseChannelWidget* tile)
{
    const Ticket* current = m_current.value(tile);
    if (current && current->url == url && current->context == pCxt)
        return; // already asked for
    remove(tile);
    auto* ticket = new Ticket{tile, pCxt, url};
    m_current.insert(tile, ticket);
    m_waiting.append(ticket);
    sendNext();
}

void NxChannelImageRouter::remove(NxBaseChannelWidget* tile)
{
    Ticket* ticket = m_current.take(tile);
    // One already sent is answered all the same, and then dropped.
    if (ticket && m_waiting.removeOne(ticket))
        delete ticket;
}

int NxChannelImageRouter::inFlight() const
{
    return m_sent.size();
}

int NxChannelImageRouter::waiting() const
{
    return m_waiting.size();
}

void NxChannelImageRouter::sendNext()
{
    while (m_sent.size() < kMaxInFlight && !m_waiting.isEmpty()) {
        Ticket* ticket = m_waiting.takeFirst();
        if (!m_source) {
            qDebug() << "NxChannelImageRouter::sendNext" << "controller gone, picture not asked for:" << ticket->url;
            m_current.remove(ticket->tile);
            delete ticket;
            continue;
        }
        m_sent.insert(ticket);
        m_controller->downloadImage(ticket->url, ticket);
    }
}

void NxChannelImageRouter::slotRecvChannelImage(void* pCxt, const QImage& image)
{
    // Pictures asked for by other consumers are theirs; no tile takes them.
    auto* ticket = static_cast<Ticket*>(pCxt);
    if (!m_sent.remove(ticket))
        return;
    const std::unique_ptr<Ticket> answered(ticket);
    NxBaseChannelWidget* tile = ticket->tile;
    if (tile && m_current.value(tile) == ticket) {
        m_current.remove(tile);
        tile->slotRecvChannelImage(ticket->context, image);
    }
    sendNext();
}

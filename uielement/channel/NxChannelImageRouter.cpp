#include "NxChannelImageRouter.h"

#include "INxWebCommandController.h"
#include "NxBaseChannelWidget.h"

#include <QCoreApplication>
#include <QDebug>

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
        router = new NxChannelImageRouter(source);
    }
    return router;
}

NxChannelImageRouter::NxChannelImageRouter(QObject* source)
    : QObject(QCoreApplication::instance())
    , m_source(source)
{
    // Queued: the controller answers from its worker thread.
    connect(source, SIGNAL(sigRecvChannelImage(void*,QImage)), this, SLOT(slotRecvChannelImage(void*,QImage)),
            Qt::QueuedConnection);
}

void* NxChannelImageRouter::add(NxBaseChannelWidget* tile)
{
    // Odd numbers: no object another consumer passes as its context lives at
    // an odd address, and none is used twice.
    m_lastContext += 2;
    void* pCxt = reinterpret_cast<void*>(m_lastContext);
    m_tiles.insert(pCxt, tile);
    return pCxt;
}

void NxChannelImageRouter::remove(void* pCxt)
{
    m_tiles.remove(pCxt);
}

void NxChannelImageRouter::slotRecvChannelImage(void* pCxt, const QImage& image)
{
    // Pictures asked for by other consumers are theirs; no tile takes them.
    // One answer per request: the context is spent.
    if (NxBaseChannelWidget* tile = m_tiles.take(pCxt))
        tile->slotRecvChannelImage(pCxt, image);
}

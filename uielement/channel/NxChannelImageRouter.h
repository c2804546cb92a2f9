#pragma once

#include <QHash>
#include <QImage>
#include <QObject>
#include <QPointer>

class INxWebCommandController;
class NxBaseChannelWidget;

// Receives every channel picture of one web command controller once and hands
// it to the tile that asked for it, found by its context pointer. Connecting
// every tile to the controller would cost tiles × pictures slot calls, which
// a page of hundreds of stations cannot afford on the GUI thread.
// Each request has its own context, so an answer to a tile's earlier channel
// is told apart from one to its current channel.
class NxChannelImageRouter : public QObject
{
    Q_OBJECT

public:
    // The router of a controller, created on first use on the GUI thread.
    static NxChannelImageRouter* forController(INxWebCommandController* ctrl);

    // A new context for one request of the tile; its answer goes to the tile
    // until the context is removed.
    void* add(NxBaseChannelWidget* tile);
    void remove(void* pCxt);

public slots:
    void slotRecvChannelImage(void* pCxt, const QImage& image);

private:
    explicit NxChannelImageRouter(QObject* source);

    QPointer<QObject> m_source;
    QHash<void*, NxBaseChannelWidget*> m_tiles;
    quintptr m_lastContext = 1;
};

#pragma once

#include <QHash>
#include <QImage>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>

class INxWebCommandController;
class NxBaseChannelWidget;

// Asks one web command controller for the pictures of the tiles and hands
// each answer to the tile that asked. Connecting every tile to the controller
// would cost tiles × pictures slot calls, which a page of hundreds of
// stations cannot afford on the GUI thread; and only a few requests are sent
// at a time, the others wait in turn, so a long page scrolled quickly never
// floods the client with pictures nobody looks at any more.
class NxChannelImageRouter : public QObject
{
    Q_OBJECT

public:
    static const int kMaxInFlight = 6;

    // The router of a controller, created on first use on the GUI thread.
    static NxChannelImageRouter* forController(INxWebCommandController* ctrl);
    ~NxChannelImageRouter() override;

    // The picture at url for tile, answered with pCxt; replaces the tile's
    // earlier request.
    void request(const QString& url, void* pCxt, NxBaseChannelWidget* tile);
    // The tile wants no picture any more (it goes, or shows another channel).
    void remove(NxBaseChannelWidget* tile);
    int inFlight() const;
    int waiting() const;

public slots:
    void slotRecvChannelImage(void* pCxt, const QImage& image);

private:
    // What is sent as the context: unique while it is in flight, so an
    // answer never reaches a later tile that took the address of a gone one.
    struct Ticket {
        QPointer<NxBaseChannelWidget> tile;
        void* context = nullptr;
        QString url;
    };

    NxChannelImageRouter(INxWebCommandController* ctrl, QObject* source);
    void sendNext();

    INxWebCommandController* m_controller;
    QPointer<QObject> m_source;
    QList<Ticket*> m_waiting;
    QSet<Ticket*> m_sent;
    // Each tile's latest request; only its answer is handed over.
    QHash<NxBaseChannelWidget*, Ticket*> m_current;
};

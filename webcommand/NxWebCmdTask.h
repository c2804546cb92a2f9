#pragma once

#include "NxChannelSet.h"
#include "TavoWebCommandGlobal.h"

#include <QElapsedTimer>
#include <QImage>
#include <QMap>
#include <QObject>

class INxWebCommandController;
class NxChannelItemImage;
class NxWebCmdCtrl;

// Fetches the standard categories one after another, then every picture in
// them, and delivers the whole catalogue in one signal of the controller.
class TAVOWEBCOMMAND_EXPORT NxWebCmdTask : public QObject
{
    Q_OBJECT

public:
    explicit NxWebCmdTask(NxWebCmdCtrl* controller);
    ~NxWebCmdTask() override;

    bool isRunning() const;
    // A category this task asked for has been answered, well or not: one
    // that brought no channel is left out, so the run still ends.
    void categoryAnswered(const QString& sType);

public slots:
    void slotStartDownloadTask();

private slots:
    void slotRecvChannelList(void* pCxt, QSharedPointer<NxChannelSet> chSet);
    void slotRecvChannelImage(void* pCxt, QImage img);

private:
    void step();
    void stepOnce();
    bool requestNextCategory();
    bool requestNextImage();
    void finish();
    void addPendingImages(const QSharedPointer<NxChannelSet>& channel);

    bool m_running = false;
    NxWebCmdCtrl* m_controller;
    INxWebCommandController* m_commands;
    QMap<int, bool> m_categoryRequests;
    // Picture → already requested; the shared pointer keeps a picture alive
    // even when a newer answer replaces the tree it came from.
    struct PendingImage {
        bool requested = false;
        QSharedPointer<NxChannelItemImage> picture;
    };
    QMap<NxChannelItemImage*, PendingImage> m_pendingImages;
    QMap<NxChannelSet::ChannelCategory, QSharedPointer<NxChannelSet>> m_results;
    QElapsedTimer m_elapsed;
    bool m_stepping = false;
    bool m_stepAgain = false;
};

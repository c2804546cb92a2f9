#pragma once

#include "NxChannelSet.h"

#include <QList>
#include <QObject>
#include <QSharedPointer>
#include <QString>

class INxWebCommandController;
class NxBannerWidget;
class QWidget;
class TavomcPresenterChannelLists;
class TavomcPresenterChannelPages;
class TavomcPresenterHomeSlots;
class TavomcPresenterSignIn;

// The cloud's channel lists for the main window: asks for them, and puts
// each answer into the window's lists, the banner and the pages open.
class TavomcPresenterChannelDownloads : public QObject
{
    Q_OBJECT

public:
    struct Parts {
        TavomcPresenterChannelLists* lists;
        TavomcPresenterChannelPages* pages;
        TavomcPresenterHomeSlots* homeSlots;
        TavomcPresenterSignIn* signIn;
        NxBannerWidget* banner;
    };

    // webCommand may be null: nothing is asked then.
    TavomcPresenterChannelDownloads(QWidget* window, INxWebCommandController* webCommand, const Parts& parts);

    // "initchannel", "nxtchannel", "tvstation" or "myresources".
    void download(const QString& type);
    void receive(void* context, const QSharedPointer<NxChannelSet>& set);
    // Only the first offered list counts.
    void receiveOffered(const QList<QSharedPointer<NxChannelSet> >& list);

private:
    void parse(bool offered, const QSharedPointer<NxChannelSet>& set);

    QWidget* m_window;
    INxWebCommandController* m_webCommand;
    Parts m_parts;
    bool m_offeredListReceived = false;
};

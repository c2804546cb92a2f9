#pragma once

#include "NxChannelSet.h"

#include <QImage>
#include <QList>
#include <QMap>
#include <QObject>
#include <QSharedPointer>
#include <QString>

// Collects the cloud client's answers on the GUI thread, as the window and
// the controllers receive them (queued from the client's worker thread).
class NxClientRecorder : public QObject
{
    Q_OBJECT

public:
    struct Answer {
        void* context = nullptr;
        int result = 0;
        QString text;
        QSharedPointer<NxChannelSet> channel;
        QList<QSharedPointer<NxChannelSet>> list;
        QImage image;
    };
    using Catalogue = QMap<NxChannelSet::ChannelCategory, QSharedPointer<NxChannelSet>>;

    explicit NxClientRecorder(QObject* client);

    QList<Answer> channels, users, offered, images, logins, added, deleted, liveUrls;
    QList<Catalogue> catalogues;
    bool offThread = false; // an answer arrived on another thread than the GUI's

private slots:
    void onChannel(void* c, QSharedPointer<NxChannelSet> s);
    void onUser(void* c, QSharedPointer<NxChannelSet> s);
    void onOffered(void* c, QList<QSharedPointer<NxChannelSet>> l);
    void onImage(void* c, QImage i);
    void onCatalogue(QMap<NxChannelSet::ChannelCategory, QSharedPointer<NxChannelSet>> m);
    void onLogin(void* c, int result, QImage image);
    void onAdded(void* c, int result, QString id);
    void onDeleted(void* c, int result, QString ids);
    void onLiveUrl(void* c, int result, QString url);

private:
    void check();
};

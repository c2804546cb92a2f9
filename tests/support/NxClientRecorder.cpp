#include "NxClientRecorder.h"

#include <QCoreApplication>
#include <QThread>

NxClientRecorder::NxClientRecorder(QObject* client)
{
    connect(client, SIGNAL(sigRecvChannelList(void*, QSharedPointer<NxChannelSet>)), this,
            SLOT(onChannel(void*, QSharedPointer<NxChannelSet>)));
    connect(client, SIGNAL(sigRecvUserChannelList(void*, QSharedPointer<NxChannelSet>)), this,
            SLOT(onUser(void*, QSharedPointer<NxChannelSet>)));
    connect(client, SIGNAL(sigRecvAddedChannelList(void*, QList<QSharedPointer<NxChannelSet>>)), this,
            SLOT(onOffered(void*, QList<QSharedPointer<NxChannelSet>>)));
    connect(client, SIGNAL(sigRecvChannelImage(void*, QImage)), this, SLOT(onImage(void*, QImage)));
    connect(client, SIGNAL(sigRecvAllChannelList(QMap<NxChannelSet::ChannelCategory, QSharedPointer<NxChannelSet>>)), this,
            SLOT(onCatalogue(QMap<NxChannelSet::ChannelCategory, QSharedPointer<NxChannelSet>>)));
    connect(client, SIGNAL(sigUserLogin(void*, int, QImage)), this, SLOT(onLogin(void*, int, QImage)));
    connect(client, SIGNAL(sigRecvChAdded(void*, int, QString)), this, SLOT(onAdded(void*, int, QString)));
    connect(client, SIGNAL(sigRecvChDeleted(void*, int, QString)), this, SLOT(onDeleted(void*, int, QString)));
    connect(client, SIGNAL(sigRecvLiveUrl(void*, int, QString)), this, SLOT(onLiveUrl(void*, int, QString)));
}

void NxClientRecorder::check()
{
    offThread |= QThread::currentThread() != QCoreApplication::instance()->thread();
}

void NxClientRecorder::onChannel(void* c, QSharedPointer<NxChannelSet> s)
{
    check();
    channels.append({c, 0, {}, s, {}, {}});
}

void NxClientRecorder::onUser(void* c, QSharedPointer<NxChannelSet> s)
{
    check();
    users.append({c, 0, {}, s, {}, {}});
}

void NxClientRecorder::onOffered(void* c, QList<QSharedPointer<NxChannelSet>> l)
{
    check();
    offered.append({c, 0, {}, {}, l, {}});
}

void NxClientRecorder::onImage(void* c, QImage i)
{
    check();
    images.append({c, 0, {}, {}, {}, i});
}

void NxClientRecorder::onCatalogue(QMap<NxChannelSet::ChannelCategory, QSharedPointer<NxChannelSet>> m)
{
    check();
    catalogues.append(m);
}

void NxClientRecorder::onLogin(void* c, int result, QImage image)
{
    check();
    logins.append({c, result, {}, {}, {}, image});
}

void NxClientRecorder::onAdded(void* c, int result, QString id)
{
    check();
    added.append({c, result, id, {}, {}, {}});
}

void NxClientRecorder::onDeleted(void* c, int result, QString ids)
{
    check();
    deleted.append({c, result, ids, {}, {}, {}});
}

void NxClientRecorder::onLiveUrl(void* c, int result, QString url)
{
    check();
    liveUrls.append({c, result, url, {}, {}, {}});
}

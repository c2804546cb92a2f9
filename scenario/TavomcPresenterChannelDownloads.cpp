#include "TavomcPresenterChannelDownloads.h"

#include "INxWebCommandController.h"
#include "NxBannerWidget.h"
#include "NxConfig.h"
#include "TavomcPresenterChannelLists.h"
#include "TavomcPresenterChannelPages.h"
#include "TavomcPresenterHomeSlots.h"
#include "TavomcPresenterSignIn.h"

#include <QDebug>
#include <QWidget>

TavomcPresenterChannelDownloads::TavomcPresenterChannelDownloads(QWidget* window, INxWebCommandController* webCommand,
                                                                 const Parts& parts)
    : QObject(window)
    , m_window(window)
    , m_webCommand(webCommand)
    , m_parts(parts)
{
}

void TavomcPresenterChannelDownloads::download(const QString& type)
{
    if (!m_webCommand)
        return;
    qDebug() << "TavomcPresenterChannelDownloads::download" << type;
    if (type == QLatin1String("initchannel"))
        m_webCommand->startDownloadAddedChList(m_window);
    else if (type == QLatin1String("nxtchannel"))
        m_webCommand->startDownloadChList(type, m_window);
    else if (type == QLatin1String("tvstation"))
        m_webCommand->startDownloadChList(type, m_parts.pages->tvPage());
    else if (type == QLatin1String("myresources"))
        m_webCommand->startDownloadUserChList(type, m_parts.signIn->userId(), m_parts.signIn->resourcesContext());
}

void TavomcPresenterChannelDownloads::receive(void* context, const QSharedPointer<NxChannelSet>& set)
{
    qDebug() << "TavomcPresenterChannelDownloads::receive";
    if (set && set->channelId() == QLatin1String("myresources") && !m_parts.signIn->isCurrentResources(context)) {
        qDebug() << "TavomcPresenterChannelDownloads::receive" << "resources of an earlier sign-in dropped";
        return;
    }
    parse(false, set);
}

void TavomcPresenterChannelDownloads::receiveOffered(const QList<QSharedPointer<NxChannelSet> >& list)
{
    qDebug() << "TavomcPresenterChannelDownloads::receiveOffered";
    if (m_offeredListReceived)
        return;
    m_offeredListReceived = true;
    NxConfig::getInstance()->setNetworkStatus(true);
    for (const QSharedPointer<NxChannelSet>& set : list)
        parse(true, set);
    m_parts.pages->fillAddChannelList(QJsonObject(), m_parts.homeSlots->pinned());
    m_parts.pages->prepareTavoChannelPage();
}

void TavomcPresenterChannelDownloads::parse(bool offered, const QSharedPointer<NxChannelSet>& set)
{
    TavomcPresenterChannelLists::Banner banner;
    const QString category = m_parts.lists->parseChannelInfo(offered, set, &banner);
    if (category == QLatin1String("nxtchannel") && !offered) {
        download(QStringLiteral("initchannel"));
        if (banner.changed) {
            m_parts.lists->rememberBanner(banner.items);
            // The banner of the last run is on screen already when nothing changed.
            if (banner.items != m_parts.banner->items()) {
                m_parts.banner->renewItem(banner.items);
                m_parts.banner->setDefaultSize(banner.defaultSize);
            }
            m_parts.pages->refreshTavoChannelPage();
        }
    } else if (category == QLatin1String("tvstation")) {
        m_parts.pages->refreshTvPage();
    } else if (category == QLatin1String("myresources")) {
        m_parts.pages->refreshMyResourcePage();
    }
}

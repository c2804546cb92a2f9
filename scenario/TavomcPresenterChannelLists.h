#pragma once

#include "NxChannelSet.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QSharedPointer>
#include <QString>

// The main window's seven channel lists and the rules that fill, change and
// save them, apart from any widget.
class TavomcPresenterChannelLists
{
    Q_DECLARE_TR_FUNCTIONS(TavomcPresenterChannelLists)

public:
    enum class Saved { FirstPage, TavoChannels, TvChannels, MyResources };

    // What the banner shows after an own-channel answer.
    struct Banner {
        bool changed = false;
        QList<QJsonObject> items;
        int defaultSize = 0;
    };

    // Home pages beyond this are refused: a damaged file must not create
    // hundreds of pages.
    static const int kMaxGridPages = 50;
    static const int kGridCells = 18;
    // A damaged banner file must not fill the banner with hundreds of tiles.
    static const int kMaxBannerItems = 12;

    QJsonArray tvChannels;
    QJsonArray tvLocalChannels;
    QJsonArray myResourceChannels;
    QJsonArray firstPageLocalChannels;
    QJsonArray tavoChannels;
    QJsonArray tavoLocalChannels;
    QJsonArray otherChannels;
    // The banner the catalogue last gave, shown at start before it answers
    // again (or without network).
    QList<QJsonObject> lastBanner;

    void loadLocalChannelFiles(const QString& channelDir);
    // Keeps the catalogue's banner for the next start (written only when it
    // differs from the kept one).
    void rememberBanner(const QList<QJsonObject>& items);
    // Fills the list of the set's category and returns that category;
    // banner is filled for the first own-channel answer of a run.
    QString parseChannelInfo(bool bInit, const QSharedPointer<NxChannelSet>& set, Banner* banner);
    // Changes the list and returns the request the main controller routes.
    QJsonObject saveRequest(Saved list, bool add, const QJsonObject& json, const QString& userId);
    // The catalogue of channels offered for a home slot; empty groups
    // while the own channels are not there yet.
    QJsonObject addChannelListData(const QJsonObject& slot) const;

    static QJsonObject tileJson(const NxChannelSet& channel, const QString& category);
    static QJsonObject moreItem();
    static void removeByChannelId(QJsonArray& list, const QJsonObject& json);
    // A saved home-page entry names a slot that exists: page 0 and index 1
    // to 4, or a grid page 1 to kMaxGridPages and index 0 to 17.
    static bool isPlaceable(const QJsonObject& entry);

private:
    static QJsonArray tiles(const NxChannelSet& set, const QString& category);
    static QList<QJsonObject> bannerItems(const QJsonArray& saved);
    void fillBanner(const NxChannelSet& set, Banner* banner);

    QString m_channelDir;
};

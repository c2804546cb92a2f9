#include "NxCloudFixture.h"
#include "NxLocalChannelFile.h"
#include "NxTestEnvironment.h"
#include "NxWebCmdCtrl.h"
#include "TavomcPresenterChannelLists.h"

#include <QtTest>

using Lists = TavomcPresenterChannelLists;

// The home page's channel lists: cloud answers into tiles and banner, the
// local files, and the save requests.
class tst_TavomcPresenterChannelLists : public QObject
{
    Q_OBJECT

private slots:
    void ownChannelsFillBanner_data();
    void ownChannelsFillBanner();
    void tilesPerCategory();
    void saveRequestsChangeTheList();
    void localFilesAndPlaceableEntries();

private:
    static QSharedPointer<NxChannelSet> fetch(const QJsonObject& seed, const QString& category);
    static QJsonObject seedWith(const QString& category, int bannerCount, const QJsonArray& children);
};

QJsonObject tst_TavomcPresenterChannelLists::seedWith(const QString& category, int bannerCount, const QJsonArray& children)
{
    QJsonObject seed = NxTestCloud::defaultSeed();
    QJsonObject categories = seed.value("categories").toObject();
    categories.insert(category, QJsonObject{{"bannerCount", bannerCount}, {"data", NxTestCloud::channel(category, "set", {}, children)}});
    seed.insert("categories", categories);
    return seed;
}

// A category as the real client delivers it from the local cloud.
QSharedPointer<NxChannelSet> tst_TavomcPresenterChannelLists::fetch(const QJsonObject& seed, const QString& category)
{
    NxCloudFixture world(seed);
    NxWebCmdCtrl* web = world.startClient();
    QSignalSpy replies(web, &NxWebCmdCtrl::sigRecvChannelList);
    web->startDownloadChList(category, nullptr);
    if (!replies.wait(10000))
        return {};
    return replies.first().at(1).value<QSharedPointer<NxChannelSet>>();
}

void tst_TavomcPresenterChannelLists::ownChannelsFillBanner_data()
{
    QTest::addColumn<int>("bannerCount");
    QTest::addColumn<int>("children");
    QTest::addColumn<QStringList>("banner");
    QTest::addColumn<int>("defaultSize");
    QTest::newRow("no count, five channels") << 0 << 5 << QStringList{"c0", "c1", "c2", ""} << 4;
    QTest::newRow("count 2, two channels") << 2 << 2 << QStringList{"c0", "c1"} << 3;
    QTest::newRow("negative count, five channels") << -2 << 5 << QStringList{"c0", "c1", "c2", ""} << 4;
    // The banner keeps its own-channel item: no change.
    QTest::newRow("no channels") << 2 << 0 << QStringList{} << 0;
}

void tst_TavomcPresenterChannelLists::ownChannelsFillBanner()
{
    QFETCH(int, bannerCount);
    QFETCH(int, children);
    QFETCH(QStringList, banner);
    QFETCH(int, defaultSize);
    QJsonArray channels;
    for (int i = 0; i < children; ++i)
        channels.append(NxTestCloud::channel(QString("c%1").arg(i), QString("Channel %1").arg(i), {"maths_m.png"}));
    const QSharedPointer<NxChannelSet> set = fetch(seedWith("nxtchannel", bannerCount, channels), "nxtchannel");
    QVERIFY(set);

    Lists lists;
    Lists::Banner shown;
    QCOMPARE(lists.parseChannelInfo(false, set, &shown), QString("nxtchannel"));
    QCOMPARE(shown.changed, !banner.isEmpty());
    QStringList ids;
    for (const QJsonObject& item : shown.items)
        ids << item.value("channelid").toString();
    QCOMPARE(ids, banner);
    QCOMPARE(shown.defaultSize, defaultSize);
    QCOMPARE(lists.tavoChannels.size(), children);
    if (!banner.isEmpty() && banner.last().isEmpty())
        QCOMPARE(shown.items.last(), Lists::moreItem());

    // A later answer, or the offered list's copy, changes nothing.
    Lists::Banner again;
    lists.parseChannelInfo(false, set, &again);
    lists.parseChannelInfo(true, set, &again);
    QVERIFY(!again.changed);
    QCOMPARE(lists.tavoChannels.size(), children);
}

void tst_TavomcPresenterChannelLists::tilesPerCategory()
{
    QJsonObject mine = NxTestCloud::channel("mine", "Mine", {"art_s.png"});
    mine.insert("images", QJsonArray{QJsonObject{{"type", "large"}, {"url", "file:///home/t/a.png"}}});
    QJsonObject loud = NxTestCloud::channel("loud", "Loud", {});
    loud.insert("images", QJsonArray{QJsonObject{{"type", "large"}, {"url", "FILE:///home/t/b.png"}}});
    const QSharedPointer<NxChannelSet> resources = fetch(seedWith("myresources", 0, {mine, loud}), "myresources");
    const QSharedPointer<NxChannelSet> stations = fetch(NxTestCloud::defaultSeed(), "tvstation");
    QVERIFY(resources && stations);

    Lists lists;
    QCOMPARE(lists.parseChannelInfo(false, stations, nullptr), QString("tvstation"));
    QCOMPARE(lists.tvChannels.size(), 2);
    const QJsonObject station = lists.tvChannels.first().toObject();
    QCOMPARE(station.value("image").toString(), QString(":/images/ID_CHANNEL_TV_DEFAULT.png"));
    QVERIFY(station.value("web_image").toString().endsWith("cctv1_s.png")); // the small picture
    QCOMPARE(station.value("url").toString(), QString("https://cctv1.example/"));
    QCOMPARE(station.value("from").toString(), QString("web"));

    lists.parseChannelInfo(false, resources, nullptr);
    QCOMPARE(lists.myResourceChannels.size(), 2);
    QCOMPARE(lists.myResourceChannels.at(0).toObject().value("from").toString(), QString("local"));
    QCOMPARE(lists.myResourceChannels.at(1).toObject().value("from").toString(), QString("web"));
    QCOMPARE(lists.myResourceChannels.at(0).toObject().value("image").toString(), QString(":/images/ID_MY_RESOURCE.png"));
    QVERIFY(lists.addChannelListData({{"page", 2}, {"index", 7}}).value("data").toArray().isEmpty()); // own list still empty
}

void tst_TavomcPresenterChannelLists::saveRequestsChangeTheList()
{
    Lists lists;
    const QJsonObject twice{{"channelid", "dup"}, {"name", "Twice"}};
    lists.saveRequest(Lists::Saved::TvChannels, true, twice, "u1");
    lists.saveRequest(Lists::Saved::TvChannels, true, {{"channelid", "other"}}, "u1");
    lists.saveRequest(Lists::Saved::TvChannels, true, twice, "u1");
    const QJsonObject removed = lists.saveRequest(Lists::Saved::TvChannels, false, twice, "u1");
    QCOMPARE(removed.value("funcType").toString(), QString("TV"));
    QCOMPARE(removed.value("saveType").toString(), QString("LOCAL"));
    QCOMPARE(removed.value("data").toArray(), (QJsonArray{QJsonObject{{"channelid", "other"}}}));
    QVERIFY(!removed.contains("uid"));

    QCOMPARE(lists.saveRequest(Lists::Saved::FirstPage, true, twice, "u1").value("funcType").toString(), QString("firstpage"));
    QCOMPARE(lists.saveRequest(Lists::Saved::TavoChannels, true, twice, "u1").value("funcType").toString(), QString("tavochanneL"));
    const QJsonObject web = lists.saveRequest(Lists::Saved::MyResources, false, twice, "u1");
    QCOMPARE(web.value("saveType").toString(), QString("WEB"));
    QCOMPARE(web.value("operate").toString(), QString("delete"));
    QCOMPARE(web.value("uid").toString(), QString("u1"));
    QCOMPARE(web.value("name").toString(), QString("Twice")); // a copy of the channel plus the request keys
}

void tst_TavomcPresenterChannelLists::localFilesAndPlaceableEntries()
{
    NxTestEnvironment env;
    const QJsonArray pins{QJsonObject{{"channelid", "p"}, {"page", 0}, {"index", 2}}};
    QVERIFY(NxLocalChannelFile::write(env.dataRoot(), "firstpage", pins));
    QVERIFY(NxLocalChannelFile::write(env.dataRoot(), "TV", pins));
    Lists lists;
    lists.loadLocalChannelFiles(env.dataRoot());
    QCOMPARE(lists.firstPageLocalChannels, pins);
    QCOMPARE(lists.tvLocalChannels, pins);
    QVERIFY(lists.tavoLocalChannels.isEmpty());

    // The kept banner: read back as written, its "more" item in this run's language.
    const QJsonObject channel{{"ID", "ID_CHANNEL"}, {"name", "Maths"}, {"web_image", "http://x/m.png"}};
    QJsonObject otherLanguage = Lists::moreItem();
    otherLanguage.insert("name", "More channels of another language");
    lists.rememberBanner({channel, otherLanguage});
    lists.loadLocalChannelFiles(env.dataRoot());
    QCOMPARE(lists.lastBanner, (QList<QJsonObject>{channel, Lists::moreItem()}));

    QVERIFY(Lists::isPlaceable({{"page", 0}, {"index", 1}}));
    QVERIFY(Lists::isPlaceable({{"page", 3}, {"index", 17}}));
    for (const QJsonObject& bad : {QJsonObject{{"page", 0}, {"index", 999}}, QJsonObject{{"page", -1}, {"index", 1}},
                                   QJsonObject{{"page", 1}, {"index", 18}}, QJsonObject{{"page", 100000}, {"index", 0}},
                                   QJsonObject{{"index", 1}}, QJsonObject{{"page", "0"}, {"index", "1"}}}) {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("entry skipped"));
        QVERIFY(!Lists::isPlaceable(bad));
    }
}

QTEST_MAIN(tst_TavomcPresenterChannelLists)
#include "tst_TavomcPresenterChannelLists.moc"

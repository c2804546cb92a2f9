#include "NxChannelItemImage.h"
#include "NxChannelJson.h"
#include "NxChannelSet.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QtTest>

// The channel model and its wire format, both directions.
class tst_NxChannelSet : public QObject
{
    Q_OBJECT

private slots:
    void createdChannelDefaults();
    void imagesByType();
    void copiesSharePicturesAndChildren();
    void stringTables();
    void unknownStringsFallBack();
    void readerMapsEveryField();
    void readerNeedsChannelName();
    void readerTakesStringsOnly();
    void readerDropsNullChildren();
    void writerFormat();
    void writerThenReaderKeepsWhatTheWireCarries();

private:
    static QJsonObject parse(const char* json) { return QJsonDocument::fromJson(json).object(); }
};

void tst_NxChannelSet::createdChannelDefaults()
{
    QScopedPointer<NxChannelSet> channel(NxChannelSet::create());
    QCOMPARE(channel->id(), -1);
    QCOMPARE(channel->bannerCount(), 0);
    QCOMPARE(channel->playMode(), 0);
    QVERIFY(!channel->hasChild());
    QVERIFY(!channel->isSingleSignOn());
    QVERIFY(channel->channelName().isEmpty());
    QCOMPARE(channel->chType(), NxChannelSet::Unknown);
    QVERIFY(channel->children().isEmpty());
}

void tst_NxChannelSet::imagesByType()
{
    NxChannelSet channel;
    QVERIFY(channel.getImage(NxChannelSet::Large).isNull());
    const auto large = channel.addImage(NxChannelSet::Large);
    QVERIFY(large);
    QCOMPARE(large->type(), QString("large"));
    QCOMPARE(channel.addImage(NxChannelSet::Large), large);
    QCOMPARE(channel.images().size(), 1);
    QCOMPARE(channel.getImage(NxChannelSet::Large), large);
    QVERIFY(channel.getImage(NxChannelSet::Small).isNull());
    const auto empty = channel.createImage();
    QCOMPARE(empty->type(), QString());
    QCOMPARE(channel.images().size(), 2);
}

void tst_NxChannelSet::copiesSharePicturesAndChildren()
{
    const auto original = NxChannelJson::read(parse(R"({"channelName":"a","images":[{"type":"small","url":"u"}],
        "children":[{"channelName":"b"}]})"));
    const NxChannelSet copy(*original);
    QCOMPARE(copy.getImage(NxChannelSet::Small).data(), original->getImage(NxChannelSet::Small).data());
    QCOMPARE(copy.children().first().data(), original->children().first().data());
}

void tst_NxChannelSet::stringTables()
{
    QCOMPARE(NxChannelSet::chCategory2String(NxChannelSet::NxtChannel), QString("nxtchannel"));
    QCOMPARE(NxChannelSet::chCategory2String(NxChannelSet::TvStation), QString("tvstation"));
    QCOMPARE(NxChannelSet::chCategory2String(NxChannelSet::MyResources), QString("myresources"));
    QCOMPARE(NxChannelSet::chCategory2String(NxChannelSet::CloudLive), QString("cloudlive"));
    QCOMPARE(NxChannelSet::channelType2String(NxChannelSet::Live), QString("live"));
    QCOMPARE(NxChannelSet::imageType2String(NxChannelSet::Middle), QString("middle"));
    QCOMPARE(NxChannelSet::chCategoryFromString("cloudlive"), NxChannelSet::CloudLive);
    QCOMPARE(NxChannelSet::channelTypeFromString("web"), NxChannelSet::Web);
    QCOMPARE(NxChannelSet::imageTypeFromString("large"), NxChannelSet::Large);
}

void tst_NxChannelSet::unknownStringsFallBack()
{
    QTest::ignoreMessage(QtDebugMsg, "NxChannelSet::chCategoryFromString  error catstring:  \"TvStation\"");
    QCOMPARE(NxChannelSet::chCategoryFromString("TvStation"), NxChannelSet::NxtChannel);
    QCOMPARE(NxChannelSet::channelTypeFromString(""), NxChannelSet::Unknown); // silent
    QTest::ignoreMessage(QtDebugMsg, "NxChannelSet::channelTypeFromString  channel type unkown  \"audio\"");
    QCOMPARE(NxChannelSet::channelTypeFromString("audio"), NxChannelSet::Unknown);
    QTest::ignoreMessage(QtDebugMsg, "NxChannelSet::imageTypeFromString  error type string:  \"huge\"");
    QCOMPARE(NxChannelSet::imageTypeFromString("huge"), NxChannelSet::Small);
}

void tst_NxChannelSet::readerMapsEveryField()
{
    const auto channel = NxChannelJson::read(parse(R"({"id":12,"channelId":"c12","channelName":"数学",
        "introduction":"intro","address":"https://maths.example","isHasChild":"1","playMode":"3",
        "channelType":"web","singleSignOn":"1","bannerCount":4,
        "images":[{"id":7,"type":"small","order":2,"url":"http://x/s.png"},{"type":"large","url":"http://x/l.png"}]})"));
    QVERIFY(channel);
    QCOMPARE(channel->id(), 12);
    QCOMPARE(channel->channelId(), QString("c12"));
    QCOMPARE(channel->channelName(), QString("数学"));
    QCOMPARE(channel->intro(), QString("intro"));
    QCOMPARE(channel->url(), QString("https://maths.example"));
    QVERIFY(channel->hasChild());
    QCOMPARE(channel->playMode(), 3);
    QCOMPARE(channel->chType(), NxChannelSet::Web);
    QVERIFY(!channel->isSingleSignOn()); // never read from the wire
    QCOMPARE(channel->bannerCount(), 0);
    QCOMPARE(channel->images().size(), 2);
    const auto small = channel->getImage(NxChannelSet::Small);
    QCOMPARE(small->id(), 7);
    QCOMPARE(small->order(), 2);
    QCOMPARE(small->url(), QString("http://x/s.png"));
    QCOMPARE(channel->getImage(NxChannelSet::Large)->id(), 0);
}

void tst_NxChannelSet::readerNeedsChannelName()
{
    QVERIFY(NxChannelJson::read(parse(R"({"id":1,"channelId":"x","address":"u","isHasChild":"1"})")).isNull());
    QVERIFY(NxChannelJson::read(parse(R"({"channelName":""})")));
}

void tst_NxChannelSet::readerTakesStringsOnly()
{
    const auto numbers = NxChannelJson::read(parse(R"({"channelName":"n","isHasChild":1,"playMode":3,"id":"5",
        "images":[{"type":"small","order":"4","id":"9"}]})"));
    QVERIFY(!numbers->hasChild());
    QCOMPARE(numbers->playMode(), 0);
    QCOMPARE(numbers->id(), 0);
    QCOMPARE(numbers->getImage(NxChannelSet::Small)->order(), 0);
    QCOMPARE(numbers->getImage(NxChannelSet::Small)->id(), 0);
    QCOMPARE(NxChannelJson::read(parse(R"({"channelName":"n","playMode":"x7"})"))->playMode(), 0);
}

void tst_NxChannelSet::readerDropsNullChildren()
{
    const auto root = NxChannelJson::read(parse(R"({"channelName":"root","children":[
        {"channelName":"a","children":[{"channelName":"a1"},{"address":"no name"},{"channelName":"a2"}]},
        {"channelId":"nameless"},
        {"channelName":"b"}]})"));
    const auto children = root->children();
    QCOMPARE(children.size(), 2);
    QCOMPARE(children.at(0)->channelName(), QString("a"));
    QCOMPARE(children.at(1)->channelName(), QString("b"));
    const auto grandChildren = children.at(0)->children();
    QCOMPARE(grandChildren.size(), 2);
    QCOMPARE(grandChildren.at(1)->channelName(), QString("a2"));
}

void tst_NxChannelSet::writerFormat()
{
    const auto channel = NxChannelJson::read(parse(R"({"id":3,"channelId":"c3","channelName":"Art",
        "introduction":"i","address":"https://art.example","isHasChild":"0","playMode":"2","channelType":"video",
        "images":[{"id":1,"type":"small","order":0,"url":"s"},{"id":2,"type":"large","order":5,"url":"l"}],
        "children":[{"channelName":"c"}]})"));
    const QJsonObject json = NxChannelSet::channel2Json(channel);
    QCOMPARE(json.keys(), (QStringList{"address", "channelName", "channelType", "images", "introduction", "isHasChild",
                                       "playMode", "singleSignOn"}));
    QCOMPARE(json.value("isHasChild").toString(), QString("0"));
    QCOMPARE(json.value("singleSignOn").toString(), QString("0"));
    QCOMPARE(json.value("playMode").toString(), QString("2"));
    const QJsonArray images = json.value("images").toArray();
    QCOMPARE(images.size(), 2);
    QCOMPARE(images.at(0).toObject().value("order").toString(), QString("0"));
    QCOMPARE(images.at(1).toObject().value("order").toString(), QString("5"));
    QVERIFY(images.at(1).toObject().value("id").isDouble());
    QCOMPARE(images.at(1).toObject().value("id").toInt(), 2);
}

void tst_NxChannelSet::writerThenReaderKeepsWhatTheWireCarries()
{
    const auto original = NxChannelJson::read(parse(R"({"id":3,"channelName":"Art","isHasChild":"1","playMode":"2",
        "images":[{"id":1,"type":"small","order":6,"url":"s"}]})"));
    const auto again = NxChannelJson::read(NxChannelSet::channel2Json(original));
    QCOMPARE(again->channelName(), QString("Art"));
    QVERIFY(again->hasChild());
    QCOMPARE(again->playMode(), 2);
    QCOMPARE(again->id(), 0);                                    // not written
    QCOMPARE(again->getImage(NxChannelSet::Small)->order(), 0); // written as text, read as number
}

QTEST_GUILESS_MAIN(tst_NxChannelSet)
#include "tst_NxChannelSet.moc"

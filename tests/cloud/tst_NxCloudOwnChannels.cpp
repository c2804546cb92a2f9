#include "NxCloudServer.h"
#include "NxHttpProbe.h"

#include <QJsonArray>
#include <QtTest>
#include <memory>

namespace {
const QString kAdd = QStringLiteral("/channel/reportUserCustomChannel");
const QString kDelete = QStringLiteral("/channel/deleteCustomChannel");
const QString kList = QStringLiteral("/channel/getChannelListByUserId");
const QString kTeacher = QStringLiteral("teacher-1");

QJsonObject seedChannel(const QString& id)
{
    return QJsonObject{{QStringLiteral("id"), 5}, {QStringLiteral("channelId"), id}, {QStringLiteral("channelName"), id},
                       {QStringLiteral("isHasChild"), QStringLiteral("0")}, {QStringLiteral("images"), QJsonArray()}};
}

QJsonObject testSeed()
{
    return QJsonObject{{QStringLiteral("users"), QJsonObject{{kTeacher, QJsonArray{seedChannel(QStringLiteral("u1"))}}}}};
}

// A channel the way the panel writes it: no ids, "order" as a string.
QJsonObject clientChannel(const QString& name)
{
    const QJsonArray images{QJsonObject{{QStringLiteral("id"), 3}, {QStringLiteral("order"), QStringLiteral("0")},
                                        {QStringLiteral("type"), QStringLiteral("small")},
                                        {QStringLiteral("url"), QStringLiteral("https://cdn.example.org/s.png")}},
                            QJsonObject{{QStringLiteral("id"), 4}, {QStringLiteral("order"), QStringLiteral("1")},
                                        {QStringLiteral("type"), QStringLiteral("large")},
                                        {QStringLiteral("url"), QStringLiteral("https://cdn.example.org/l.png")}}};
    return QJsonObject{{QStringLiteral("introduction"), name + QStringLiteral(" intro")},
                       {QStringLiteral("address"), QStringLiteral("https://example.org/") + name},
                       {QStringLiteral("channelName"), name}, {QStringLiteral("isHasChild"), QStringLiteral("0")},
                       {QStringLiteral("channelType"), QStringLiteral("web")}, {QStringLiteral("singleSignOn"), QStringLiteral("0")},
                       {QStringLiteral("playMode"), QStringLiteral("0")}, {QStringLiteral("images"), images}};
}

QJsonObject addBody(const QString& userId, const QJsonObject& channel)
{
    return QJsonObject{{QStringLiteral("userId"), userId}, {QStringLiteral("parentChannelId"), QStringLiteral("myresources")},
                       {QStringLiteral("data"), channel}};
}

QStringList idsOf(const QJsonArray& channels)
{
    QStringList ids;
    for (const QJsonValue& channel : channels)
        ids.append(channel.toObject().value(QStringLiteral("channelId")).toString());
    return ids;
}
}

class TestNxCloudOwnChannels : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void addAnswersWithNewChannelId();
    void addedChannelIsListedWithItsImages();
    void addForNewUserStartsTheirList();
    void addListAckVariant();
    void addRejectsBodiesWithoutChannel_data();
    void addRejectsBodiesWithoutChannel();
    void addListAckVariantRejectsToo();
    void deleteByCommaList();
    void deleteFailsForUnknownUserOrIds_data();
    void deleteFailsForUnknownUserOrIds();
    void bodiesThatAreNotJsonAre400();

private:
    QJsonObject ask(const QString& path, const QJsonObject& body);
    QJsonArray listOf(const QString& userId);
    QString addChannel(const QString& userId, const QString& name);

    std::unique_ptr<NxCloudServer> m_server;
    std::unique_ptr<NxHttpProbe> m_probe;
};

void TestNxCloudOwnChannels::initTestCase()
{
    m_server = std::make_unique<NxCloudServer>(testSeed());
    QVERIFY(m_server->start());
    m_probe = std::make_unique<NxHttpProbe>();
}

void TestNxCloudOwnChannels::init()
{
    m_server->setAddChannelReply(NxCloudServer::AddChannelReply::WithChannelId);
    m_server->catalogue().setUserChannels(kTeacher, QJsonArray{seedChannel(QStringLiteral("u1"))});
}

void TestNxCloudOwnChannels::cleanupTestCase()
{
    m_probe.reset();
    m_server.reset();
}

QJsonObject TestNxCloudOwnChannels::ask(const QString& path, const QJsonObject& body)
{
    const NxHttpProbe::Result r = m_probe->postJson(m_server->baseUrl() + path, body);
    return r.status == 200 ? r.json() : QJsonObject();
}

QJsonArray TestNxCloudOwnChannels::listOf(const QString& userId)
{
    return ask(kList, QJsonObject{{QStringLiteral("userId"), userId}}).value(QStringLiteral("result")).toArray();
}

QString TestNxCloudOwnChannels::addChannel(const QString& userId, const QString& name)
{
    return ask(kAdd, addBody(userId, clientChannel(name))).value(QStringLiteral("result")).toObject()
        .value(QStringLiteral("channelId")).toString();
}

void TestNxCloudOwnChannels::addAnswersWithNewChannelId()
{
    const QJsonObject reply = ask(kAdd, addBody(kTeacher, clientChannel(QStringLiteral("Maths"))));
    QCOMPARE(reply.value(QStringLiteral("type")).toString(), QStringLiteral("reportUserCustomChannel_ACK"));
    QCOMPARE(reply.value(QStringLiteral("msg")).toString(), QStringLiteral("ok"));
    const QJsonObject result = reply.value(QStringLiteral("result")).toObject();
    QCOMPARE(result.value(QStringLiteral("result")).toBool(false), true);
    const QString first = result.value(QStringLiteral("channelId")).toString();
    QVERIFY(!first.isEmpty());
    const QString second = addChannel(kTeacher, QStringLiteral("Maths"));
    QVERIFY(!second.isEmpty());
    QVERIFY(first != second);
    QVERIFY(first != QLatin1String("u1"));
}

void TestNxCloudOwnChannels::addedChannelIsListedWithItsImages()
{
    const QString id = addChannel(kTeacher, QStringLiteral("数学乐园"));
    const QJsonArray list = listOf(kTeacher);
    QCOMPARE(idsOf(list), QStringList({QStringLiteral("u1"), id}));
    const QJsonObject added = list.at(1).toObject();
    QCOMPARE(added.value(QStringLiteral("channelName")).toString(), QStringLiteral("数学乐园"));
    QCOMPARE(added.value(QStringLiteral("address")).toString(), QStringLiteral("https://example.org/数学乐园"));
    QVERIFY(added.value(QStringLiteral("id")).toInt() > 0);
    QVERIFY(added.value(QStringLiteral("id")).toInt() != seedChannel(QString()).value(QStringLiteral("id")).toInt());
    const QJsonArray images = added.value(QStringLiteral("images")).toArray();
    QCOMPARE(images.size(), 2);
    QCOMPARE(images.at(1).toObject().value(QStringLiteral("url")).toString(), QStringLiteral("https://cdn.example.org/l.png"));
    QCOMPARE(images.at(1).toObject().value(QStringLiteral("type")).toString(), QStringLiteral("large"));
    QVERIFY(images.at(1).toObject().value(QStringLiteral("order")).isDouble());
    QCOMPARE(images.at(1).toObject().value(QStringLiteral("order")).toInt(), 1);
}

void TestNxCloudOwnChannels::addForNewUserStartsTheirList()
{
    const QString user = QStringLiteral("fresh-teacher");
    QCOMPARE(listOf(user).size(), 0);
    const QString id = addChannel(user, QStringLiteral("First"));
    QCOMPARE(idsOf(listOf(user)), QStringList({id}));
    QCOMPARE(listOf(kTeacher).size(), 1); // other lists untouched
}

void TestNxCloudOwnChannels::addListAckVariant()
{
    m_server->setAddChannelReply(NxCloudServer::AddChannelReply::ListAck);
    QCOMPARE(m_server->addChannelReply(), NxCloudServer::AddChannelReply::ListAck);
    const QJsonObject reply = ask(kAdd, addBody(kTeacher, clientChannel(QStringLiteral("Music"))));
    QCOMPARE(reply.value(QStringLiteral("type")).toString(), QStringLiteral("reportUserCustomChannelList_ACK"));
    QCOMPARE(reply.value(QStringLiteral("msg")).toString(), QStringLiteral("ok"));
    QVERIFY(reply.value(QStringLiteral("code")).isDouble());
    QCOMPARE(reply.value(QStringLiteral("code")).toInt(-1), 0);
    QCOMPARE(reply.value(QStringLiteral("result")).toBool(false), true);
    const QJsonArray list = listOf(kTeacher);
    QCOMPARE(list.size(), 2);
    QCOMPARE(list.at(1).toObject().value(QStringLiteral("channelName")).toString(), QStringLiteral("Music"));
}

void TestNxCloudOwnChannels::addRejectsBodiesWithoutChannel_data()
{
    QTest::addColumn<QJsonObject>("body");
    QJsonObject noData = addBody(kTeacher, QJsonObject());
    noData.remove(QStringLiteral("data"));
    QJsonObject nameless = clientChannel(QStringLiteral("X"));
    nameless.remove(QStringLiteral("channelName"));
    QTest::newRow("no data") << noData;
    QTest::newRow("data without channelName") << addBody(kTeacher, nameless);
    QTest::newRow("data not an object") << QJsonObject{{QStringLiteral("userId"), kTeacher}, {QStringLiteral("data"), 7}};
    QTest::newRow("no userId") << QJsonObject{{QStringLiteral("data"), clientChannel(QStringLiteral("X"))}};
}

void TestNxCloudOwnChannels::addRejectsBodiesWithoutChannel()
{
    QFETCH(QJsonObject, body);
    const QJsonObject reply = ask(kAdd, body);
    QCOMPARE(reply.value(QStringLiteral("type")).toString(), QStringLiteral("reportUserCustomChannel_ACK"));
    const QJsonObject result = reply.value(QStringLiteral("result")).toObject();
    QVERIFY(result.contains(QStringLiteral("result")));
    QCOMPARE(result.value(QStringLiteral("result")).toBool(true), false);
    QVERIFY(!result.contains(QStringLiteral("channelId")));
    const QString msg = reply.value(QStringLiteral("msg")).toString();
    QVERIFY(!msg.isEmpty());
    QVERIFY(msg != QLatin1String("ok"));
    QCOMPARE(idsOf(listOf(kTeacher)), QStringList({QStringLiteral("u1")}));
}

void TestNxCloudOwnChannels::addListAckVariantRejectsToo()
{
    m_server->setAddChannelReply(NxCloudServer::AddChannelReply::ListAck);
    const QJsonObject reply = ask(kAdd, QJsonObject{{QStringLiteral("userId"), kTeacher}});
    QCOMPARE(reply.value(QStringLiteral("type")).toString(), QStringLiteral("reportUserCustomChannelList_ACK"));
    QCOMPARE(reply.value(QStringLiteral("result")).toBool(true), false);
    QVERIFY(reply.value(QStringLiteral("code")).toInt(0) != 0);
    QVERIFY(reply.value(QStringLiteral("msg")).toString() != QLatin1String("ok"));
    QCOMPARE(listOf(kTeacher).size(), 1);
}

void TestNxCloudOwnChannels::deleteByCommaList()
{
    const QString a = addChannel(kTeacher, QStringLiteral("A"));
    const QString b = addChannel(kTeacher, QStringLiteral("B"));
    const QString c = addChannel(kTeacher, QStringLiteral("C"));
    QCOMPARE(listOf(kTeacher).size(), 4);
    const QJsonObject reply = ask(kDelete, QJsonObject{{QStringLiteral("userId"), kTeacher},
                                                       {QStringLiteral("channelIds"), a + QLatin1Char(',') + c}});
    QCOMPARE(reply.value(QStringLiteral("type")).toString(), QStringLiteral("deleteCustomChannel_ACK"));
    QCOMPARE(reply.value(QStringLiteral("msg")).toString(), QStringLiteral("ok"));
    QCOMPARE(reply.value(QStringLiteral("result")).toBool(false), true);
    QCOMPARE(idsOf(listOf(kTeacher)), QStringList({QStringLiteral("u1"), b}));

    // A single id, here one that came from the seed.
    const QJsonObject single = ask(kDelete, QJsonObject{{QStringLiteral("userId"), kTeacher},
                                                        {QStringLiteral("channelIds"), QStringLiteral("u1")}});
    QCOMPARE(single.value(QStringLiteral("result")).toBool(false), true);
    QCOMPARE(idsOf(listOf(kTeacher)), QStringList({b}));
}

void TestNxCloudOwnChannels::deleteFailsForUnknownUserOrIds_data()
{
    QTest::addColumn<QString>("userId");
    QTest::addColumn<QString>("ids");
    QTest::newRow("unknown user") << QStringLiteral("nobody") << QStringLiteral("u1");
    QTest::newRow("no user") << QString() << QStringLiteral("u1");
    QTest::newRow("ids not in list") << kTeacher << QStringLiteral("x1,x2");
    QTest::newRow("empty ids") << kTeacher << QString();
}

void TestNxCloudOwnChannels::deleteFailsForUnknownUserOrIds()
{
    QFETCH(QString, userId);
    QFETCH(QString, ids);
    const QJsonObject reply = ask(kDelete, QJsonObject{{QStringLiteral("userId"), userId}, {QStringLiteral("channelIds"), ids}});
    QCOMPARE(reply.value(QStringLiteral("type")).toString(), QStringLiteral("deleteCustomChannel_ACK"));
    QVERIFY(reply.value(QStringLiteral("result")).isBool());
    QCOMPARE(reply.value(QStringLiteral("result")).toBool(true), false);
    QVERIFY(reply.value(QStringLiteral("msg")).toString() != QLatin1String("ok"));
    QCOMPARE(idsOf(listOf(kTeacher)), QStringList({QStringLiteral("u1")}));
}

void TestNxCloudOwnChannels::bodiesThatAreNotJsonAre400()
{
    for (const QString& path : {kAdd, kDelete}) {
        const NxHttpProbe::Result r = m_probe->post(m_server->baseUrl() + path, "{broken",
            {qMakePair(QByteArray("Content-Type"), QByteArray("application/json"))});
        QCOMPARE(r.status, 400);
        QCOMPARE(r.json().value(QStringLiteral("type")).toString(), QStringLiteral("error"));
    }
    QCOMPARE(idsOf(listOf(kTeacher)), QStringList({QStringLiteral("u1")}));
}

QTEST_GUILESS_MAIN(TestNxCloudOwnChannels)
#include "tst_NxCloudOwnChannels.moc"

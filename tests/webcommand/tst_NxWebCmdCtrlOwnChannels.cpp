#include "NxChannelJson.h"
#include "NxClientRecorder.h"
#include "NxCloudFixture.h"
#include "NxWebCmdCtrl.h"

#include <QtTest>

// A teacher's own channels added and removed on the local cloud, and live codes.
class tst_NxWebCmdCtrlOwnChannels : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void addWithChannelId();
    void addOlderReplyVariant();
    void addAnswerCodes_data();
    void addAnswerCodes();
    void addWithoutNameSendsNothing();
    void addChannelObjectFromGuiThread();
    void deleteByIdAndByIds();
    void deleteAnswerCodes_data();
    void deleteAnswerCodes();
    void deleteWithoutIdsIsRefused();
    void liveCode_data();
    void liveCode();

private:
    QJsonObject channel(const QString& name) const;
    QJsonObject lastBody(const QString& path) const;
    QStringList userChannelNames(const QString& user);

    NxCloudFixture* m_world = nullptr;
    NxWebCmdCtrl* m_client = nullptr; // the world's
    NxClientRecorder* m_answers = nullptr;
    int m_context = 0;
};

void tst_NxWebCmdCtrlOwnChannels::init()
{
    m_world = new NxCloudFixture;
    m_client = m_world->startClient();
    m_answers = new NxClientRecorder(m_client);
}

void tst_NxWebCmdCtrlOwnChannels::cleanup()
{
    delete m_answers;
    delete m_world;
}

QJsonObject tst_NxWebCmdCtrlOwnChannels::channel(const QString& name) const
{
    return {{"channelName", name},
            {"channelType", "web"},
            {"address", "https://own.example/" + name},
            {"images", QJsonArray{QJsonObject{{"type", "small"}, {"url", "file:///pics/" + name + ".png"}}}}};
}

QJsonObject tst_NxWebCmdCtrlOwnChannels::lastBody(const QString& path) const
{
    QJsonObject body;
    for (const auto& request : m_world->cloud().server().requests()) {
        if (request.path == path)
            body = request.jsonObject();
    }
    return body;
}

QStringList tst_NxWebCmdCtrlOwnChannels::userChannelNames(const QString& user)
{
    const int before = m_answers->users.size();
    m_client->startDownloadUserChList("myresources", user, nullptr);
    if (!QTest::qWaitFor([&] { return m_answers->users.size() > before; }, 5000))
        return {"<no answer>"};
    QStringList names;
    for (const auto& child : m_answers->users.last().channel->children())
        names << child->channelName();
    return names;
}

void tst_NxWebCmdCtrlOwnChannels::addWithChannelId()
{
    m_client->addUserChannel("u1", "myresources", channel("Physics"), &m_context);
    QTRY_COMPARE(m_answers->added.size(), 1);
    QCOMPARE(m_answers->added.first().context, static_cast<void*>(&m_context));
    QCOMPARE(m_answers->added.first().result, 0);
    QVERIFY(!m_answers->added.first().text.isEmpty());
    const QJsonObject body = lastBody("/channel/reportUserCustomChannel");
    QCOMPARE(body.keys(), (QStringList{"data", "parentChannelId", "userId"}));
    QCOMPARE(body.value("data").toObject().value("images").toArray().first().toObject().value("order").toString(), QString("0"));
    QCOMPARE(userChannelNames("u1"), (QStringList{"Mine", "Physics"}));
}

void tst_NxWebCmdCtrlOwnChannels::addOlderReplyVariant()
{
    m_world->cloud().server().setAddChannelReply(NxCloudServer::AddChannelReply::ListAck);
    m_client->addUserChannel("u1", "myresources", channel("Art"), &m_context);
    QTRY_COMPARE(m_answers->added.size(), 1);
    QCOMPARE(m_answers->added.first().result, 0);
    QCOMPARE(m_answers->added.first().text, QString());
}

void tst_NxWebCmdCtrlOwnChannels::addAnswerCodes_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("id");
    QTest::newRow("older variant without code") << QByteArray(R"({"type":"reportUserCustomChannelList_ACK","msg":"ok"})") << 0 << -1 << "";
    QTest::newRow("older variant code 7") << QByteArray(R"({"type":"reportUserCustomChannelList_ACK","code":7})") << 0 << 7 << "";
    QTest::newRow("older variant code text 1001")
        << QByteArray(R"({"type":"reportUserCustomChannelList_ACK","code":"1001"})") << 0 << 1001 << "";
    QTest::newRow("older variant code text 0") << QByteArray(R"({"type":"reportUserCustomChannelList_ACK","code":"0"})") << 0 << 0 << "";
    QTest::newRow("older variant code not a number")
        << QByteArray(R"({"type":"reportUserCustomChannelList_ACK","code":"busy"})") << 0 << -1 << "";
    QTest::newRow("refused") << QByteArray(R"({"type":"reportUserCustomChannel_ACK","msg":"quota full","result":{"result":false}})")
                             << 0 << -910 << "quota full";
    QTest::newRow("other type") << QByteArray(R"({"type":"somethingElse_ACK"})") << 0 << -901 << "";
    QTest::newRow("server error") << QByteArray() << 500 << -901 << "";
    QTest::newRow("redirected") << QByteArray() << 302 << -901 << "";
}

void tst_NxWebCmdCtrlOwnChannels::addAnswerCodes()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, status);
    QFETCH(int, result);
    QFETCH(QString, id);
    m_world->cloud().setReply("/channel/reportUserCustomChannel", reply, status);
    m_client->addUserChannel("u1", "myresources", channel("X"), &m_context);
    QTRY_COMPARE(m_answers->added.size(), 1);
    QCOMPARE(m_answers->added.first().result, result);
    QCOMPARE(m_answers->added.first().text, id);
}

void tst_NxWebCmdCtrlOwnChannels::addWithoutNameSendsNothing()
{
    QJsonObject nameless = channel("x");
    nameless.remove("channelName");
    m_client->addUserChannel("u1", "myresources", nameless, &m_context);
    QTRY_COMPARE(m_answers->added.size(), 1);
    QCOMPARE(m_answers->added.first().result, -901);
    QCOMPARE(m_world->cloud().server().requestCount("/channel/reportUserCustomChannel"), 0);
}

void tst_NxWebCmdCtrlOwnChannels::addChannelObjectFromGuiThread()
{
    // Handed to the worker thread, where the request is sent.
    m_client->addUserChannel("u1", "myresources", NxChannelJson::read(channel("Music")), &m_context);
    QTRY_COMPARE(m_answers->added.size(), 1);
    QCOMPARE(m_answers->added.first().result, 0);
    QCOMPARE(lastBody("/channel/reportUserCustomChannel").value("data").toObject().value("channelName").toString(),
             QString("Music"));
}

void tst_NxWebCmdCtrlOwnChannels::deleteByIdAndByIds()
{
    for (const char* name : {"A", "B", "C"})
        m_client->addUserChannel("u1", "myresources", channel(name), nullptr);
    QTRY_COMPARE(m_answers->added.size(), 3);
    QStringList ids;
    for (const auto& answer : m_answers->added)
        ids << answer.text;

    QCOMPARE(m_client->deleteUserChannel("u1", QJsonObject{{"id", ids.at(0)}}, &m_context), 0);
    QTRY_COMPARE(m_answers->deleted.size(), 1);
    QCOMPARE(lastBody("/channel/deleteCustomChannel"), (QJsonObject{{"userId", "u1"}, {"channelIds", ids.at(0)}}));
    QCOMPARE(m_answers->deleted.first().result, 0);
    // The answer names what was deleted, so a caller with several deletions
    // under way knows which one it settles.
    QCOMPARE(m_answers->deleted.first().text, ids.at(0));

    QCOMPARE(m_client->deleteUserChannel("u1", QJsonObject{{"ids", QJsonArray{ids.at(1), ids.at(2)}}}, &m_context), 0);
    QTRY_COMPARE(m_answers->deleted.size(), 2);
    QCOMPARE(lastBody("/channel/deleteCustomChannel").value("channelIds").toString(), ids.at(1) + "," + ids.at(2));
    QCOMPARE(m_answers->deleted.last().text, ids.at(1) + "," + ids.at(2));
    QCOMPARE(userChannelNames("u1"), QStringList{"Mine"});

    m_client->deleteUserChannel("u1", QList<QSharedPointer<NxChannelSet>>(), &m_context);
    QTRY_COMPARE(m_answers->deleted.size(), 3);
    QCOMPARE(lastBody("/channel/deleteCustomChannel").value("channelIds").toString(), QString());
}

void tst_NxWebCmdCtrlOwnChannels::deleteAnswerCodes_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("result");
    QTest::newRow("refused") << QByteArray(R"({"type":"deleteCustomChannel_ACK","result":false})") << 0 << -905;
    QTest::newRow("no result") << QByteArray(R"({"type":"deleteCustomChannel_ACK"})") << 0 << -905;
    QTest::newRow("other type") << QByteArray(R"({"type":"x","result":true})") << 0 << -902;
    QTest::newRow("server error") << QByteArray() << 500 << -902;
    QTest::newRow("redirected") << QByteArray() << 302 << -902;
}

void tst_NxWebCmdCtrlOwnChannels::deleteAnswerCodes()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, status);
    QFETCH(int, result);
    m_world->cloud().setReply("/channel/deleteCustomChannel", reply, status);
    m_client->deleteUserChannel("u1", QJsonObject{{"id", "mine"}}, &m_context);
    QTRY_COMPARE(m_answers->deleted.size(), 1);
    QCOMPARE(m_answers->deleted.first().result, result);
}

void tst_NxWebCmdCtrlOwnChannels::deleteWithoutIdsIsRefused()
{
    QTest::ignoreMessage(QtDebugMsg, "NxWebCmdCtrl::deleteUserChannel param error!");
    QCOMPARE(m_client->deleteUserChannel("u1", QJsonObject{{"channelid", "mine"}}, &m_context), -1);
    QTest::qWait(200);
    QVERIFY(m_answers->deleted.isEmpty());
    QCOMPARE(m_world->cloud().server().requests().size(), 0);
}

void tst_NxWebCmdCtrlOwnChannels::liveCode_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("urlEnd");
    QTest::newRow("known") << "123456" << QByteArray() << 0 << 0 << "/media/demo-live.mp4";
    QTest::newRow("unknown") << "999999" << QByteArray() << 0 << 1001 << "";
    QTest::newRow("found without address") << "123456" << QByteArray(R"({"code":0,"result":{}})") << 0 << 0 << "";
    QTest::newRow("no code") << "123456" << QByteArray(R"({"msg":"?"})") << 0 << -1 << "";
    QTest::newRow("not JSON") << "123456" << QByteArray("<html>busy</html>") << 0 << -1 << "";
    QTest::newRow("network failure") << "123456" << QByteArray() << 500 << -1 << "";
    QTest::newRow("redirected") << "123456" << QByteArray() << 302 << -1 << "";
    QTest::newRow("code as text") << "123456" << QByteArray(R"({"code":"1001","result":{"livePlayRtmpUrl":"rtmp://h/a"}})") << 0
                                  << 1001 << "";
    QTest::newRow("code text 0") << "123456" << QByteArray(R"({"code":"0","result":{"livePlayRtmpUrl":"rtmp://h/a"}})") << 0 << 0
                                 << "rtmp://h/a";
    QTest::newRow("code true") << "123456" << QByteArray(R"({"code":true,"result":{"livePlayRtmpUrl":"rtmp://h/a"}})") << 0 << -1
                               << "";
}

void tst_NxWebCmdCtrlOwnChannels::liveCode()
{
    QFETCH(QString, code);
    QFETCH(QByteArray, reply);
    QFETCH(int, status);
    QFETCH(int, result);
    QFETCH(QString, urlEnd);
    m_world->cloud().setReply("/backendService/liveService/getLiveInfoByCode", reply, status);
    m_client->startLiveCode(code, &m_context);
    QTRY_COMPARE(m_answers->liveUrls.size(), 1);
    const auto answer = m_answers->liveUrls.first();
    QCOMPARE(answer.context, static_cast<void*>(&m_context));
    QCOMPARE(answer.result, result);
    QCOMPARE(answer.text.isEmpty(), urlEnd.isEmpty());
    QVERIFY(urlEnd.isEmpty() || answer.text.endsWith(urlEnd));
    QCOMPARE(m_world->cloud().server().requests().last().query, "streamCodeDevice=" + code);
}

QTEST_MAIN(tst_NxWebCmdCtrlOwnChannels)
#include "tst_NxWebCmdCtrlOwnChannels.moc"

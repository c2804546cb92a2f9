#include "NxChannelItemImage.h"
#include "NxClientRecorder.h"
#include "NxCloudFixture.h"
#include "NxWebCmdCtrl.h"
#include "NxWebCmdTask.h"
#include "NxWebCommand.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QtTest>

#include <atomic>
#include <memory>

// The request engine and the catalogue against the local cloud service.
class tst_NxWebCmdCtrl : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void categoryRequest();
    void userChannelRequest();
    void offeredRequest();
    void failedExchangesGiveNoChannelList();
    void statusHandling_data();
    void statusHandling();
    void backToBackRequestsAreBothTracked();
    void initTwiceStartsOneThread();
    void destroyWithOutstandingRequestIsQuick();
    void destroyWhileWorkerBusy_data();
    void destroyWhileWorkerBusy();
    void internalDownloadAlwaysEnds_data();
    void internalDownloadAlwaysEnds();
    void oversizedBodyIsAborted_data();
    void oversizedBodyIsAborted();
    void stalledTransferIsEnded_data();
    void stalledTransferIsEnded();
    void catalogueTaskWalk();
    void catalogueEndsOnAnyAnswer_data();
    void catalogueEndsOnAnyAnswer();
    void catalogueWithoutPicturesCompletesAfterCategories();
    void taskIgnoresForeignPictureContexts();
    void restartAfterStopServesOnce();

private:
    NxWebCmdCtrl* makeClient();
    QJsonObject lastBody(const QString& path) const;

    NxCloudFixture* m_world = nullptr;
    NxWebCmdCtrl* m_client = nullptr; // the world's
    NxClientRecorder* m_receiver = nullptr;
    int m_context = 0;
};

void tst_NxWebCmdCtrl::init()
{
    m_world = new NxCloudFixture;
    m_client = makeClient();
}

void tst_NxWebCmdCtrl::cleanup()
{
    delete m_receiver;
    m_receiver = nullptr;
    delete m_world;
    NxWebCommand::setLimits(32LL * 1024 * 1024, 30000, 120000);
}

NxWebCmdCtrl* tst_NxWebCmdCtrl::makeClient()
{
    NxWebCmdCtrl* client = m_world->startClient();
    delete m_receiver;
    m_receiver = new NxClientRecorder(client->getObject());
    return client;
}

QJsonObject tst_NxWebCmdCtrl::lastBody(const QString& path) const
{
    const auto requests = m_world->cloud().server().requests();
    for (auto it = requests.crbegin(); it != requests.crend(); ++it) {
        if (it->path == path)
            return it->jsonObject();
    }
    return {};
}

void tst_NxWebCmdCtrl::categoryRequest()
{
    m_client->startDownloadChList("nxtchannel", &m_context);
    QTRY_COMPARE(m_receiver->channels.size(), 1);
    const auto& result = m_receiver->channels.first();
    QCOMPARE(result.context, static_cast<void*>(&m_context));
    QVERIFY(!m_receiver->offThread);
    QCOMPARE(result.channel->channelId(), QString("nxtchannel"));
    QCOMPARE(result.channel->bannerCount(), 2);
    QCOMPARE(result.channel->children().size(), 3);
    QCOMPARE(result.channel->children().at(1)->channelName(), QString("Art"));
    QCOMPARE(result.channel->children().at(1)->getImage(NxChannelSet::Small)->url(), m_world->cloud().pictureUrl("art_s.png"));

    const auto request = m_world->cloud().server().requests().last();
    QCOMPARE(request.method, QString("POST"));
    QCOMPARE(request.header("Content-Type"), QString("application/json"));
    QCOMPARE(request.jsonObject(), (QJsonObject{{"channelId", "nxtchannel"}}));
}

void tst_NxWebCmdCtrl::userChannelRequest()
{
    m_client->startDownloadUserChList("myresources", "u1", &m_context);
    m_client->startDownloadUserChList("myresources", "", nullptr);
    QTRY_COMPARE(m_receiver->users.size(), 2);
    const auto mine = m_receiver->users.at(0).context ? m_receiver->users.at(0) : m_receiver->users.at(1);
    QCOMPARE(mine.channel->channelId(), QString("myresources"));
    QVERIFY(mine.channel->hasChild());
    QCOMPARE(mine.channel->children().first()->channelName(), QString("Mine"));
    const auto nobody = m_receiver->users.at(0).context ? m_receiver->users.at(1) : m_receiver->users.at(0);
    QVERIFY(!nobody.channel->hasChild());
    QVERIFY(nobody.channel->children().isEmpty());

    QStringList bodies;
    for (const auto& request : m_world->cloud().server().requests())
        bodies << QString::fromUtf8(QJsonDocument(request.jsonObject()).toJson(QJsonDocument::Compact));
    QVERIFY(bodies.contains(R"({"channelId":"myresources","userId":"u1"})"));
    QVERIFY(bodies.contains(R"({"channelId":"myresources"})"));
}

void tst_NxWebCmdCtrl::offeredRequest()
{
    m_client->startDownloadAddedChList(&m_context);
    QTRY_COMPARE(m_receiver->offered.size(), 1);
    const auto list = m_receiver->offered.first().list;
    QCOMPARE(m_receiver->offered.first().context, static_cast<void*>(&m_context));
    QCOMPARE(list.size(), 2);
    QCOMPARE(list.at(0)->channelName(), QString("Science"));
    QCOMPARE(list.at(1)->channelId(), QString());
    QCOMPARE(lastBody("/channel/getChannelListToAdd"), QJsonObject());
}

void tst_NxWebCmdCtrl::failedExchangesGiveNoChannelList()
{
    NxCloudFault error;
    error.status = 500;
    m_world->cloud().server().setFault("/channel/getNxtChannelInfo", error);
    NxCloudFault malformed;
    malformed.body = NxCloudFault::Malformed;
    m_world->cloud().server().setFault("/channel/getChannelListToAdd", malformed);
    NxCloudFault wrongType;
    wrongType.body = NxCloudFault::WrongType;
    m_world->cloud().server().setFault("/channel/getChannelListByUserId", wrongType);

    m_client->startDownloadChList("nxtchannel", nullptr);
    m_client->startDownloadAddedChList(nullptr);
    m_client->startDownloadUserChList("myresources", "u1", nullptr);
    // A marker request queued behind them proves they were all handled.
    m_client->downloadImage(m_world->cloud().pictureUrl("maths_s.png"), &m_context);
    QTRY_COMPARE(m_receiver->images.size(), 1);
    QTRY_COMPARE(m_world->cloud().server().requests().size(), 4);
    QTest::qWait(200);
    QVERIFY(m_receiver->channels.isEmpty());
    QVERIFY(m_receiver->offered.isEmpty());
    QVERIFY(m_receiver->users.isEmpty());
}

void tst_NxWebCmdCtrl::statusHandling_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("answered");
    QTest::newRow("200") << 0 << true;
    QTest::newRow("500") << 500 << true;
    QTest::newRow("404") << 404 << true;
    QTest::newRow("301") << 301 << true;
    QTest::newRow("303") << 303 << true;
    QTest::newRow("307") << 307 << true;
    QTest::newRow("302") << 302 << true;
}

void tst_NxWebCmdCtrl::statusHandling()
{
    QFETCH(int, status);
    QFETCH(bool, answered);
    NxCloudFault fault;
    fault.status = status;
    fault.location = m_world->cloud().pictureUrl("art_s.png");
    m_world->cloud().server().setFault("/pictures/maths_s.png", fault);

    m_client->downloadImage(m_world->cloud().pictureUrl("maths_s.png"), &m_context);
    int marker = 0;
    m_client->downloadImage(m_world->cloud().pictureUrl("music_s.png"), &marker);
    QTRY_VERIFY(!m_receiver->images.isEmpty());
    QTRY_COMPARE(m_receiver->images.size(), answered ? 2 : 1);
    QTest::qWait(100);
    QCOMPARE(m_receiver->images.size(), answered ? 2 : 1);
    for (const auto& result : m_receiver->images) {
        if (result.context == &m_context)
            QCOMPARE(result.image.isNull(), status != 0); // failures reach the parser as empty data
        else
            QVERIFY(!result.image.isNull());
    }
    QCOMPARE(m_world->cloud().server().requestCount("/pictures/art_s.png"), 0); // redirects are not followed
}

void tst_NxWebCmdCtrl::backToBackRequestsAreBothTracked()
{
    NxCloudFault slow;
    slow.delayMs = 300;
    m_world->cloud().server().setFault("/channel/getNxtChannelInfo", slow);
    int second = 0;
    m_client->startDownloadChList("nxtchannel", &m_context);
    m_client->startDownloadChList("tvstation", &second);
    QTRY_COMPARE(m_receiver->channels.size(), 2);
    QSet<void*> contexts{m_receiver->channels.at(0).context, m_receiver->channels.at(1).context};
    QCOMPARE(contexts, (QSet<void*>{&m_context, &second}));
}

void tst_NxWebCmdCtrl::initTwiceStartsOneThread()
{
    QThread* worker = m_client->thread();
    QVERIFY(worker != qApp->thread());
    QCOMPARE(m_client->init(), 0);
    QCOMPARE(m_client->thread(), worker);
    QCOMPARE(m_client->findChildren<NxWebCmdTask*>().size(), 1);
}

void tst_NxWebCmdCtrl::destroyWithOutstandingRequestIsQuick()
{
    NxCloudFault slow;
    slow.delayMs = 5000;
    m_world->cloud().server().setFault("/channel/getNxtChannelInfo", slow);
    m_client->startDownloadChList("nxtchannel", &m_context);
    QTRY_COMPARE(m_world->cloud().server().requestCount("/channel/getNxtChannelInfo"), 1);
    QElapsedTimer timer;
    timer.start();
    m_world->stopClient();
    m_client = nullptr;
    QVERIFY2(timer.elapsed() < 600, qPrintable(QString::number(timer.elapsed())));
}

void tst_NxWebCmdCtrl::destroyWhileWorkerBusy_data()
{
    QTest::addColumn<QString>("busyWith");
    QTest::newRow("reply arriving") << "arriving";
    QTest::newRow("catalogue parsing") << "parsing";
}

void tst_NxWebCmdCtrl::destroyWhileWorkerBusy()
{
    // In a child process, so that an abort fails this case and not the suite.
    QFETCH(QString, busyWith);
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {"--destroy-busy", busyWith});
    QVERIFY(child.waitForFinished(60000));
    const QString log = QString::fromLocal8Bit(child.readAllStandardError());
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, qPrintable(log.right(2000)));
}

void tst_NxWebCmdCtrl::internalDownloadAlwaysEnds_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("destroyClient");
    QTest::newRow("redirected") << 302 << false;
    QTest::newRow("client destroyed first") << 0 << true;
}

void tst_NxWebCmdCtrl::internalDownloadAlwaysEnds()
{
    QFETCH(int, status);
    QFETCH(bool, destroyClient);
    NxCloudFault fault;
    fault.status = status;
    fault.delayMs = destroyClient ? 5000 : 0;
    m_world->cloud().server().setFault("/pictures/maths_s.png", fault);
    auto calls = std::make_shared<std::atomic<int>>(0);
    m_client->downloadImageInternal(m_world->cloud().pictureUrl("maths_s.png"), [calls](const QImage& image) {
        if (image.isNull())
            ++*calls;
    });
    if (destroyClient) {
        QTRY_COMPARE(m_world->cloud().server().requestCount("/pictures/maths_s.png"), 1);
        m_world->stopClient();
        m_client = nullptr;
    }
    QTRY_COMPARE(calls.use_count(), 1L); // the callback is freed either way
    QCOMPARE(calls->load(), destroyClient ? 0 : 1);
}

void tst_NxWebCmdCtrl::oversizedBodyIsAborted_data()
{
    QTest::addColumn<int>("body");
    QTest::addColumn<int>("pieceDelayMs");
    QTest::newRow("chunked") << int(NxCloudFault::Oversized) << 0;
    QTest::newRow("slow chunks") << int(NxCloudFault::Oversized) << 5;
    QTest::newRow("close-delimited") << int(NxCloudFault::Unframed) << 0;
}

void tst_NxWebCmdCtrl::oversizedBodyIsAborted()
{
    QFETCH(int, body);
    QFETCH(int, pieceDelayMs);
    const qint64 cap = 256 * 1024;
    NxWebCommand::setLimits(cap, 30000, 120000);
    NxCloudFault huge;
    huge.body = NxCloudFault::Body(body);
    huge.oversizeBytes = 256LL * 1024 * 1024;
    huge.pieceDelayMs = pieceDelayMs;
    huge.sentBytes = std::make_shared<std::atomic<qint64>>(0);
    m_world->cloud().server().setFault("/pictures/maths_s.png", huge);
    m_client->downloadImage(m_world->cloud().pictureUrl("maths_s.png"), &m_context);
    QTRY_COMPARE_WITH_TIMEOUT(m_receiver->images.size(), 1, 10000);
    QVERIFY(m_receiver->images.first().image.isNull());
    // Stopped near the cap, whatever the framing: only socket buffers beyond it.
    QVERIFY2(huge.sentBytes->load() < 64 * cap, qPrintable(QString::number(huge.sentBytes->load())));
}

void tst_NxWebCmdCtrl::stalledTransferIsEnded_data()
{
    QTest::addColumn<int>("delayMs");
    QTest::addColumn<int>("pieceDelayMs");
    QTest::newRow("silent server") << 4000 << 0;
    // A byte now and then keeps the stall time-out from ever firing.
    QTest::newRow("trickle") << 0 << 100;
}

void tst_NxWebCmdCtrl::stalledTransferIsEnded()
{
    QFETCH(int, delayMs);
    QFETCH(int, pieceDelayMs);
    NxWebCommand::setLimits(32LL * 1024 * 1024, 400, 1000);
    NxCloudFault stall;
    stall.delayMs = delayMs;
    stall.body = pieceDelayMs ? NxCloudFault::Trickle : NxCloudFault::Normal;
    stall.pieceDelayMs = pieceDelayMs;
    m_world->cloud().server().setFault("/channel/getChannelListToAdd", stall);
    m_world->cloud().server().setFault("/pictures/maths_s.png", stall);
    QElapsedTimer timer;
    timer.start();
    m_client->startDownloadAddedChList(nullptr);
    m_client->downloadImage(m_world->cloud().pictureUrl("maths_s.png"), &m_context);
    QTRY_COMPARE_WITH_TIMEOUT(m_receiver->images.size(), 1, 3000);
    QVERIFY(m_receiver->images.first().image.isNull());
    QVERIFY(timer.elapsed() < 3000);
    QVERIFY(m_receiver->offered.isEmpty());
}

void tst_NxWebCmdCtrl::catalogueTaskWalk()
{
    m_client->startDataRequest(nullptr);
    QTRY_COMPARE_WITH_TIMEOUT(m_receiver->catalogues.size(), 1, 10000);
    const auto catalogue = m_receiver->catalogues.first();
    QCOMPARE(catalogue.keys(), (QList<NxChannelSet::ChannelCategory>{NxChannelSet::NxtChannel, NxChannelSet::TvStation}));
    for (const auto& root : catalogue) {
        for (const auto& child : root->children()) {
            for (const auto& picture : child->images()) {
                QVERIFY(picture->isLoaded());
                QVERIFY(!picture->image().isNull());
            }
        }
    }
    // Categories one after another, then the pictures.
    QStringList order;
    for (const auto& request : m_world->cloud().server().requests())
        order << (request.path.startsWith("/pictures/") ? "picture" : request.jsonObject().value("channelId").toString());
    QCOMPARE(order.mid(0, 2), (QStringList{"nxtchannel", "tvstation"}));
    QCOMPARE(order.count("picture"), NxTestCloud::defaultPictures().size());
    QTest::qWait(100);
    QCOMPARE(m_receiver->catalogues.size(), 1);
}

void tst_NxWebCmdCtrl::catalogueEndsOnAnyAnswer_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("body");
    QTest::addColumn<QByteArray>("replacement");
    QTest::addColumn<bool>("hasOwnChannels");
    const QString category = "/channel/getNxtChannelInfo";
    const int normal = NxCloudFault::Normal;
    QTest::newRow("failed category") << category << 500 << normal << QByteArray() << false;
    QTest::newRow("wrong type") << category << 0 << int(NxCloudFault::WrongType) << QByteArray() << false;
    QTest::newRow("nameless category") << category << 0 << int(NxCloudFault::Replaced)
                                       << QByteArray(R"({"type":"getNxtChannelInfo_ACK","result":{"data":{}}})") << false;
    QTest::newRow("redirected picture") << "/pictures/art_m.png" << 302 << normal << QByteArray() << true;
}

void tst_NxWebCmdCtrl::catalogueEndsOnAnyAnswer()
{
    QFETCH(QString, path);
    QFETCH(int, status);
    QFETCH(int, body);
    QFETCH(QByteArray, replacement);
    QFETCH(bool, hasOwnChannels);
    NxCloudFault fault;
    fault.status = status;
    fault.location = m_world->cloud().pictureUrl("art_s.png");
    fault.body = NxCloudFault::Body(body);
    fault.replacement = replacement;
    fault.times = 1;
    m_world->cloud().server().setFault(path, fault);

    m_client->startDataRequest(nullptr);
    QTRY_COMPARE_WITH_TIMEOUT(m_receiver->catalogues.size(), 1, 10000);
    const auto first = m_receiver->catalogues.first();
    QCOMPARE(first.contains(NxChannelSet::NxtChannel), hasOwnChannels);
    QVERIFY(first.value(NxChannelSet::TvStation));
    // The run is over: the next one is served in full.
    m_client->startDataRequest(nullptr);
    QTRY_COMPARE_WITH_TIMEOUT(m_receiver->catalogues.size(), 2, 10000);
    QCOMPARE(m_receiver->catalogues.last().keys(),
             (QList<NxChannelSet::ChannelCategory>{NxChannelSet::NxtChannel, NxChannelSet::TvStation}));
}

void tst_NxWebCmdCtrl::catalogueWithoutPicturesCompletesAfterCategories()
{
    QJsonObject seed = NxTestCloud::defaultSeed();
    QJsonObject categories{
        {"nxtchannel", QJsonObject{{"data", NxTestCloud::channel("nxtchannel", "Own", {}, {NxTestCloud::channel("a", "A")})}}},
        {"tvstation", QJsonObject{{"data", NxTestCloud::channel("tvstation", "TV")}}}};
    seed.insert("categories", categories);
    delete m_world;
    m_world = new NxCloudFixture(seed);
    m_client = makeClient();

    m_client->startDataRequest(nullptr);
    QTRY_COMPARE(m_receiver->catalogues.size(), 1);
    QCOMPARE(m_world->cloud().server().requests().size(), 2);
    QCOMPARE(m_receiver->catalogues.first().value(NxChannelSet::TvStation)->channelName(), QString("TV"));
}

void tst_NxWebCmdCtrl::taskIgnoresForeignPictureContexts()
{
    // A tile's own picture request finishing while the task runs must not
    // be taken for one of the task's picture records.
    NxCloudFault slow;
    slow.delayMs = 300;
    m_world->cloud().server().setFault("/pictures/maths_s.png", slow);
    QByteArray tileContext(64, 'x');
    m_client->startDataRequest(nullptr);
    m_client->downloadImage(m_world->cloud().pictureUrl("cctv1_s.png"), tileContext.data());
    QTRY_COMPARE_WITH_TIMEOUT(m_receiver->catalogues.size(), 1, 10000);
    QCOMPARE(tileContext, QByteArray(64, 'x'));
}

void tst_NxWebCmdCtrl::restartAfterStopServesOnce()
{
    QCOMPARE(m_client->stop(), 0);
    QCOMPARE(m_client->init(), 0);
    QCOMPARE(m_client->findChildren<NxWebCmdTask*>().size(), 1);
    m_world->cloud().server().clearRequests();
    m_client->startDataRequest(nullptr);
    QTRY_COMPARE_WITH_TIMEOUT(m_receiver->catalogues.size(), 1, 10000);
    QCOMPARE(m_world->cloud().server().requestCount("/channel/getNxtChannelInfo"), 2);
}

namespace {

std::atomic<bool> g_parsing{false};

void holdParse(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    // A panel parses far slower than this machine: hold the worker inside the
    // parse until the destructor's 500 ms wait has run out.
    if (text.startsWith("Reply type ::") && !g_parsing.exchange(true))
        QThread::msleep(1500);
    if (text.contains("~NxWebCmdCtrl") || type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg)
        fprintf(stderr, "%s\n", qPrintable(text));
}

QJsonObject largeCatalogue()
{
    QJsonArray groups;
    for (int g = 0; g < 50; ++g) {
        QJsonArray leaves;
        for (int c = 0; c < 100; ++c)
            leaves.append(NxTestCloud::channel(QString("c%1_%2").arg(g).arg(c), "Channel", {"maths_s.png"}));
        groups.append(NxTestCloud::channel(QString("g%1").arg(g), "Group", {}, leaves));
    }
    QJsonObject seed = NxTestCloud::defaultSeed();
    seed.insert("categories", QJsonObject{{"nxtchannel", QJsonObject{{"data", NxTestCloud::channel("nxtchannel", "Own", {}, groups)}}}});
    return seed;
}

// Child mode: destroys a client whose worker is busy; an abort shows as a crash.
int destroyBusyClient(const QString& busyWith)
{
    const bool parsing = busyWith == "parsing";
    NxCloudFixture world(parsing ? largeCatalogue() : NxTestCloud::defaultSeed());
    NxCloudFault stream;
    stream.body = NxCloudFault::Oversized;
    stream.oversizeBytes = 24LL * 1024 * 1024;
    stream.pieceDelayMs = 2;
    stream.sentBytes = std::make_shared<std::atomic<qint64>>(0);
    if (!parsing)
        world.cloud().server().setFault("/channel/getNxtChannelInfo", stream);
    qInstallMessageHandler(holdParse);
    world.startClient()->startDownloadChList("nxtchannel", nullptr);
    if (!QTest::qWaitFor([&] { return parsing ? g_parsing.load() : stream.sentBytes->load() > 1024 * 1024; }, 20000))
        return 2;
    world.stopClient();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--destroy-busy") == 0)
        return destroyBusyClient(QString::fromLatin1(argv[2]));
    tst_NxWebCmdCtrl test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_NxWebCmdCtrl.moc"

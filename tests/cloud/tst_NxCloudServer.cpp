#include "NxCloudServer.h"
#include "NxHttpProbe.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {
const QString kChannelInfo = QStringLiteral("/channel/getNxtChannelInfo");
const QString kUserChannels = QStringLiteral("/channel/getChannelListByUserId");
const QString kToAdd = QStringLiteral("/channel/getChannelListToAdd");
const QString kPicture = QStringLiteral("/pictures/c1_small.png");
const QStringList kImageTypes = {QStringLiteral("small"), QStringLiteral("middle"), QStringLiteral("large")};

QSize testPictureSize(const QString& type)
{
    return type == QLatin1String("large") ? QSize(128, 48) : type == QLatin1String("middle") ? QSize(48, 32) : QSize(24, 16);
}

QJsonObject channel(const QString& id, const QString& name, const QString& prefix = QStringLiteral("pictures/"))
{
    QJsonArray images;
    for (int i = 0; i < kImageTypes.size(); ++i) {
        images.append(QJsonObject{{QStringLiteral("id"), i + 1}, {QStringLiteral("order"), i},
                                  {QStringLiteral("type"), kImageTypes.at(i)},
                                  {QStringLiteral("url"), prefix + id + QLatin1Char('_') + kImageTypes.at(i) + QStringLiteral(".png")}});
    }
    return QJsonObject{{QStringLiteral("id"), 7}, {QStringLiteral("channelId"), id}, {QStringLiteral("channelName"), name},
                       {QStringLiteral("introduction"), name + QStringLiteral(" intro")},
                       {QStringLiteral("address"), QStringLiteral("https://example.org/") + id},
                       {QStringLiteral("isHasChild"), QStringLiteral("0")}, {QStringLiteral("playMode"), QStringLiteral("0")},
                       {QStringLiteral("channelType"), QStringLiteral("web")}, {QStringLiteral("images"), images},
                       {QStringLiteral("art"), QJsonObject{{QStringLiteral("motif"), QStringLiteral("book")}}}};
}

QJsonObject group(const QString& id, const QString& name, const QJsonArray& children)
{
    return QJsonObject{{QStringLiteral("channelId"), id}, {QStringLiteral("channelName"), name},
                       {QStringLiteral("isHasChild"), QStringLiteral("1")}, {QStringLiteral("children"), children}};
}

QJsonObject testSeed()
{
    QJsonObject externalLarge = channel(QStringLiteral("c4"), QStringLiteral("Four"));
    QJsonArray images = externalLarge.value(QStringLiteral("images")).toArray();
    QJsonObject large = images.at(2).toObject();
    large.insert(QStringLiteral("url"), QStringLiteral("https://cdn.example.org/c4.png"));
    images.replace(2, large);
    externalLarge.insert(QStringLiteral("images"), images);

    const QJsonArray own{channel(QStringLiteral("c1"), QStringLiteral("数学乐园")),
                         channel(QStringLiteral("c2"), QStringLiteral("Two"), QStringLiteral("{base}/pictures/")),
                         channel(QStringLiteral("c3"), QStringLiteral("Three")), externalLarge};
    const QJsonArray stations{channel(QStringLiteral("tv1"), QStringLiteral("TV One")),
                              channel(QStringLiteral("tv2"), QStringLiteral("TV Two"))};
    QJsonObject categories;
    categories.insert(QStringLiteral("nxtchannel"), QJsonObject{{QStringLiteral("bannerCount"), 3},
        {QStringLiteral("data"), group(QStringLiteral("nxtchannel"), QStringLiteral("Own"), own)}});
    categories.insert(QStringLiteral("tvstation"), QJsonObject{{QStringLiteral("bannerCount"), 0},
        {QStringLiteral("data"), group(QStringLiteral("tvstation"), QStringLiteral("TV"), stations)}});
    const QJsonArray offered{group(QStringLiteral("nxtchannel"), QStringLiteral("Own"), QJsonArray{own.at(0)}),
                             group(QStringLiteral("tvstation"), QStringLiteral("TV"), stations),
                             group(QString(), QStringLiteral("Other"),
                                   QJsonArray{channel(QStringLiteral("o1"), QStringLiteral("O1")),
                                              channel(QStringLiteral("o2"), QStringLiteral("O2"))})};
    const QJsonObject users{{QStringLiteral("teacher-1"),
                             QJsonArray{channel(QStringLiteral("u1"), QStringLiteral("U1"), QStringLiteral("{base}/pictures/")),
                                        channel(QStringLiteral("u2"), QStringLiteral("U2"))}}};
    return QJsonObject{{QStringLiteral("categories"), categories}, {QStringLiteral("offered"), offered},
                       {QStringLiteral("users"), users}};
}

QJsonArray childrenOf(const QJsonObject& reply)
{
    return reply.value(QStringLiteral("result")).toObject().value(QStringLiteral("data")).toObject()
        .value(QStringLiteral("children")).toArray();
}

// Every image url found in a list of channels, with its type, children included.
void collectImages(const QJsonArray& channels, QList<QPair<QString, QString>>& out)
{
    for (const QJsonValue& value : channels) {
        const QJsonObject ch = value.toObject();
        for (const QJsonValue& image : ch.value(QStringLiteral("images")).toArray())
            out.append(qMakePair(image.toObject().value(QStringLiteral("url")).toString(),
                                 image.toObject().value(QStringLiteral("type")).toString()));
        collectImages(ch.value(QStringLiteral("children")).toArray(), out);
    }
}
}

class TestNxCloudServer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void ownChannelCategoryHasEnvelopeBannerCountAndChannels();
    void tvStationCategoryListsStations();
    void unknownCategoryGivesNoChannel();
    void pictureUrlsAreAbsoluteAndFetchable();
    void pictureUrlsFollowTheHostTheClientUsed();
    void userChannelsByUserId();
    void userWithoutChannelsGetsEmptyArray();
    void userChannelsLiveInServerState();
    void offeredListHasGroupsWithEmptyCategory();
    void badRequestsAreRejected();
    void missingPictureIs404();

    void statusFaults_data();
    void statusFaults();
    void redirectCarriesLocation();
    void delayHoldsTheAnswer();
    void truncatedBodyEndsEarly();
    void malformedBodyIsNotJson();
    void malformedPictureDoesNotDecode();
    void oversizedBodyIsStreamedInFull();
    void oversizedBodyCanBeAbandoned();
    void streamedBodies_data();
    void streamedBodies();
    void wrongTypeKeepsEnvelope();
    void timesLimitsTheFault();
    void faultOnlyHitsItsPath();
    void requestsAreRecorded();

    void stopDoesNotWaitForLongDelay();
    void restartsAndRefusesBusyPort();
    void loadSeedReadsFileOrReportsError();
    void demoSeedIsComplete();
    void serviceProgramServesDemoCatalogue();
    void serviceProgramServesGeneratedCatalogue();

private:
    QString url(const QString& path) const;
    NxHttpProbe::Result ask(const QString& path, const QJsonObject& body = QJsonObject());
    NxHttpProbe::Result askChannelInfo(const QString& category);
    void writeTestPictures();

    QTemporaryDir m_pictures;
    std::unique_ptr<NxCloudServer> m_server;
    std::unique_ptr<NxHttpProbe> m_probe;
};

void TestNxCloudServer::initTestCase()
{
    QVERIFY(m_pictures.isValid());
    writeTestPictures();
    m_server = std::make_unique<NxCloudServer>(testSeed());
    m_server->setPictureDir(m_pictures.path());
    QVERIFY(m_server->start());
    QVERIFY(m_server->port() > 0);
    QCOMPARE(m_server->baseUrl(), QStringLiteral("http://127.0.0.1:%1").arg(m_server->port()));
    m_probe = std::make_unique<NxHttpProbe>();
}

void TestNxCloudServer::init()
{
    m_server->clearFaults();
    m_server->clearRequests();
}

void TestNxCloudServer::cleanupTestCase()
{
    // Closing the client's connections first lets the server stop at once.
    m_probe.reset();
    m_server.reset();
}

QString TestNxCloudServer::url(const QString& path) const
{
    return m_server->baseUrl() + path;
}

NxHttpProbe::Result TestNxCloudServer::ask(const QString& path, const QJsonObject& body)
{
    if (path.startsWith(QLatin1String("/pictures/")))
        return m_probe->get(url(path));
    return m_probe->postJson(url(path), body);
}

NxHttpProbe::Result TestNxCloudServer::askChannelInfo(const QString& category)
{
    return ask(kChannelInfo, QJsonObject{{QStringLiteral("channelId"), category}});
}

void TestNxCloudServer::writeTestPictures()
{
    const QStringList ids = {"c1", "c2", "c3", "c4", "tv1", "tv2", "o1", "o2", "u1", "u2"};
    for (const QString& id : ids) {
        for (const QString& type : kImageTypes) {
            QImage image(testPictureSize(type), QImage::Format_RGB32);
            image.fill(QColor(73, 83, 219));
            QVERIFY(image.save(QDir(m_pictures.path()).filePath(id + QLatin1Char('_') + type + QStringLiteral(".png"))));
        }
    }
}

void TestNxCloudServer::ownChannelCategoryHasEnvelopeBannerCountAndChannels()
{
    const NxHttpProbe::Result r = askChannelInfo(QStringLiteral("nxtchannel"));
    QCOMPARE(r.status, 200);
    QVERIFY(r.header("Content-Type").startsWith("application/json"));
    bool ok = false;
    const QJsonObject reply = r.json(&ok);
    QVERIFY(ok);
    QCOMPARE(reply.value(QStringLiteral("type")).toString(), QStringLiteral("getNxtChannelInfo_ACK"));
    QVERIFY(reply.value(QStringLiteral("msg")).isString());
    const QJsonObject result = reply.value(QStringLiteral("result")).toObject();
    QCOMPARE(result.value(QStringLiteral("bannerCount")).toInt(-1), 3);
    const QJsonObject data = result.value(QStringLiteral("data")).toObject();
    QCOMPARE(data.value(QStringLiteral("channelId")).toString(), QStringLiteral("nxtchannel"));
    QCOMPARE(data.value(QStringLiteral("isHasChild")).toString(), QStringLiteral("1"));
    const QJsonArray children = childrenOf(reply);
    QCOMPARE(children.size(), 4);
    QCOMPARE(children.at(0).toObject().value(QStringLiteral("channelName")).toString(), QStringLiteral("数学乐园"));
    QCOMPARE(children.at(3).toObject().value(QStringLiteral("channelId")).toString(), QStringLiteral("c4"));
    const QJsonObject first = children.at(0).toObject();
    QCOMPARE(first.value(QStringLiteral("address")).toString(), QStringLiteral("https://example.org/c1"));
    QCOMPARE(first.value(QStringLiteral("playMode")).toString(), QStringLiteral("0"));
    QVERIFY2(!first.contains(QStringLiteral("art")), "server-only keys must not reach clients");
    const QJsonArray images = first.value(QStringLiteral("images")).toArray();
    QCOMPARE(images.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(images.at(i).toObject().value(QStringLiteral("type")).toString(), kImageTypes.at(i));
        QVERIFY(images.at(i).toObject().value(QStringLiteral("order")).isDouble());
        QVERIFY(images.at(i).toObject().value(QStringLiteral("id")).isDouble());
    }
}

void TestNxCloudServer::tvStationCategoryListsStations()
{
    const QJsonObject reply = askChannelInfo(QStringLiteral("tvstation")).json();
    QCOMPARE(reply.value(QStringLiteral("type")).toString(), QStringLiteral("getNxtChannelInfo_ACK"));
    QCOMPARE(reply.value(QStringLiteral("result")).toObject().value(QStringLiteral("bannerCount")).toInt(-1), 0);
    const QJsonArray children = childrenOf(reply);
    QCOMPARE(children.size(), 2);
    QCOMPARE(children.at(1).toObject().value(QStringLiteral("channelName")).toString(), QStringLiteral("TV Two"));
}

void TestNxCloudServer::unknownCategoryGivesNoChannel()
{
    const NxHttpProbe::Result r = askChannelInfo(QStringLiteral("no-such-category"));
    QCOMPARE(r.status, 200);
    const QJsonObject reply = r.json();
    QCOMPARE(reply.value(QStringLiteral("type")).toString(), QStringLiteral("getNxtChannelInfo_ACK"));
    const QJsonObject data = reply.value(QStringLiteral("result")).toObject().value(QStringLiteral("data")).toObject();
    QVERIFY(!data.contains(QStringLiteral("channelName")));
}

void TestNxCloudServer::pictureUrlsAreAbsoluteAndFetchable()
{
    QList<QPair<QString, QString>> images;
    collectImages(childrenOf(askChannelInfo(QStringLiteral("nxtchannel")).json()), images);
    QCOMPARE(images.size(), 12);
    const QString prefix = m_server->baseUrl() + QStringLiteral("/pictures/");
    int fetched = 0;
    for (const auto& image : images) {
        if (image.first == QLatin1String("https://cdn.example.org/c4.png"))
            continue; // an absolute reference is passed on unchanged
        QVERIFY2(image.first.startsWith(prefix), qPrintable(image.first));
        const NxHttpProbe::Result r = m_probe->get(image.first);
        QCOMPARE(r.status, 200);
        QCOMPARE(r.header("Content-Type"), QByteArray("image/png"));
        const QImage decoded = QImage::fromData(r.body, "PNG");
        QVERIFY(!decoded.isNull());
        QCOMPARE(decoded.size(), testPictureSize(image.second));
        ++fetched;
    }
    QCOMPARE(fetched, 11);
    QVERIFY(images.contains(qMakePair(prefix + QStringLiteral("c2_small.png"), QStringLiteral("small"))));
    QVERIFY(images.contains(qMakePair(QStringLiteral("https://cdn.example.org/c4.png"), QStringLiteral("large"))));
}

void TestNxCloudServer::pictureUrlsFollowTheHostTheClientUsed()
{
    const NxHttpProbe::Headers host{qMakePair(QByteArray("Host"), QByteArray("panel-cloud.local:8123"))};
    const NxHttpProbe::Result r = m_probe->postJson(url(kChannelInfo),
        QJsonObject{{QStringLiteral("channelId"), QStringLiteral("nxtchannel")}}, host);
    QList<QPair<QString, QString>> images;
    collectImages(childrenOf(r.json()), images);
    QVERIFY(!images.isEmpty());
    QCOMPARE(images.first().first, QStringLiteral("http://panel-cloud.local:8123/pictures/c1_small.png"));
}

void TestNxCloudServer::userChannelsByUserId()
{
    const NxHttpProbe::Result r = ask(kUserChannels, QJsonObject{{QStringLiteral("channelId"), QStringLiteral("myresources")},
                                                                {QStringLiteral("userId"), QStringLiteral("teacher-1")}});
    QCOMPARE(r.status, 200);
    const QJsonObject reply = r.json();
    QCOMPARE(reply.value(QStringLiteral("type")).toString(), QStringLiteral("getChannelListByUserId_ACK"));
    const QJsonArray result = reply.value(QStringLiteral("result")).toArray();
    QCOMPARE(result.size(), 2);
    QCOMPARE(result.at(0).toObject().value(QStringLiteral("channelId")).toString(), QStringLiteral("u1"));
    const QString firstUrl = result.at(0).toObject().value(QStringLiteral("images")).toArray().at(0).toObject()
        .value(QStringLiteral("url")).toString();
    QCOMPARE(firstUrl, url(QStringLiteral("/pictures/u1_small.png")));
}

void TestNxCloudServer::userWithoutChannelsGetsEmptyArray()
{
    const QJsonObject unknown = ask(kUserChannels, QJsonObject{{QStringLiteral("channelId"), QStringLiteral("myresources")},
                                                              {QStringLiteral("userId"), QStringLiteral("nobody")}}).json();
    QCOMPARE(unknown.value(QStringLiteral("type")).toString(), QStringLiteral("getChannelListByUserId_ACK"));
    QVERIFY(unknown.value(QStringLiteral("result")).isArray());
    QCOMPARE(unknown.value(QStringLiteral("result")).toArray().size(), 0);
    // The client leaves "userId" out when it has none.
    const QJsonObject anonymous = ask(kUserChannels, QJsonObject{{QStringLiteral("channelId"), QStringLiteral("myresources")}}).json();
    QVERIFY(anonymous.value(QStringLiteral("result")).isArray());
    QCOMPARE(anonymous.value(QStringLiteral("result")).toArray().size(), 0);
}

void TestNxCloudServer::userChannelsLiveInServerState()
{
    m_server->catalogue().setUserChannels(QStringLiteral("teacher-2"), QJsonArray{channel(QStringLiteral("x9"), QStringLiteral("X9"))});
    const QJsonArray result = ask(kUserChannels, QJsonObject{{QStringLiteral("userId"), QStringLiteral("teacher-2")}})
        .json().value(QStringLiteral("result")).toArray();
    QCOMPARE(result.size(), 1);
    QCOMPARE(result.at(0).toObject().value(QStringLiteral("channelName")).toString(), QStringLiteral("X9"));
    QVERIFY(m_server->catalogue().userIds().contains(QStringLiteral("teacher-2")));
}

void TestNxCloudServer::offeredListHasGroupsWithEmptyCategory()
{
    const NxHttpProbe::Result r = ask(kToAdd);
    QCOMPARE(r.status, 200);
    const QJsonObject reply = r.json();
    QCOMPARE(reply.value(QStringLiteral("type")).toString(), QStringLiteral("getChannelListToAdd_ACK"));
    const QJsonArray groups = reply.value(QStringLiteral("result")).toArray();
    QCOMPARE(groups.size(), 3);
    QCOMPARE(groups.at(0).toObject().value(QStringLiteral("channelId")).toString(), QStringLiteral("nxtchannel"));
    QCOMPARE(groups.at(1).toObject().value(QStringLiteral("channelId")).toString(), QStringLiteral("tvstation"));
    const QJsonObject other = groups.at(2).toObject();
    QVERIFY(other.contains(QStringLiteral("channelId")));
    QCOMPARE(other.value(QStringLiteral("channelId")).toString(), QString());
    QCOMPARE(other.value(QStringLiteral("children")).toArray().size(), 2);
    QList<QPair<QString, QString>> images;
    collectImages(groups, images);
    QVERIFY(!images.isEmpty());
    for (const auto& image : images)
        QVERIFY2(image.first.startsWith(url(QStringLiteral("/pictures/"))), qPrintable(image.first));
}

void TestNxCloudServer::badRequestsAreRejected()
{
    QNetworkRequest request{QUrl(url(kChannelInfo))};
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray("application/json"));
    QNetworkAccessManager manager;
    const NxHttpProbe::Result notJson = NxHttpProbe::await(manager.post(request, QByteArray("{not json")), 5000);
    QCOMPARE(notJson.status, 400);
    QCOMPARE(notJson.json().value(QStringLiteral("type")).toString(), QStringLiteral("error"));
    QCOMPARE(m_probe->get(url(kChannelInfo)).status, 405);
    QCOMPARE(m_probe->get(url(QStringLiteral("/channel/noSuchThing"))).status, 404);
}

void TestNxCloudServer::missingPictureIs404()
{
    QCOMPARE(m_probe->get(url(QStringLiteral("/pictures/absent.png"))).status, 404);
    QCOMPARE(m_probe->get(url(QStringLiteral("/pictures/..%2Fsecret.png"))).status, 404);
}

void TestNxCloudServer::statusFaults_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("status");
    QTest::newRow("catalogue 500") << kChannelInfo << 500;
    QTest::newRow("offered 404") << kToAdd << 404;
    QTest::newRow("user list 503") << kUserChannels << 503;
    QTest::newRow("picture 500") << kPicture << 500;
    QTest::newRow("picture 404") << kPicture << 404;
}

void TestNxCloudServer::statusFaults()
{
    QFETCH(QString, path);
    QFETCH(int, status);
    NxCloudServer::Fault fault;
    fault.status = status;
    m_server->setFault(path, fault);
    const NxHttpProbe::Result r = ask(path, QJsonObject{{QStringLiteral("channelId"), QStringLiteral("nxtchannel")}});
    QCOMPARE(r.status, status);
    QVERIFY(r.error != QNetworkReply::NoError);
    QVERIFY(!r.body.contains("_ACK"));
    QVERIFY(QImage::fromData(r.body).isNull());
    QCOMPARE(m_server->requestCount(path), 1);
}

void TestNxCloudServer::redirectCarriesLocation()
{
    NxCloudServer::Fault fault;
    fault.status = 302;
    fault.location = QStringLiteral("http://127.0.0.1:9/moved");
    m_server->setFault(kChannelInfo, fault);
    const NxHttpProbe::Result r = askChannelInfo(QStringLiteral("nxtchannel"));
    QCOMPARE(r.status, 302);
    QCOMPARE(r.header("Location"), QByteArray("http://127.0.0.1:9/moved"));
    QCOMPARE(r.redirectTarget, QUrl(QStringLiteral("http://127.0.0.1:9/moved")));
    QVERIFY(!r.body.contains("getNxtChannelInfo_ACK"));
    QCOMPARE(m_server->requestCount(kChannelInfo), 1); // not followed
}

void TestNxCloudServer::delayHoldsTheAnswer()
{
    NxCloudServer::Fault fault;
    fault.delayMs = 400;
    fault.times = 1;
    m_server->setFault(kToAdd, fault);
    const NxHttpProbe::Result slow = ask(kToAdd);
    QVERIFY2(slow.elapsedMs >= 390, qPrintable(QString::number(slow.elapsedMs)));
    QCOMPARE(slow.status, 200);
    QCOMPARE(slow.json().value(QStringLiteral("type")).toString(), QStringLiteral("getChannelListToAdd_ACK"));
    const NxHttpProbe::Result fast = ask(kToAdd);
    QCOMPARE(fast.status, 200);
    QVERIFY2(fast.elapsedMs < 390, qPrintable(QString::number(fast.elapsedMs)));
}

void TestNxCloudServer::truncatedBodyEndsEarly()
{
    const int fullSize = askChannelInfo(QStringLiteral("nxtchannel")).body.size();
    NxCloudServer::Fault fault;
    fault.body = NxCloudServer::Fault::Truncated;
    m_server->setFault(kChannelInfo, fault);
    const NxHttpProbe::Result r = askChannelInfo(QStringLiteral("nxtchannel"));
    QVERIFY(r.finished);
    QVERIFY(r.error != QNetworkReply::NoError);
    QCOMPARE(r.header("Content-Length").toInt(), fullSize);
    QVERIFY(r.body.size() < fullSize);

    m_server->setFault(kPicture, fault);
    const NxHttpProbe::Result picture = m_probe->get(url(kPicture));
    QVERIFY(picture.error != QNetworkReply::NoError);
    QVERIFY(QImage::fromData(picture.body, "PNG").isNull());
}

void TestNxCloudServer::malformedBodyIsNotJson()
{
    NxCloudServer::Fault fault;
    fault.body = NxCloudServer::Fault::Malformed;
    m_server->setFault(kChannelInfo, fault);
    const NxHttpProbe::Result r = askChannelInfo(QStringLiteral("nxtchannel"));
    QCOMPARE(r.status, 200);
    QCOMPARE(r.error, QNetworkReply::NoError);
    QVERIFY(!r.body.isEmpty());
    bool ok = true;
    r.json(&ok);
    QVERIFY(!ok);
}

void TestNxCloudServer::malformedPictureDoesNotDecode()
{
    NxCloudServer::Fault fault;
    fault.body = NxCloudServer::Fault::Malformed;
    m_server->setFault(kPicture, fault);
    const NxHttpProbe::Result r = m_probe->get(url(kPicture));
    QCOMPARE(r.status, 200);
    QVERIFY(!r.body.isEmpty());
    QVERIFY(QImage::fromData(r.body, "PNG").isNull());
}

void TestNxCloudServer::oversizedBodyIsStreamedInFull()
{
    const qint64 size = 3 * 1024 * 1024;
    NxCloudServer::Fault fault;
    fault.body = NxCloudServer::Fault::Oversized;
    fault.oversizeBytes = size;
    m_server->setFault(kToAdd, fault);
    const NxHttpProbe::Result r = ask(kToAdd);
    QCOMPARE(r.status, 200);
    QCOMPARE(r.error, QNetworkReply::NoError);
    QCOMPARE(qint64(r.body.size()), size);
    QCOMPARE(r.header("Transfer-Encoding").toLower(), QByteArray("chunked"));
    // The real answer comes first, padded with blanks.
    QCOMPARE(r.json().value(QStringLiteral("type")).toString(), QStringLiteral("getChannelListToAdd_ACK"));
}

void TestNxCloudServer::oversizedBodyCanBeAbandoned()
{
    NxCloudServer::Fault fault;
    fault.body = NxCloudServer::Fault::Oversized; // the default 40 MiB
    m_server->setFault(kToAdd, fault);
    // A plain socket reads at its own pace, so the client really leaves mid-stream.
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, m_server->port());
    QVERIFY(socket.waitForConnected(5000));
    socket.write("POST " + kToAdd.toLatin1() + " HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                 "Content-Type: application/json\r\nContent-Length: 2\r\n\r\n{}");
    const int enough = 1024 * 1024;
    QByteArray received;
    while (received.size() <= enough && socket.waitForReadyRead(5000))
        received += socket.readAll();
    socket.abort();
    QVERIFY(received.startsWith("HTTP/1.1 200"));
    QVERIFY(received.contains("Transfer-Encoding: chunked"));
    QVERIFY(received.size() > enough);
    QVERIFY(received.size() < fault.oversizeBytes);
    m_server->clearFaults();
    QCOMPARE(ask(kToAdd).status, 200); // the server is not tied up by the abandoned stream
}

void TestNxCloudServer::streamedBodies_data()
{
    QTest::addColumn<int>("body");
    QTest::addColumn<int>("pieceDelayMs");
    QTest::addColumn<QByteArray>("framing");
    QTest::addColumn<int>("minMs");
    const int unframed = NxCloudServer::Fault::Unframed;
    QTest::newRow("slow chunks") << int(NxCloudServer::Fault::Oversized) << 20 << QByteArray("chunked") << 20 * 16;
    QTest::newRow("close-delimited") << unframed << 0 << QByteArray("close") << 0;
    QTest::newRow("trickle") << int(NxCloudServer::Fault::Trickle) << 2 << QByteArray("length") << 0;
}

void TestNxCloudServer::streamedBodies()
{
    QFETCH(int, body);
    QFETCH(int, pieceDelayMs);
    QFETCH(QByteArray, framing);
    QFETCH(int, minMs);
    const QByteArray answer = ask(kPicture).body;
    NxCloudServer::Fault fault;
    fault.body = NxCloudServer::Fault::Body(body);
    fault.oversizeBytes = 1024 * 1024;
    fault.pieceDelayMs = pieceDelayMs;
    fault.sentBytes = std::make_shared<std::atomic<qint64>>(0);
    m_server->setFault(kPicture, fault);
    const NxHttpProbe::Result r = ask(kPicture);
    QCOMPARE(r.error, QNetworkReply::NoError);
    QVERIFY(!answer.isEmpty());
    QCOMPARE(r.header("Transfer-Encoding").toLower() == "chunked", framing == "chunked");
    QCOMPARE(r.header("Content-Length").isEmpty(), framing != "length");
    QCOMPARE(r.header("Connection").toLower() == "close", framing == "close");
    const qint64 size = framing == "length" ? answer.size() : fault.oversizeBytes;
    QCOMPARE(qint64(r.body.size()), size);
    // A request the client retries on a kept-alive connection the server had
    // just closed has its start sent twice.
    QVERIFY2(fault.sentBytes->load() >= size && fault.sentBytes->load() <= size + answer.size(),
             qPrintable(QString::number(fault.sentBytes->load())));
    QVERIFY(r.body.startsWith(answer));
    // A trickle takes one pause per byte.
    QVERIFY(r.elapsedMs >= (framing == "length" ? pieceDelayMs * answer.size() : minMs));
}

void TestNxCloudServer::wrongTypeKeepsEnvelope()
{
    NxCloudServer::Fault fault;
    fault.body = NxCloudServer::Fault::WrongType;
    m_server->setFault(kChannelInfo, fault);
    const QJsonObject reply = askChannelInfo(QStringLiteral("nxtchannel")).json();
    QCOMPARE(reply.value(QStringLiteral("type")).toString(), QStringLiteral("unexpected_ACK"));
    QVERIFY(reply.value(QStringLiteral("msg")).isString());
    QCOMPARE(childrenOf(reply).size(), 4);

    fault.wrongType = QStringLiteral("getChannelListToAdd_ACK");
    m_server->setFault(kChannelInfo, fault);
    QCOMPARE(askChannelInfo(QStringLiteral("nxtchannel")).json().value(QStringLiteral("type")).toString(),
             QStringLiteral("getChannelListToAdd_ACK"));
}

void TestNxCloudServer::timesLimitsTheFault()
{
    NxCloudServer::Fault fault;
    fault.status = 500;
    fault.times = 2;
    m_server->setFault(kToAdd, fault);
    QCOMPARE(ask(kToAdd).status, 500);
    QCOMPARE(ask(kToAdd).status, 500);
    QCOMPARE(ask(kToAdd).status, 200);

    fault.times = -1;
    m_server->setFault(kToAdd, fault);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(ask(kToAdd).status, 500);
    m_server->clearFaults();
    QCOMPARE(ask(kToAdd).status, 200);
}

void TestNxCloudServer::faultOnlyHitsItsPath()
{
    NxCloudServer::Fault fault;
    fault.status = 500;
    m_server->setFault(kChannelInfo, fault);
    QCOMPARE(ask(kToAdd).status, 200);
    QCOMPARE(m_probe->get(url(kPicture)).status, 200);
    QCOMPARE(askChannelInfo(QStringLiteral("nxtchannel")).status, 500);
}

void TestNxCloudServer::requestsAreRecorded()
{
    const QJsonObject body{{QStringLiteral("channelId"), QStringLiteral("myresources")},
                           {QStringLiteral("userId"), QStringLiteral("teacher-1")}};
    ask(kUserChannels, body);
    m_probe->get(url(kPicture + QStringLiteral("?v=2")));
    ask(kToAdd);

    const QList<NxCloudServer::Request> requests = m_server->requests();
    QCOMPARE(requests.size(), 3);
    QCOMPARE(requests.at(0).method, QStringLiteral("POST"));
    QCOMPARE(requests.at(0).path, kUserChannels);
    QCOMPARE(QJsonDocument::fromJson(requests.at(0).body).object(), body);
    QCOMPARE(requests.at(0).header(QStringLiteral("content-type")), QStringLiteral("application/json"));
    QCOMPARE(requests.at(1).method, QStringLiteral("GET"));
    QCOMPARE(requests.at(1).path, kPicture);
    QCOMPARE(requests.at(1).query, QStringLiteral("v=2"));
    QCOMPARE(requests.at(2).path, kToAdd);
    QCOMPARE(m_server->requestCount(kToAdd), 1);
    QCOMPARE(m_server->requestCount(QStringLiteral("/elsewhere")), 0);
    m_server->clearRequests();
    QVERIFY(m_server->requests().isEmpty());
}

void TestNxCloudServer::stopDoesNotWaitForLongDelay()
{
    NxCloudServer server(testSeed());
    QVERIFY(server.start());
    NxCloudServer::Fault fault;
    fault.delayMs = 20000;
    server.setFault(kToAdd, fault);
    NxHttpProbe probe;
    QNetworkReply* reply = probe.startPostJson(server.baseUrl() + kToAdd, QJsonObject());
    QTRY_COMPARE_WITH_TIMEOUT(server.requestCount(kToAdd), 1, 5000);
    QElapsedTimer timer;
    timer.start();
    server.stop();
    QVERIFY2(timer.elapsed() < 1500, qPrintable(QString::number(timer.elapsed())));
    QVERIFY(!server.isRunning());
    const NxHttpProbe::Result r = NxHttpProbe::await(reply, 5000);
    QVERIFY(r.finished);
    QVERIFY(r.status != 200);
}

void TestNxCloudServer::restartsAndRefusesBusyPort()
{
    NxCloudServer busy(testSeed());
    QVERIFY(!busy.start(QStringLiteral("127.0.0.1"), m_server->port()));
    QVERIFY(!busy.isRunning());

    NxCloudServer server(testSeed());
    QVERIFY(server.start());
    const quint16 first = server.port();
    server.stop();
    QCOMPARE(server.port(), quint16(0));
    QVERIFY(server.start(QStringLiteral("127.0.0.1"), first));
    QCOMPARE(server.port(), first);
    NxHttpProbe probe;
    QCOMPARE(probe.postJson(server.baseUrl() + kToAdd, QJsonObject()).status, 200);
}

void TestNxCloudServer::loadSeedReadsFileOrReportsError()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("seed.json"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QJsonDocument(testSeed()).toJson());
    file.close();
    QString error;
    QCOMPARE(NxCloudServer::loadSeed(path, &error), testSeed());
    QVERIFY(error.isEmpty());
    QVERIFY(NxCloudServer::loadSeed(dir.filePath(QStringLiteral("absent.json")), &error).isEmpty());
    QVERIFY(!error.isEmpty());
}

void TestNxCloudServer::demoSeedIsComplete()
{
    const QJsonObject seed = NxCloudServer::loadSeed(QStringLiteral(NX_CLOUD_DEMO_SEED));
    const QJsonObject categories = seed.value(QStringLiteral("categories")).toObject();
    const QJsonObject own = categories.value(QStringLiteral("nxtchannel")).toObject();
    QVERIFY(own.value(QStringLiteral("bannerCount")).toInt() > 0);
    const QJsonArray ownChannels = own.value(QStringLiteral("data")).toObject().value(QStringLiteral("children")).toArray();
    QVERIFY(ownChannels.size() >= 20);
    const QJsonArray stations = categories.value(QStringLiteral("tvstation")).toObject().value(QStringLiteral("data"))
        .toObject().value(QStringLiteral("children")).toArray();
    QVERIFY(stations.size() >= 12);
    bool otherGroup = false;
    QJsonArray offeredChannels;
    for (const QJsonValue& g : seed.value(QStringLiteral("offered")).toArray()) {
        otherGroup = otherGroup || g.toObject().value(QStringLiteral("channelId")).toString().isEmpty();
        for (const QJsonValue& c : g.toObject().value(QStringLiteral("children")).toArray())
            offeredChannels.append(c);
    }
    QVERIFY(otherGroup);
    const QJsonArray teacher = seed.value(QStringLiteral("users")).toObject().value(QStringLiteral("demo-teacher")).toArray();
    QVERIFY(!teacher.isEmpty());
    for (const QJsonArray& list : {ownChannels, stations, offeredChannels, teacher}) {
        for (const QJsonValue& c : list) {
            QStringList types;
            for (const QJsonValue& image : c.toObject().value(QStringLiteral("images")).toArray())
                types.append(image.toObject().value(QStringLiteral("type")).toString());
            types.sort();
            QCOMPARE(types, QStringList({"large", "middle", "small"}));
        }
    }
}

void TestNxCloudServer::serviceProgramServesDemoCatalogue()
{
    QProcess service;
    service.setProgram(QStringLiteral(NX_CLOUD_SERVICE));
    service.setArguments({QStringLiteral("--port"), QStringLiteral("0")});
    service.start();
    QVERIFY(service.waitForStarted(5000));
    QTRY_VERIFY_WITH_TIMEOUT(service.canReadLine(), 10000);
    const QString base = QString::fromUtf8(service.readLine()).trimmed();
    QVERIFY2(base.startsWith(QLatin1String("http://127.0.0.1:")), qPrintable(base));

    {
        // Closed before the service stops, so it need not wait for idle connections.
        NxHttpProbe probe;
        const QJsonObject reply = probe.postJson(base + kChannelInfo, QJsonObject{{QStringLiteral("channelId"), QStringLiteral("nxtchannel")}}).json();
        QCOMPARE(reply.value(QStringLiteral("type")).toString(), QStringLiteral("getNxtChannelInfo_ACK"));
        QList<QPair<QString, QString>> images;
        collectImages(childrenOf(reply), images);
        const QJsonArray groups = probe.postJson(base + kToAdd, QJsonObject()).json().value(QStringLiteral("result")).toArray();
        collectImages(groups, images);
        collectImages(probe.postJson(base + kUserChannels, QJsonObject{{QStringLiteral("userId"), QStringLiteral("demo-teacher")}})
                          .json().value(QStringLiteral("result")).toArray(), images);
        QVERIFY(images.size() >= 3 * (20 + 12));
        // Every picture the demo refers to was rendered at build time.
        const QMap<QString, QSize> sizes{{"small", QSize(240, 160)}, {"middle", QSize(480, 320)}, {"large", QSize(824, 824)}};
        for (const auto& image : images) {
            QVERIFY2(image.first.startsWith(base + QStringLiteral("/pictures/")), qPrintable(image.first));
            const NxHttpProbe::Result picture = probe.get(image.first);
            QCOMPARE(picture.status, 200);
            QCOMPARE(QImage::fromData(picture.body, "PNG").size(), sizes.value(image.second));
        }
    }

    service.terminate();
    QVERIFY(service.waitForFinished(5000));
    QCOMPARE(service.exitStatus(), QProcess::NormalExit);
    QCOMPARE(service.exitCode(), 0);
}

// A catalogue of any size for load tests: generated channels and stations,
// each with pictures of its own drawn on request, and every request logged.
void TestNxCloudServer::serviceProgramServesGeneratedCatalogue()
{
    QProcess refused;
    refused.start(QStringLiteral(NX_CLOUD_SERVICE), {QStringLiteral("--port"), QStringLiteral("0"),
                                                     QStringLiteral("--channels"), QStringLiteral("-5")});
    QVERIFY(refused.waitForFinished(10000));
    QCOMPARE(refused.exitCode(), 2);

    QProcess service;
    service.start(QStringLiteral(NX_CLOUD_SERVICE), {QStringLiteral("--port"), QStringLiteral("0"),
                                                     QStringLiteral("--channels"), QStringLiteral("3000"),
                                                     QStringLiteral("--stations"), QStringLiteral("200"),
                                                     QStringLiteral("--log-requests")});
    QVERIFY(service.waitForStarted(5000));
    QTRY_VERIFY_WITH_TIMEOUT(service.canReadLine(), 10000);
    const QString base = QString::fromUtf8(service.readLine()).trimmed();
    {
        NxHttpProbe probe;
        const auto children = [&](const char* category) {
            return childrenOf(probe.postJson(base + kChannelInfo, QJsonObject{{QStringLiteral("channelId"), QLatin1String(category)}}).json());
        };
        const QJsonArray channels = children("nxtchannel");
        const QJsonArray stations = children("tvstation");
        QCOMPARE(channels.size(), 3000);
        QCOMPARE(stations.size(), 200);
        // The list offered for adding holds the same.
        int offered = 0;
        for (const QJsonValue& group : probe.postJson(base + kToAdd, QJsonObject()).json().value(QStringLiteral("result")).toArray()) {
            if (group[QStringLiteral("channelId")].toString() == QLatin1String("tvstation"))
                offered = group[QStringLiteral("children")].toArray().size();
        }
        QCOMPARE(offered, 200);
        QList<QPair<QString, QString>> images;
        collectImages(QJsonArray{channels.first(), channels.last(), stations.last()}, images);
        QCOMPARE(images.size(), 6);
        QSet<QByteArray> distinct;
        for (const auto& image : images) {
            const NxHttpProbe::Result picture = probe.get(image.first);
            QCOMPARE(picture.status, 200);
            QCOMPARE(QImage::fromData(picture.body, "PNG").size(), image.second == "small" ? QSize(160, 120) : QSize(320, 320));
            distinct.insert(picture.body);
        }
        QCOMPARE(distinct.size(), images.size());
        QCOMPARE(probe.get(base + QStringLiteral("/generated/c1_huge.png")).status, 404);
    }
    QByteArray log;
    QTRY_VERIFY_WITH_TIMEOUT((log += service.readAllStandardOutput()).contains(" POST /channel/getNxtChannelInfo\n"), 5000);
    QVERIFY(log.contains(" GET /generated/c2999_large.png\n"));
    service.terminate();
    QVERIFY(service.waitForFinished(5000));
    QCOMPARE(service.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestNxCloudServer)
#include "tst_NxCloudServer.moc"

#include "NxChannelAnswerReader.h"
#include "NxChannelItemImage.h"
#include "NxChannelJson.h"
#include "NxTestCloud.h"

#include <QDirIterator>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QtTest>

// RapidJSON must read every channel answer as QJsonDocument does: the same
// tree for what both accept, and what RapidJSON refuses left to Qt.
class tst_NxChannelAnswerReader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sameTreeAsQJsonDocument_data();
    void sameTreeAsQJsonDocument();

private:
    void addCloudAnswers(const QString& seedName, const QJsonObject& seed);
    QByteArray post(const QString& path, const QJsonObject& body);

    QNetworkAccessManager m_network;
    QString m_baseUrl;
    QList<QPair<QString, QByteArray>> m_cloudAnswers;
};

namespace {

enum Route { EitherWay = -1, ToQt = 0, Fast = 1 };

QString dump(const QSharedPointer<NxChannelSet>& channel, int depth = 0)
{
    const QString indent(depth * 2, QLatin1Char(' '));
    if (!channel)
        return indent + "null\n";
    QString text = indent
        + QStringList{QString::number(channel->id()), channel->channelId(), channel->channelName(), channel->intro(),
                      channel->url(), QString::number(channel->hasChild()), QString::number(channel->playMode()),
                      channel->channelType(), QString::number(channel->bannerCount())}
              .join(QLatin1Char('|'))
        + "\n";
    for (const auto& image : channel->images()) {
        text += indent + "  image " + QString::number(image->id()) + '|' + image->type() + '|'
            + QString::number(image->order()) + '|' + image->url() + "\n";
    }
    for (const auto& child : channel->children())
        text += dump(child, depth + 1);
    return text;
}

QString dump(const NxCloudAnswers::Channels& answer)
{
    QString text = QString("kind %1\n").arg(answer.kind) + dump(answer.channel);
    for (const auto& channel : answer.list)
        text += dump(channel, 1);
    return text;
}

QByteArray catalogue(const QByteArray& data)
{
    return R"({"type":"getNxtChannelInfo_ACK","msg":"ok","result":{"bannerCount":1,"data":)" + data + "}}";
}

QByteArray channel(const QByteArray& fields)
{
    return catalogue(R"({"channelName":"c",)" + fields + "}");
}

// Channels nested `levels` deep, the innermost holding `arrays` nested arrays.
QByteArray nested(int levels, int arrays)
{
    const QByteArray open = R"({"channelName":"c","children":[)";
    return catalogue(open.repeated(levels) + R"({"channelName":"leaf","x":)" + QByteArray(arrays, '[')
                     + QByteArray(arrays, ']') + "}" + QByteArray("]}").repeated(levels));
}

} // namespace

void tst_NxChannelAnswerReader::initTestCase()
{
    addCloudAnswers("test", NxTestCloud::defaultSeed());
    addCloudAnswers("demo", NxCloudServer::loadSeed(NX_CLOUD_DEMO_SEED));
    QVERIFY(m_cloudAnswers.size() >= 8);
}

void tst_NxChannelAnswerReader::addCloudAnswers(const QString& seedName, const QJsonObject& seed)
{
    NxTestCloud cloud(seed);
    m_baseUrl = cloud.baseUrl();
    const QString prefix = seedName + " cloud ";
    for (const QString& category : QStringList{"nxtchannel", "tvstation", "cloudlive"})
        m_cloudAnswers.append({prefix + category, post("/channel/getNxtChannelInfo", {{"channelId", category}})});
    const QStringList users = seed.value("users").toObject().keys() << "nobody";
    for (const QString& user : users) {
        m_cloudAnswers.append({prefix + user, post("/channel/getChannelListByUserId",
                                                   {{"channelId", "myresources"}, {"userId", user}})});
    }
    m_cloudAnswers.append({prefix + "offered", post("/channel/getChannelListToAdd", {})});
}

QByteArray tst_NxChannelAnswerReader::post(const QString& path, const QJsonObject& body)
{
    QNetworkRequest request(QUrl(m_baseUrl + path));
    request.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");
    QNetworkReply* reply = m_network.post(request, QJsonDocument(body).toJson(QJsonDocument::Compact));
    QSignalSpy finished(reply, &QNetworkReply::finished);
    if (!reply->isFinished())
        finished.wait(10000);
    const QByteArray data = reply->readAll();
    reply->deleteLater();
    return data;
}

void tst_NxChannelAnswerReader::sameTreeAsQJsonDocument_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("route");

    for (const auto& answer : qAsConst(m_cloudAnswers)) {
        QVERIFY2(answer.second.contains("_ACK"), qPrintable(answer.first));
        QTest::newRow(qPrintable(answer.first)) << answer.second << int(Fast);
        // A transfer cut short anywhere is a failed exchange, never a tree.
        for (int part = 1; part <= 4; ++part) {
            QTest::addRow("%s cut %d/5", qPrintable(answer.first), part)
                << answer.second.left(answer.second.size() * part / 5) << int(EitherWay);
        }
    }
    QDirIterator corpus(NX_SOURCE_DIR "/fuzz/corpus", QDir::Files, QDirIterator::Subdirectories);
    while (corpus.hasNext()) {
        QFile file(corpus.next());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QTest::newRow(qPrintable("corpus " + corpus.fileInfo().dir().dirName() + "/" + corpus.fileName()))
            << file.readAll() << int(EitherWay);
    }

    const QList<std::tuple<const char*, QByteArray, Route>> cases = {
        {"escapes", channel(R"("introduction":"\"\\\/\b\f\n\r\t\u00e9\u4e2d\u0000end")"), Fast},
        {"escaped key", catalogue(R"({"channel\u004eame":"k"})"), Fast},
        {"surrogate pair", channel(R"("address":"\ud83d\ude00 and \uD83D\uDE00")"), Fast},
        {"raw emoji and CJK", channel("\"address\":\"\xf0\x9f\x98\x80 \xe4\xb8\xad\""), Fast},
        {"noncharacter", channel("\"address\":\"\xef\xbf\xbe\""), EitherWay},
        {"lone high surrogate", channel(R"("address":"\ud800x")"), ToQt},
        {"lone low surrogate", channel(R"("address":"\udc00")"), ToQt},
        {"reversed pair", channel(R"("address":"\ude00\ud83d")"), ToQt},
        {"escaped backslash before u", channel(R"("address":"\\ud800")"), Fast},
        {"unknown escape", channel(R"("address":"\q")"), ToQt},
        {"raw control character", channel("\"address\":\"a\x01\""), ToQt},
        {"invalid UTF-8", channel("\"address\":\"\xff\""), ToQt},
        {"overlong UTF-8", channel("\"address\":\"\xc0\xaf\""), ToQt},
        {"encoded surrogate", channel("\"address\":\"\xed\xa0\x80\""), ToQt},
        {"UTF-8 cut off at the end", "{\"a\":\"\xf0", ToQt},
        {"numbers as strings", channel(R"("id":"5","images":[{"id":"9","order":"4","type":"small"}])"), Fast},
        {"strings as numbers", channel(R"("isHasChild":1,"playMode":3,"channelId":7,"address":true)"), Fast},
        {"text numbers", channel(R"("isHasChild":"1","playMode":" 12","channelType":"live")"), Fast},
        {"integral fraction", channel(R"("id":5.0,"images":[{"id":1e2,"order":-2147483648}])"), Fast},
        {"fraction", channel(R"("id":5.5)"), Fast},
        {"beyond int", channel(R"("id":2147483648,"images":[{"id":-2147483649,"order":18446744073709551615}])"), Fast},
        {"beyond 64 bits", channel(R"("id":123456789012345678901234567890)"), EitherWay},
        {"rounds to integer", channel(R"("id":0.99999999999999999999)"), Fast},
        {"zero fraction", channel(R"("id":-0.0)"), ToQt},
        {"underflow", channel(R"("id":1e-400)"), ToQt},
        {"overflow", channel(R"("id":1e400)"), ToQt},
        {"trailing point", channel(R"("id":1.)"), ToQt},
        {"leading point", channel(R"("id":-.5)"), ToQt},
        {"nulls", channel(R"("id":null,"channelId":null,"images":null,"children":null)"), Fast},
        {"null name", catalogue(R"({"channelName":null})"), Fast},
        {"duplicates", channel(R"("channelName":"first","channelName":"last","images":[{"id":1}],"images":[{"id":2}])"), ToQt},
        // Qt keeps the first "address" here, the last of the others.
        {"duplicates in a large object", catalogue(R"({"id":1,"channelId":"c","channelName":"n","introduction":"i","address":"first","isHasChild":"0","playMode":"0","channelType":"web","images":[],"children":[],"arduction":"x","address":"second","isHasChild":"1","playMode":"2","channelType":"live","images":[1],"children":[2],"art":{}})"), ToQt},
        {"duplicates the reader ignores", channel(R"("x":1,"x":2,"images":[{"y":1,"y":2,"id":3}])"), Fast},
        {"wrong types", channel(R"("images":{"id":1},"children":"x")"), Fast},
        {"odd elements", channel(R"("images":[1,null,"s",[],{"type":"large"}],"children":[1,{"address":"x"},{"channelName":"b"}])"), Fast},
        {"deep channels", nested(500, 21), Fast},
        {"too deep", nested(500, 22), ToQt},
        {"catalogue without data", R"({"type":"getNxtChannelInfo_ACK","result":{"data":[],"bannerCount":"3"}})", Fast},
        {"catalogue result array", R"({"type":"getNxtChannelInfo_ACK","result":[{"channelName":"a"}]})", Fast},
        {"user list", R"({"type":"getChannelListByUserId_ACK","msg":"m","result":[{"channelName":"a"},{},5]})", Fast},
        {"user list object", R"({"type":"getChannelListByUserId_ACK","result":{"channelName":"a"}})", Fast},
        {"offered list", R"({"type":"getChannelListToAdd_ACK","result":[{"channelName":"a","children":[{"channelName":"b"}]},null]})", Fast},
        {"unknown type", R"({"type":"getSomethingElse_ACK","result":[]})", Fast},
        {"type as number", R"({"type":5})", Fast},
        {"top-level array", R"([{"type":"getChannelListToAdd_ACK"}])", Fast},
        {"top-level string", R"("getChannelListToAdd_ACK")", EitherWay},
        {"empty", "", ToQt},
        {"spaces only", " \n\t\r ", ToQt},
        {"surrounding spaces", " \n" + channel(R"("id":1)") + "\r\n\t ", Fast},
        {"byte order mark", "\xef\xbb\xbf" + channel(R"("id":1)"), ToQt},
        {"trailing garbage", channel(R"("id":1)") + " x", ToQt},
        {"two documents", channel(R"("id":1)") + "{}", ToQt},
        {"NUL after answer", channel(R"("id":1)") + QByteArray(1, '\0'), ToQt},
        {"NUL inside", channel(R"("id":1)").replace("\"id\"", QByteArray("\"i\0d\"", 5)), ToQt},
        {"comma before brace", channel(R"("id":1,)"), ToQt},
    };
    for (const auto& [name, data, route] : cases)
        QTest::newRow(name) << data << int(route);
}

void tst_NxChannelAnswerReader::sameTreeAsQJsonDocument()
{
    QFETCH(QByteArray, data);
    QFETCH(int, route);
    NxCloudAnswers::Channels fast;
    const bool tookFastPath = NxChannelAnswerReader::readFast(data, fast);
    if (route != EitherWay)
        QCOMPARE(tookFastPath, route == Fast);
    const QString reference = dump(NxChannelJson::answer(QJsonDocument::fromJson(data).object()));
    QCOMPARE(dump(tookFastPath ? fast : NxChannelAnswerReader::read(data)), reference);
}

QTEST_GUILESS_MAIN(tst_NxChannelAnswerReader)
#include "tst_NxChannelAnswerReader.moc"

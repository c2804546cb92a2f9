#include "NxCloudServer.h"
#include "NxHttpProbe.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>
#include <memory>

namespace {
const QString kLiveInfo = QStringLiteral("/backendService/liveService/getLiveInfoByCode");
const QString kDemoCode = QStringLiteral("123456");

NxHttpProbe::Headers range(const QByteArray& byteRange)
{
    return {qMakePair(QByteArray("Range"), "bytes=" + byteRange)};
}
}

class TestNxCloudLiveCode : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void demoCodeGivesClipUrl();
    void clipUrlFollowsTheHostTheClientUsed();
    void unknownCodeIsNotFound_data();
    void unknownCodeIsNotFound();
    void clipIsServedAsMp4();
    void rangesGivePartialContent_data();
    void rangesGivePartialContent();
    void rangeBeyondTheEndIs416();
    void headGivesTheSizeOnly();
    void ffprobeReadsTheClip();

private:
    NxHttpProbe::Result askCode(const QString& query, const NxHttpProbe::Headers& extra = {});
    QString clipUrl();

    QByteArray m_clip; // the file as encoded at build time
    std::unique_ptr<NxCloudServer> m_server;
    std::unique_ptr<NxHttpProbe> m_probe;
};

void TestNxCloudLiveCode::initTestCase()
{
    const QDir out(QStringLiteral(NX_CLOUD_OUT));
    QFile clip(out.filePath(QStringLiteral("media/demo-live.mp4")));
    QVERIFY2(clip.open(QIODevice::ReadOnly), qPrintable(clip.fileName()));
    m_clip = clip.readAll();
    QVERIFY(m_clip.size() > 10000);
    m_server = std::make_unique<NxCloudServer>(NxCloudServer::loadSeed(QStringLiteral(NX_CLOUD_DEMO_SEED)));
    m_server->setMediaDir(out.filePath(QStringLiteral("media")));
    QCOMPARE(m_server->mediaDir(), out.filePath(QStringLiteral("media")));
    QVERIFY(m_server->start());
    m_probe = std::make_unique<NxHttpProbe>();
}

void TestNxCloudLiveCode::cleanupTestCase()
{
    m_probe.reset();
    m_server.reset();
}

NxHttpProbe::Result TestNxCloudLiveCode::askCode(const QString& query, const NxHttpProbe::Headers& extra)
{
    return m_probe->get(m_server->baseUrl() + kLiveInfo + query, extra);
}

QString TestNxCloudLiveCode::clipUrl()
{
    return askCode(QStringLiteral("?streamCodeDevice=") + kDemoCode).json().value(QStringLiteral("result")).toObject()
        .value(QStringLiteral("livePlayRtmpUrl")).toString();
}

void TestNxCloudLiveCode::demoCodeGivesClipUrl()
{
    const NxHttpProbe::Result r = askCode(QStringLiteral("?streamCodeDevice=") + kDemoCode);
    QCOMPARE(r.status, 200);
    QVERIFY(r.header("Content-Type").startsWith("application/json"));
    const QJsonObject reply = r.json();
    QVERIFY(reply.value(QStringLiteral("code")).isDouble());
    QCOMPARE(reply.value(QStringLiteral("code")).toInt(-1), 0);
    QCOMPARE(reply.value(QStringLiteral("msg")).toString(), QStringLiteral("ok"));
    QCOMPARE(reply.value(QStringLiteral("result")).toObject().value(QStringLiteral("livePlayRtmpUrl")).toString(),
             m_server->baseUrl() + QStringLiteral("/media/demo-live.mp4"));
}

void TestNxCloudLiveCode::clipUrlFollowsTheHostTheClientUsed()
{
    const NxHttpProbe::Headers host{qMakePair(QByteArray("Host"), QByteArray("panel-cloud.local:8123"))};
    const QJsonObject reply = askCode(QStringLiteral("?streamCodeDevice=") + kDemoCode, host).json();
    QCOMPARE(reply.value(QStringLiteral("result")).toObject().value(QStringLiteral("livePlayRtmpUrl")).toString(),
             QStringLiteral("http://panel-cloud.local:8123/media/demo-live.mp4"));
}

void TestNxCloudLiveCode::unknownCodeIsNotFound_data()
{
    QTest::addColumn<QString>("query");
    QTest::newRow("unknown") << QStringLiteral("?streamCodeDevice=654321");
    QTest::newRow("empty") << QStringLiteral("?streamCodeDevice=");
    QTest::newRow("missing") << QString();
}

void TestNxCloudLiveCode::unknownCodeIsNotFound()
{
    QFETCH(QString, query);
    const NxHttpProbe::Result r = askCode(query);
    QCOMPARE(r.status, 200);
    const QJsonObject reply = r.json();
    QCOMPARE(reply.value(QStringLiteral("code")).toInt(0), 1001);
    QCOMPARE(reply.value(QStringLiteral("msg")).toString(), QStringLiteral("live code not found"));
    QVERIFY(reply.value(QStringLiteral("result")).isObject());
    QVERIFY(reply.value(QStringLiteral("result")).toObject().isEmpty());
}

void TestNxCloudLiveCode::clipIsServedAsMp4()
{
    const NxHttpProbe::Result r = m_probe->get(clipUrl());
    QCOMPARE(r.status, 200);
    QCOMPARE(r.header("Content-Type"), QByteArray("video/mp4"));
    QCOMPARE(r.header("Accept-Ranges"), QByteArray("bytes"));
    QCOMPARE(r.body.mid(4, 4), QByteArray("ftyp"));
    QCOMPARE(r.body.size(), m_clip.size());
    QVERIFY(r.body == m_clip);
}

void TestNxCloudLiveCode::rangesGivePartialContent_data()
{
    QTest::addColumn<QByteArray>("byteRange");
    QTest::addColumn<qint64>("from");
    QTest::addColumn<qint64>("length");
    const qint64 size = QFileInfo(QDir(QStringLiteral(NX_CLOUD_OUT)).filePath(QStringLiteral("media/demo-live.mp4"))).size();
    QTest::newRow("head") << QByteArray("0-99") << qint64(0) << qint64(100);
    QTest::newRow("middle") << QByteArray("5000-5999") << qint64(5000) << qint64(1000);
    QTest::newRow("open end") << QByteArray::number(size - 10) + '-' << size - 10 << qint64(10);
    QTest::newRow("suffix") << QByteArray("-16") << size - 16 << qint64(16);
}

void TestNxCloudLiveCode::rangesGivePartialContent()
{
    QFETCH(QByteArray, byteRange);
    QFETCH(qint64, from);
    QFETCH(qint64, length);
    const NxHttpProbe::Result r = m_probe->get(clipUrl(), range(byteRange));
    QCOMPARE(r.status, 206);
    QCOMPARE(r.header("Content-Type"), QByteArray("video/mp4"));
    const QByteArray expectedRange = "bytes " + QByteArray::number(from) + '-' + QByteArray::number(from + length - 1)
        + '/' + QByteArray::number(m_clip.size());
    QCOMPARE(r.header("Content-Range"), expectedRange);
    QCOMPARE(qint64(r.body.size()), length);
    QVERIFY(r.body == m_clip.mid(int(from), int(length)));
}

void TestNxCloudLiveCode::rangeBeyondTheEndIs416()
{
    const QByteArray beyond = QByteArray::number(m_clip.size() + 100) + '-';
    QCOMPARE(m_probe->get(clipUrl(), range(beyond)).status, 416);
    QCOMPARE(m_probe->get(clipUrl()).status, 200); // the server is still fine
    QCOMPARE(m_probe->get(m_server->baseUrl() + QStringLiteral("/media/absent.mp4")).status, 404);
}

void TestNxCloudLiveCode::headGivesTheSizeOnly()
{
    QNetworkAccessManager manager;
    const NxHttpProbe::Result r = NxHttpProbe::await(manager.head(QNetworkRequest(QUrl(clipUrl()))), 5000);
    QCOMPARE(r.status, 200);
    QCOMPARE(r.header("Content-Type"), QByteArray("video/mp4"));
    QCOMPARE(r.header("Content-Length").toInt(), m_clip.size());
    QCOMPARE(r.header("Accept-Ranges"), QByteArray("bytes"));
    QVERIFY(r.body.isEmpty());
}

void TestNxCloudLiveCode::ffprobeReadsTheClip()
{
    const QString ffprobe = QStandardPaths::findExecutable(QStringLiteral("ffprobe"));
    if (ffprobe.isEmpty())
        QSKIP("ffprobe is not installed");
    QProcess probe;
    probe.start(ffprobe, {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-show_entries"),
                          QStringLiteral("format=duration:stream=codec_name"), QStringLiteral("-of"),
                          QStringLiteral("default=noprint_wrappers=1"), clipUrl()});
    QVERIFY(probe.waitForFinished(10000));
    QCOMPARE(probe.exitCode(), 0);
    const QString out = QString::fromUtf8(probe.readAllStandardOutput());
    QVERIFY2(out.contains(QStringLiteral("codec_name=h264")), qPrintable(out));
    QVERIFY2(out.contains(QStringLiteral("codec_name=aac")), qPrintable(out));
    const QString duration = out.section(QStringLiteral("duration="), 1).section(QLatin1Char('\n'), 0, 0);
    QVERIFY2(qAbs(duration.toDouble() - 6.0) < 0.5, qPrintable(out));
}

QTEST_GUILESS_MAIN(TestNxCloudLiveCode)
#include "tst_NxCloudLiveCode.moc"

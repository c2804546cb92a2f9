#include "NxTestCloud.h"
#include "NxTestEnvironment.h"
#include "NxWebCmdCtrl.h"
#include "NxWebLocalCache.h"

#include <QDir>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QtTest>

// The picture cache: file naming, the index across restarts, and memory.
class tst_NxWebLocalCache : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void extensionFromPathOnly_data();
    void extensionFromPathOnly();
    void fileNamePattern();
    void sameSecondGetsNextCounter();
    void busySecondOverwritesNothing();
    void restartAnswersWithoutNetwork();
    void missingFileDroppedAtStart();
    void brokenIndexStartsEmpty();
    void localFilesAreNotCached();
    void memoryStaysWithinBudget();
    void bigIndexDecodesOnlyUpToBudget();
    void unreadableFileDroppedWhileDecodingAhead();
    void oversizedIndexIsRefused();
    void pictureBombsAreRefused_data();
    void pictureBombsAreRefused();

private:
    QString channelDir() const { return m_env->dataRoot() + "/channel/"; }
    QImage fetch(NxWebCmdCtrl& client, const QString& url);
    static QByteArray bomb(const QByteArray& format);
    void writeIndex(const QJsonArray& entries);

    NxTestEnvironment* m_env = nullptr;
};

void tst_NxWebLocalCache::init()
{
    m_env = new NxTestEnvironment;
    m_env->useChannelDir();
}

void tst_NxWebLocalCache::cleanup()
{
    delete m_env;
}

void tst_NxWebLocalCache::writeIndex(const QJsonArray& entries)
{
    QFile index(channelDir() + "NXT_ImgCache.jdx");
    QVERIFY(index.open(QIODevice::WriteOnly));
    index.write(QJsonDocument(entries).toJson());
}

QImage tst_NxWebLocalCache::fetch(NxWebCmdCtrl& client, const QString& url)
{
    QList<QImage> images;
    QObject receiver;
    connect(&client, &NxWebCmdCtrl::sigRecvChannelImage, &receiver, [&images](void*, QImage image) { images << image; });
    client.downloadImage(url, this);
    if (!QTest::qWaitFor([&images] { return !images.isEmpty(); }, 5000))
        return QImage();
    return images.first();
}

void tst_NxWebLocalCache::extensionFromPathOnly_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("extension");
    QTest::newRow("jpg") << "http://h/p/a.jpg" << ".jpg";
    QTest::newRow("query") << "http://h/p/a.jpg?v=2" << ".jpg";
    QTest::newRow("fragment") << "http://h/a.webp#x" << ".webp";
    QTest::newRow("dot in query only") << "http://h/pic?name=a.jpg" << ".png";
    QTest::newRow("no dot") << "http://h/picture" << ".png";
    QTest::newRow("dot in host only") << "http://cdn.example.com/picture" << ".png";
    QTest::newRow("hidden file") << "http://h/.png" << ".png";
    QTest::newRow("too long") << "http://h/a.verylong" << ".png";
    QTest::newRow("not alphanumeric") << "http://h/a.p:g" << ".png";
    QTest::newRow("local") << "file:///tmp/x/a.gif" << ".gif";
}

void tst_NxWebLocalCache::extensionFromPathOnly()
{
    QFETCH(QString, url);
    QFETCH(QString, extension);
    QCOMPARE(NxWebLocalCache::extensionFor(url), extension);
}

void tst_NxWebLocalCache::fileNamePattern()
{
    const QDateTime time(QDate(2026, 12, 7), QTime(9, 5, 3));
    QCOMPARE(NxWebLocalCache::fileNameFor("/c/", time, 0, ".jpg"), QString("/c/07_09_05_03_0.jpg"));
    QCOMPARE(NxWebLocalCache::fileNameFor("/c/", time, 12, ".png"), QString("/c/07_09_05_03_12.png"));
}

void tst_NxWebLocalCache::sameSecondGetsNextCounter()
{
    NxWebLocalCache cache;
    cache.slotStartImgCache(m_env->dataRoot() + "/channel");
    const QByteArray data = NxTestCloud::png(8, 8, Qt::red);
    for (int attempt = 0; attempt < 5; ++attempt) {
        const QDateTime before = QDateTime::currentDateTime();
        cache.addImageCache(QString("http://h/a%1.jpg").arg(attempt), data, QImage::fromData(data));
        cache.addImageCache(QString("http://h/b%1.jpg").arg(attempt), data, QImage::fromData(data));
        if (before.toString("ss") != QDateTime::currentDateTime().toString("ss"))
            continue; // straddled a second: try again
        const QString stem = channelDir() + before.toString("dd_hh_mm_ss");
        QVERIFY(QFile::exists(stem + "_0.jpg"));
        QVERIFY(QFile::exists(stem + "_1.jpg"));
        return;
    }
    QFAIL("could not add two pictures within one second");
}

// More than a hundred pictures in one second (a long page scrolled quickly):
// the hundred names of this second and the next are taken, and a new
// picture still lands in a file of its own.
void tst_NxWebLocalCache::busySecondOverwritesNothing()
{
    NxWebLocalCache cache;
    cache.slotStartImgCache(m_env->dataRoot() + "/channel");
    const QDateTime now = QDateTime::currentDateTime();
    QStringList taken;
    for (int second = 0; second < 3; ++second) {
        for (int counter = 0; counter < 100; ++counter) {
            taken << NxWebLocalCache::fileNameFor(channelDir(), now.addSecs(second), counter, ".png");
            QFile file(taken.last());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("taken");
        }
    }
    const QByteArray data = NxTestCloud::png(8, 8, Qt::red);
    cache.addImageCache("http://h/busy.png", data, QImage::fromData(data));
    for (const QString& path : qAsConst(taken)) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("taken"));
    }
    QFile indexFile(channelDir() + "NXT_ImgCache.jdx");
    QVERIFY(indexFile.open(QIODevice::ReadOnly));
    const QJsonArray index = QJsonDocument::fromJson(indexFile.readAll()).array();
    QCOMPARE(index.size(), 1);
    QFile stored(index.at(0)["file"].toString());
    QVERIFY(!taken.contains(stored.fileName()));
    QVERIFY(stored.open(QIODevice::ReadOnly));
    QCOMPARE(stored.readAll(), data);
}

void tst_NxWebLocalCache::restartAnswersWithoutNetwork()
{
    NxTestCloud cloud;
    const QString url = cloud.pictureUrl("maths_s.png");
    {
        NxWebCmdCtrl client;
        client.init();
        QVERIFY(!fetch(client, url).isNull());
    }
    const QJsonArray index = QJsonDocument::fromJson([this] {
        QFile file(channelDir() + "NXT_ImgCache.jdx");
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }()).array();
    QCOMPARE(index.size(), 1);
    QCOMPARE(index.first().toObject().value("url").toString(), url);
    QVERIFY(index.first().toObject().value("file").toString().startsWith(channelDir()));

    cloud.server().clearRequests();
    NxWebCmdCtrl restarted;
    restarted.init();
    const QImage image = fetch(restarted, url);
    QCOMPARE(image.size(), QSize(64, 48));
    QCOMPARE(cloud.server().requests().size(), 0);
}

void tst_NxWebLocalCache::missingFileDroppedAtStart()
{
    const QString kept = channelDir() + "kept.png";
    QFile file(kept);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(NxTestCloud::png(4, 4, Qt::blue));
    file.close();
    writeIndex({QJsonObject{{"url", "http://h/kept.png"}, {"file", kept}},
                QJsonObject{{"url", "http://h/gone.png"}, {"file", channelDir() + "gone.png"}}});

    NxWebLocalCache cache;
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("NxWebLocalCache::loadImages file not found!.*gone\\.png"));
    cache.slotStartImgCache(channelDir());
    QCOMPARE(cache.count(), 1);
    QImage image;
    QVERIFY(cache.find("http://h/kept.png", image));
    QCOMPARE(image.size(), QSize(4, 4));
    QVERIFY(!cache.find("http://h/gone.png", image));
}

void tst_NxWebLocalCache::brokenIndexStartsEmpty()
{
    QFile index(channelDir() + "NXT_ImgCache.jdx");
    QVERIFY(index.open(QIODevice::WriteOnly));
    index.write("[{\"url\": \"http://h/a.png\", \"fi");
    index.close();
    NxWebLocalCache cache;
    cache.slotStartImgCache(channelDir());
    QCOMPARE(cache.count(), 0);
    const QByteArray data = NxTestCloud::png(4, 4, Qt::green);
    cache.addImageCache("http://h/a.png", data, QImage::fromData(data));
    QVERIFY(index.open(QIODevice::ReadOnly));
    QCOMPARE(QJsonDocument::fromJson(index.readAll()).array().size(), 1);
}

void tst_NxWebLocalCache::localFilesAreNotCached()
{
    NxTestCloud cloud;
    const QString path = cloud.pictureDir() + "/art_m.png";
    NxWebCmdCtrl client;
    client.init();
    QCOMPARE(fetch(client, "file://" + path).size(), QSize(64, 48));
    QCOMPARE(cloud.server().requests().size(), 0);
    QVERIFY(!QFile::exists(channelDir() + "NXT_ImgCache.jdx"));
    QVERIFY(fetch(client, "file://" + path + ".missing").isNull());
}

void tst_NxWebLocalCache::memoryStaysWithinBudget()
{
    NxWebLocalCache cache;
    cache.slotStartImgCache(channelDir());
    const qint64 pictureBytes = 100 * 100 * 4;
    cache.setMemoryBudget(3 * pictureBytes);
    for (int i = 0; i < 10; ++i) {
        const QByteArray data = NxTestCloud::png(100, 100, QColor(i * 20, 0, 0));
        cache.addImageCache(QString("http://h/%1.png").arg(i), data, QImage::fromData(data).convertToFormat(QImage::Format_ARGB32));
        QVERIFY(cache.decodedBytes() <= 3 * pictureBytes);
    }
    for (int i = 0; i < 10; ++i) {
        QImage image;
        QVERIFY(cache.find(QString("http://h/%1.png").arg(i), image)); // decoded again from its file
        QCOMPARE(image.pixelColor(0, 0).red(), i * 20);
        QVERIFY(cache.decodedBytes() <= 3 * pictureBytes);
    }
}

void tst_NxWebLocalCache::bigIndexDecodesOnlyUpToBudget()
{
    QJsonArray entries;
    for (int i = 0; i < 20; ++i) {
        const QString path = channelDir() + QString("p%1.png").arg(i);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(NxTestCloud::png(50, 50, Qt::yellow));
        entries.append(QJsonObject{{"url", QString("http://h/p%1.png").arg(i)}, {"file", path}});
    }
    writeIndex(entries);
    NxWebLocalCache cache;
    cache.setMemoryBudget(5 * 50 * 50 * 4);
    cache.slotStartImgCache(channelDir());
    QCOMPARE(cache.count(), 20);
    QTRY_VERIFY(!cache.isDecodingAhead());
    QVERIFY(cache.decodedBytes() >= 5 * 50 * 50 * 4);
    QVERIFY(cache.decodedBytes() <= 5 * 50 * 50 * 4 + 50 * 50 * 4);
    QImage image;
    QVERIFY(cache.find("http://h/p19.png", image));
    QCOMPARE(image.size(), QSize(50, 50));
}

void tst_NxWebLocalCache::unreadableFileDroppedWhileDecodingAhead()
{
    const QString good = channelDir() + "good.png";
    const QString bad = channelDir() + "bad.png";
    QFile goodFile(good), badFile(bad);
    QVERIFY(goodFile.open(QIODevice::WriteOnly) && badFile.open(QIODevice::WriteOnly));
    goodFile.write(NxTestCloud::png(4, 4, Qt::blue));
    badFile.write("not a picture");
    goodFile.close();
    badFile.close();
    writeIndex({QJsonObject{{"url", "http://h/good.png"}, {"file", good}}, QJsonObject{{"url", "http://h/bad.png"}, {"file", bad}}});
    NxWebLocalCache cache;
    cache.slotStartImgCache(channelDir());
    QTRY_VERIFY(!cache.isDecodingAhead());
    QCOMPARE(cache.count(), 1);
    QImage image;
    QVERIFY(!cache.find("http://h/bad.png", image));
}

void tst_NxWebLocalCache::oversizedIndexIsRefused()
{
    const QString kept = channelDir() + "kept.png";
    QFile file(kept);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(NxTestCloud::png(4, 4, Qt::blue));
    file.close();
    QByteArray index = QJsonDocument(QJsonArray{QJsonObject{{"url", "http://h/kept.png"}, {"file", kept}}}).toJson();
    index.append(9 * 1024 * 1024, ' '); // still valid JSON
    QFile indexFile(channelDir() + "NXT_ImgCache.jdx");
    QVERIFY(indexFile.open(QIODevice::WriteOnly));
    indexFile.write(index);
    indexFile.close();

    NxWebLocalCache cache;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("NXT_ImgCache\\.jdx.*too large"));
    cache.slotStartImgCache(channelDir());
    QCOMPARE(cache.count(), 0);
    const QByteArray data = NxTestCloud::png(4, 4, Qt::green);
    cache.addImageCache("http://h/new.png", data, QImage::fromData(data));
    QVERIFY(indexFile.open(QIODevice::ReadOnly));
    QVERIFY(indexFile.size() < 4096); // rebuilt from what the cache holds
    QCOMPARE(QJsonDocument::fromJson(indexFile.readAll()).array().size(), 1);
}

QByteArray tst_NxWebLocalCache::bomb(const QByteArray& format)
{
    // A few kilobytes that declare 81 megapixels.
    if (format == "png") {
        QImage image(9000, 9000, QImage::Format_Mono);
        image.fill(0);
        QByteArray data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return data;
    }
    QImage small(16, 16, QImage::Format_Grayscale8);
    small.fill(128);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    small.save(&buffer, "JPEG");
    const int frame = data.indexOf("\xff\xc0");
    for (int offset : {frame + 5, frame + 7}) { // height, then width
        data[offset] = char(9000 >> 8);
        data[offset + 1] = char(9000 & 0xff);
    }
    return data;
}

void tst_NxWebLocalCache::pictureBombsAreRefused_data()
{
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QString>("source");
    QTest::newRow("png download") << QByteArray("png") << "download";
    QTest::newRow("jpeg download") << QByteArray("jpeg") << "download";
    QTest::newRow("png cached file") << QByteArray("png") << "cache";
    QTest::newRow("jpeg local file") << QByteArray("jpeg") << "local";
}

void tst_NxWebLocalCache::pictureBombsAreRefused()
{
    QFETCH(QByteArray, format);
    QFETCH(QString, source);
    const QByteArray data = bomb(format);
    QVERIFY(data.size() < 64 * 1024);
    QBuffer declared;
    declared.setData(data);
    QCOMPARE(QImageReader(&declared).size(), QSize(9000, 9000));
    NxTestCloud cloud;
    const QString name = "bomb." + format;
    QFile file((source == "download" ? cloud.pictureDir() + "/" : channelDir()) + name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
    file.close();
    if (source == "cache") {
        writeIndex({QJsonObject{{"url", "http://h/" + name}, {"file", file.fileName()}}});
        NxWebLocalCache cache;
        cache.slotStartImgCache(channelDir());
        QImage image;
        QVERIFY(!cache.find("http://h/" + name, image));
        return;
    }
    NxWebCmdCtrl client;
    client.init();
    QVERIFY(fetch(client, source == "download" ? cloud.pictureUrl(name) : "file://" + file.fileName()).isNull());
    QVERIFY(!QFile::exists(channelDir() + "NXT_ImgCache.jdx"));
}

QTEST_MAIN(tst_NxWebLocalCache)
#include "tst_NxWebLocalCache.moc"

#include "NxCloudAnswers.h"
#include "NxPictureReader.h"
#include "NxWebLocalCache.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Inputs the fuzz targets found faults with, kept as cases of the readers.
class tst_NxFuzzRegressions : public QObject
{
    Q_OBJECT

private slots:
    void channelAnswersReadWithinTheirBytes_data();
    void channelAnswersReadWithinTheirBytes();
    void pictureCacheNeverWaitsOnAPipe_data();
    void pictureCacheNeverWaitsOnAPipe();
    void picturesStayWithinThePixelLimit_data();
    void picturesStayWithinThePixelLimit();
};

void tst_NxFuzzRegressions::channelAnswersReadWithinTheirBytes_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("UTF-8 sequence cut off at the end") << QByteArray("{\"pyp\xf4", 6);
}

// A read past the answer shows under AddressSanitizer (the sanitizer build).
void tst_NxFuzzRegressions::channelAnswersReadWithinTheirBytes()
{
    QFETCH(QByteArray, answer);
    QCOMPARE(NxCloudAnswers::channels(answer).kind, NxCloudAnswers::Channels::Unknown);
}

void tst_NxFuzzRegressions::pictureCacheNeverWaitsOnAPipe_data()
{
    QTest::addColumn<bool>("inIndex"); // else asked for by its file address
    QTest::newRow("index entry") << true;
    QTest::newRow("file address") << false;
}

// Opening a pipe waits for a writer: the cache's thread, and with it every
// picture and the program's exit, would wait for ever.
void tst_NxFuzzRegressions::pictureCacheNeverWaitsOnAPipe()
{
    QFETCH(bool, inIndex);
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("pipe.png"));
    QVERIFY(mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
    const QString url = inIndex ? QStringLiteral("http://127.0.0.1/pictures/a.png") : QStringLiteral("file://") + pipe;
    QFile index(dir.filePath(QStringLiteral("NXT_ImgCache.jdx")));
    QVERIFY(index.open(QIODevice::WriteOnly));
    const QJsonArray entries{QJsonObject{{QStringLiteral("url"), url}, {QStringLiteral("file"), pipe}}};
    index.write(QJsonDocument(inIndex ? entries : QJsonArray()).toJson());
    index.close();

    NxWebLocalCache cache;
    bool found = true;
    QScopedPointer<QThread> reader(QThread::create([&] {
        cache.slotStartImgCache(dir.path());
        QImage image;
        found = cache.find(url, image);
    }));
    reader->start();
    const bool returned = reader->wait(5000);
    if (!returned) // a writer lets the waiting reader go, so the test ends
        ::close(::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK));
    reader->wait();
    QVERIFY(returned);
    QVERIFY(!found);
    QCOMPARE(cache.count(), 0);
}

void tst_NxFuzzRegressions::picturesStayWithinThePixelLimit_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("decoded");
    QTest::newRow("small GIF") << QStringLiteral("tiny.gif") << true;
    // A 14125 x 11361 logical screen around one small frame.
    QTest::newRow("GIF screen far beyond its frame") << QStringLiteral("gif-large-screen.gif") << false;
}

// Each refused picture would otherwise take hundreds of megabytes at once.
void tst_NxFuzzRegressions::picturesStayWithinThePixelLimit()
{
    QFETCH(QString, file);
    QFETCH(bool, decoded);
    QFile seed(QStringLiteral(NX_SOURCE_DIR "/fuzz/corpus/pictures/") + file);
    QVERIFY(seed.open(QIODevice::ReadOnly));
    const QByteArray bytes = seed.readAll();
    const QImage image = NxPictureReader::fromData(bytes, file);
    QCOMPARE(!image.isNull(), decoded);
    QVERIFY(qint64(image.width()) * image.height() <= NxPictureReader::kMaxPixels);
}

QTEST_GUILESS_MAIN(tst_NxFuzzRegressions)
#include "tst_NxFuzzRegressions.moc"

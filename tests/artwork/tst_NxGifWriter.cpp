#include "NxColorQuantizer.h"
#include "NxGifWriter.h"

#include <QBuffer>
#include <QImageReader>
#include <QRandomGenerator>
#include <QtTest>

// The animations are written by our own GIF encoder; Qt's reader must get
// back exactly what went in.
class tst_NxGifWriter : public QObject
{
    Q_OBJECT

private slots:
    void roundTripIsExact_data();
    void roundTripIsExact();
    void softEdgesMeetTheMatte();
    void loopsForEverWithItsDelay();
    void quantizerKeepsFewColoursAndApproximatesMany();

private:
    static QList<QImage> decode(const QByteArray& gif, QImageReader* reader = nullptr);
    static QImage noise(const QSize& size, int colours, quint32 seed);
    static QVector<QRgb> palette(int colours);
};

void tst_NxGifWriter::roundTripIsExact_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("colours");
    QTest::newRow("one colour") << QSize(16, 16) << 1;
    QTest::newRow("few colours") << QSize(40, 30) << 7;
    // Noise fills the code table many times over: every reset must be right.
    QTest::newRow("full table resets") << QSize(320, 240) << 200;
}

void tst_NxGifWriter::roundTripIsExact()
{
    QFETCH(QSize, size);
    QFETCH(int, colours);
    NxGifWriter writer(Qt::black, 50);
    QList<QImage> frames;
    for (quint32 seed = 1; seed <= 3; ++seed) {
        frames.append(noise(size, colours, seed));
        writer.addFrame(frames.last());
    }
    const QList<QImage> back = decode(writer.encode());
    QCOMPARE(back.size(), frames.size());
    for (int i = 0; i < frames.size(); ++i) {
        const QImage a = back.at(i).convertToFormat(QImage::Format_ARGB32);
        const QImage& b = frames.at(i);
        QCOMPARE(a.size(), b.size());
        for (int y = 0; y < b.height(); ++y)
            for (int x = 0; x < b.width(); ++x)
                QVERIFY2(a.pixel(x, y) == b.pixel(x, y) || (qAlpha(a.pixel(x, y)) == 0 && qAlpha(b.pixel(x, y)) == 0), qPrintable(QStringLiteral("frame %1 pixel %2,%3: %4 instead of %5")
                    .arg(i).arg(x).arg(y).arg(a.pixel(x, y), 8, 16).arg(b.pixel(x, y), 8, 16)));
    }
}

void tst_NxGifWriter::softEdgesMeetTheMatte()
{
    QImage frame(4, 1, QImage::Format_ARGB32);
    frame.setPixel(0, 0, qRgba(255, 255, 255, 255)); // opaque stays
    frame.setPixel(1, 0, qRgba(255, 255, 255, 160)); // mostly opaque: blended over the matte
    frame.setPixel(2, 0, qRgba(255, 255, 255, 100)); // mostly clear: dropped
    frame.setPixel(3, 0, qRgba(0, 0, 0, 0));
    NxGifWriter writer(QColor(0, 0, 100), 40);
    writer.addFrame(frame);
    const QImage back = decode(writer.encode()).value(0).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(back.pixel(0, 0), qRgba(255, 255, 255, 255));
    QCOMPARE(back.pixel(1, 0), qRgba(160, 160, 160 + (100 * 95) / 255, 255));
    QCOMPARE(qAlpha(back.pixel(2, 0)), 0);
    QCOMPARE(qAlpha(back.pixel(3, 0)), 0);
}

void tst_NxGifWriter::loopsForEverWithItsDelay()
{
    NxGifWriter writer(Qt::white, 40);
    writer.addFrame(noise(QSize(8, 8), 3, 1));
    writer.addFrame(noise(QSize(8, 8), 3, 2));
    QImageReader reader;
    QCOMPARE(decode(writer.encode(), &reader).size(), 2);
    QCOMPARE(reader.loopCount(), -1);
    QImageReader timing;
    QByteArray data = writer.encode();
    QBuffer buffer(&data);
    timing.setDevice(&buffer);
    QVERIFY(!timing.read().isNull());
    QCOMPARE(timing.nextImageDelay(), 40);
}

void tst_NxGifWriter::quantizerKeepsFewColoursAndApproximatesMany()
{
    const QVector<QRgb> few = {qRgb(1, 2, 3), qRgb(200, 10, 10), qRgb(1, 2, 3)};
    NxColorQuantizer exact(few, 255);
    QCOMPARE(exact.palette().size(), 2);
    QCOMPARE(exact.palette().at(exact.indexOf(qRgb(200, 10, 10))), qRgb(200, 10, 10));

    QVector<QRgb> ramp;
    for (int i = 0; i < 4096; ++i)
        ramp.append(qRgb(i % 256, (i / 16) % 256, 255 - i % 256));
    NxColorQuantizer reduced(ramp, 255);
    QCOMPARE(reduced.palette().size(), 255);
    int worst = 0;
    for (QRgb c : ramp) {
        const QRgb p = reduced.palette().at(reduced.indexOf(c));
        worst = qMax(worst, qAbs(qRed(c) - qRed(p)) + qAbs(qGreen(c) - qGreen(p)) + qAbs(qBlue(c) - qBlue(p)));
    }
    QVERIFY2(worst < 90, qPrintable(QString::number(worst)));
}

QList<QImage> tst_NxGifWriter::decode(const QByteArray& gif, QImageReader* reader)
{
    QImageReader own;
    QImageReader* r = reader ? reader : &own;
    QBuffer* buffer = new QBuffer;
    buffer->setData(gif);
    buffer->open(QIODevice::ReadOnly);
    r->setDevice(buffer);
    r->setFormat("gif");
    QList<QImage> frames;
    QImage frame;
    while (r->read(&frame))
        frames.append(frame);
    return frames;
}

// The same colours for every frame, so a GIF palette can hold them all.
QVector<QRgb> tst_NxGifWriter::palette(int colours)
{
    QRandomGenerator random(7);
    QVector<QRgb> all;
    for (int i = 0; i < colours; ++i)
        all.append(qRgb(int(random.bounded(256)), int(random.bounded(256)), int(random.bounded(256))));
    return all;
}

// Opaque pixels drawn from a fixed set of colours, with a transparent border.
QImage tst_NxGifWriter::noise(const QSize& size, int colours, quint32 seed)
{
    QRandomGenerator random(seed);
    const QVector<QRgb> colourSet = palette(colours);
    QImage image(size, QImage::Format_ARGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const bool border = x == 0 || y == 0;
            image.setPixel(x, y, border ? qRgba(0, 0, 0, 0) : colourSet.at(int(random.bounded(colours))));
        }
    return image;
}

QTEST_MAIN(tst_NxGifWriter)
#include "tst_NxGifWriter.moc"

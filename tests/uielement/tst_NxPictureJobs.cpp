// Pictures decoded ahead on pool threads come out as those decoded when they
// are first shown: tile pictures at the size covering the tile, backgrounds
// at the widget's size.
#include "NxPictureBackground.h"
#include "NxTilePictures.h"

#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

class tst_NxPictureJobs : public QObject
{
    Q_OBJECT

private slots:
    void tilePictures_data();
    void tilePictures();
    void background_data();
    void background();

private:
    QString picture(const QString& name, const QSize& size, const char* format);

    QTemporaryDir m_dir;
};

QString tst_NxPictureJobs::picture(const QString& name, const QSize& size, const char* format)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, size.width(), size.height());
    gradient.setColorAt(0, QColor(73, 83, 219));
    gradient.setColorAt(1, QColor(240, 200, 40, 128));
    painter.fillRect(image.rect(), gradient);
    painter.end();
    const QString path = m_dir.filePath(name);
    image.save(path, format);
    return path;
}

void tst_NxPictureJobs::tilePictures_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("tile");
    QTest::addColumn<QSize>("held");
    QTest::newRow("twice the tile") << QSize(824, 388) << QSize(412, 194) << QSize(412, 194);
    QTest::newRow("other shape, cropped later") << QSize(856, 848) << QSize(412, 194) << QSize(412, 408);
    QTest::newRow("small screen") << QSize(824, 824) << QSize(292, 292) << QSize(292, 292);
    QTest::newRow("no larger than the tile") << QSize(300, 200) << QSize(412, 194) << QSize(300, 200);
}

void tst_NxPictureJobs::tilePictures()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, tile);
    QFETCH(QSize, held);
    const QString ahead = this->picture(QString("ahead_%1.png").arg(QTest::currentDataTag()), picture, "PNG");
    const QString late = this->picture(QString("late_%1.png").arg(QTest::currentDataTag()), picture, "PNG");
    NxTilePictures::preload({{ahead, tile}});
    const QImage preloaded = NxTilePictures::read(ahead, tile);
    const QImage readLate = NxTilePictures::read(late, tile);
    QCOMPARE(preloaded.size(), held);
    QCOMPARE(readLate.size(), held);
    QCOMPARE(preloaded.convertToFormat(QImage::Format_ARGB32), readLate.convertToFormat(QImage::Format_ARGB32));
    QCOMPARE(NxTilePictures::read(ahead, tile).cacheKey(), preloaded.cacheKey()); // read once, then shared
}

void tst_NxPictureJobs::background_data()
{
    QTest::addColumn<bool>("preloaded");
    QTest::newRow("decoded while painting") << false;
    QTest::newRow("decoded ahead") << true;
}

void tst_NxPictureJobs::background()
{
    QFETCH(bool, preloaded);
    const QString path = picture(QString("back_%1.jpg").arg(preloaded), QSize(3840, 2160), "JPG");
    const QSize size(480, 270);
    if (preloaded)
        NxPictureBackground::preload(path, size);
    NxPictureBackground widget(path, nullptr);
    widget.setFixedSize(size);
    QCOMPARE(widget.grab().size(), size); // paints
    QCOMPARE(widget.pixmap().size(), size);
    QImageReader reader(path);
    reader.setScaledSize(size);
    const QImage plain = reader.read().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(widget.pixmap().toImage().convertToFormat(QImage::Format_RGB32), plain);
    QCOMPARE(NxPictureBackground::decodeAt(path, size).convertToFormat(QImage::Format_RGB32), plain);
}

QTEST_MAIN(tst_NxPictureJobs)
#include "tst_NxPictureJobs.moc"

#include "NxArtworkCatalogue.h"
#include "NxArtworkResources.h"
#include "NxContactSheet.h"

#include <QDir>
#include <QDirIterator>
#include <QGuiApplication>
#include <QImageReader>
#include <QMovie>
#include <QPainter>
#include <QSvgRenderer>
#include <QtTest>

// Every picture of the catalogue, loaded from the Qt resources that the
// artwork pipeline compiled into a shared library exactly as into the
// product libraries.
class tst_NxArtwork : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void catalogueNamesBothLibraries();
    void pictureLoads_data();
    void pictureLoads();
    void everyResourceIsCatalogued();
    void stateVariantsMatchBase_data();
    void stateVariantsMatchBase();
    void animationLoops_data();
    void animationLoops();
    void backgroundRendersAt_data();
    void backgroundRendersAt();
    void backgroundResourceMatchesSource();
    void programFiles_data();
    void programFiles();
    void contactSheet();

private:
    static QString blankness(const QImage& image);
    static QList<QImage> frames(const QString& path);
    static QString baseOfVariant(const QString& path);
    static QImage renderSvg(const QString& file, const QSize& size);

    NxArtworkCatalogue m_catalogue;
};

namespace {
const QStringList kVariantSuffixes = {QStringLiteral("_hover"), QStringLiteral("_pressed"), QStringLiteral("_disabled"),
    QStringLiteral("_SELECTED"), QStringLiteral("_NOR")};
const QString kScenario = QStringLiteral("TavomcPresenterScenarioMain");
const QString kUiElement = QStringLiteral("TavoUIElement");

QString withoutSuffix(const QString& path, QString* suffix)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    *suffix = dot > slash ? path.mid(dot) : QString();
    return dot > slash ? path.left(dot) : path;
}

int meanDifference(const QImage& a, const QImage& b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    qint64 sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const QRgb* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const QRgb* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col)
            sum += qAbs(qRed(p[col]) - qRed(q[col])) + qAbs(qGreen(p[col]) - qGreen(q[col])) + qAbs(qBlue(p[col]) - qBlue(q[col]));
    }
    return int(sum / (3 * qint64(x.width()) * x.height()));
}
}

void tst_NxArtwork::initTestCase()
{
    QVERIFY2(m_catalogue.load(QStringLiteral(NX_ARTWORK_CATALOGUE)), qPrintable(m_catalogue.error()));
    QVERIFY(m_catalogue.entries().size() >= 80);
}

void tst_NxArtwork::catalogueNamesBothLibraries()
{
    // The home-page resource of the main scenario library holds these eight.
    const QStringList home = {"ID_TAVO_CHANNEL.png", "ID_CHANNEL_TV_DEFAULT.png", "ID_LIVE_CODE_BACKGROUND.png",
        "ID_TV.png", "ID_BACKGROUND.jpg", "ID_MY_RESOURCE.png", "ID_LIVE.png", "ID_LOCAL_RESOURCE.png"};
    QStringList inScenario;
    int inUiElement = 0;
    for (const NxArtworkCatalogue::Entry& e : m_catalogue.entries()) {
        if (e.libraries.contains(kScenario))
            inScenario.append(e.path.mid(QStringLiteral(":/images/").size()));
        if (e.libraries.contains(kUiElement))
            ++inUiElement;
        QVERIFY2(e.libraries.contains(kScenario) || e.libraries.contains(kUiElement), qPrintable(e.path));
        QVERIFY2(e.surface == QLatin1String("dark") || e.surface == QLatin1String("light"), qPrintable(e.path));
    }
    inScenario.sort();
    QStringList expected = home;
    expected.sort();
    QCOMPARE(inScenario, expected);
    QVERIFY(inUiElement >= 70);
}

void tst_NxArtwork::pictureLoads_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    for (const NxArtworkCatalogue::Entry& e : m_catalogue.entries())
        QTest::newRow(qPrintable(e.path)) << e.path << e.pixelSize;
}

void tst_NxArtwork::pictureLoads()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QVERIFY2(QFile::exists(path), "not in the resources");
    QImageReader reader(path);
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(image.size(), size);
    const QString blank = blankness(image);
    QVERIFY2(blank.isEmpty(), qPrintable(blank));
}

void tst_NxArtwork::everyResourceIsCatalogued()
{
    int found = 0;
    for (const QString& prefix : NxArtworkResources::roots()) {
        QDirIterator it(prefix, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            ++found;
            QVERIFY2(m_catalogue.contains(path), qPrintable(path + " has no catalogue row"));
        }
    }
    QCOMPARE(found, m_catalogue.entries().size());
}

void tst_NxArtwork::stateVariantsMatchBase_data()
{
    QTest::addColumn<QString>("variant");
    QTest::addColumn<QString>("base");
    int variants = 0;
    for (const NxArtworkCatalogue::Entry& e : m_catalogue.entries()) {
        const QString base = baseOfVariant(e.path);
        if (!base.isEmpty()) {
            QTest::newRow(qPrintable(e.path)) << e.path << base;
            ++variants;
        }
    }
    QVERIFY(variants >= 3 + 5 + 4 + 1);
}

void tst_NxArtwork::stateVariantsMatchBase()
{
    QFETCH(QString, variant);
    QFETCH(QString, base);
    QVERIFY2(m_catalogue.contains(base), qPrintable(base + " is missing"));
    const QImage a(variant);
    const QImage b(base);
    QVERIFY(!a.isNull() && !b.isNull());
    QCOMPARE(a.size(), b.size());
    QCOMPARE(m_catalogue.entry(variant).designSize, m_catalogue.entry(base).designSize);
    // A state must look different from the state it stands for.
    QVERIFY(a.convertToFormat(QImage::Format_ARGB32) != b.convertToFormat(QImage::Format_ARGB32));
}

void tst_NxArtwork::animationLoops_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    int animations = 0;
    for (const NxArtworkCatalogue::Entry& e : m_catalogue.entries())
        if (e.path.endsWith(QLatin1String(".gif"))) {
            QTest::newRow(qPrintable(e.path)) << e.path << e.pixelSize;
            ++animations;
        }
    QCOMPARE(animations, 2);
}

void tst_NxArtwork::animationLoops()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QImageReader reader(path);
    QVERIFY(reader.supportsAnimation());
    QCOMPARE(reader.loopCount(), -1); // for ever
    const QList<QImage> all = frames(path);
    QVERIFY(all.size() >= 12);
    for (int i = 0; i < all.size(); ++i) {
        QCOMPARE(all.at(i).size(), size);
        const QString blank = blankness(all.at(i));
        QVERIFY2(blank.isEmpty(), qPrintable(QStringLiteral("frame %1: %2").arg(i).arg(blank)));
        QVERIFY2(all.at(i) != all.at((i + 1) % all.size()), "frames repeat: nothing moves");
    }

    QImageReader timing(path);
    QVERIFY(!timing.read().isNull());
    QVERIFY2(timing.nextImageDelay() >= 20 && timing.nextImageDelay() <= 100, "one turn should take about a second");

    // The widgets show it through QMovie, scaled to the design size.
    QMovie movie(path);
    movie.setScaledSize(size / 2);
    QVERIFY(movie.isValid());
    QCOMPARE(movie.frameCount(), all.size());
    QVERIFY(movie.jumpToNextFrame());
    QCOMPARE(movie.currentImage().size(), size / 2);
}

void tst_NxArtwork::backgroundRendersAt_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QSize>("size");
    for (const QString& name : {QStringLiteral("ID_BACKGROUND"), QStringLiteral("ID_BACKGROUND_PIC")}) {
        const QString svg = QStringLiteral(NX_ARTWORK_SVG_DIR "/images/") + name + QStringLiteral(".svg");
        QTest::newRow(qPrintable(name + " 1920x1080")) << svg << QSize(1920, 1080);
        QTest::newRow(qPrintable(name + " 3840x2160")) << svg << QSize(3840, 2160);
    }
}

void tst_NxArtwork::backgroundRendersAt()
{
    QFETCH(QString, source);
    QFETCH(QSize, size);
    const QImage image = renderSvg(source, size);
    QCOMPARE(image.size(), size);
    const QString blank = blankness(image);
    QVERIFY2(blank.isEmpty(), qPrintable(blank));
    // A full-screen background leaves nothing of the window showing through.
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); y += 7) {
        const QRgb* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); x += 7)
            QVERIFY2(qAlpha(line[x]) == 255, qPrintable(QStringLiteral("see-through at %1,%2").arg(x).arg(y)));
    }
    // Deep blue-violet: blue leads red and green on average.
    const QColor mean = QColor(argb.scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixel(0, 0));
    QVERIFY(mean.blue() > mean.green() && mean.blue() > mean.red() && mean.value() < 110);
}

void tst_NxArtwork::backgroundResourceMatchesSource()
{
    const QImage resource(QStringLiteral(":/images/ID_BACKGROUND.jpg"));
    QCOMPARE(resource.size(), QSize(3840, 2160));
    const QImage small = renderSvg(QStringLiteral(NX_ARTWORK_SVG_DIR "/images/ID_BACKGROUND.svg"), QSize(1920, 1080));
    const QImage shrunk = resource.scaled(small.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QVERIFY(meanDifference(shrunk, small) <= 3);
}

void tst_NxArtwork::programFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    QTest::newRow("window icon") << QStringLiteral(NX_PROGRAM_DIR "/TavomcPresenterPro.ico") << QSize(256, 256);
    QTest::newRow("updater background") << QStringLiteral(NX_PROGRAM_DIR "/images/update_back_pic.png") << QSize(960, 560);
}

void tst_NxArtwork::programFiles()
{
    QFETCH(QString, file);
    QFETCH(QSize, size);
    const QImage image(file);
    QVERIFY2(!image.isNull(), qPrintable(file));
    QCOMPARE(image.size(), size);
    QVERIFY(blankness(image).isEmpty());
}

void tst_NxArtwork::contactSheet()
{
    NxContactSheet sheet(8);
    for (const NxArtworkCatalogue::Entry& e : m_catalogue.entries()) {
        QList<QImage> shown = frames(e.path);
        if (shown.size() > 4) {
            const QList<QImage> all = shown;
            shown.clear();
            for (int i = 0; i < 4; ++i)
                shown.append(all.at(i * all.size() / 4));
        }
        QVERIFY2(!shown.isEmpty(), qPrintable(e.path));
        const QColor surface = e.surface == QLatin1String("light") ? QColor(Qt::white) : QColor(0x1b, 0x17, 0x50);
        sheet.add(e.path.mid(2), shown, surface);
    }
    const QImage image = sheet.render(QStringLiteral("Artwork: %1 pictures (dark: home page and dialogs; white: file dialog)")
                                          .arg(sheet.count()));
    const QString file = QStringLiteral(NX_CONTACT_SHEET);
    QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
    QVERIFY(image.save(file));
    qInfo("contact sheet: %s", qPrintable(file));
    const QImage back(file);
    QCOMPARE(back.width(), 8 * NxContactSheet::kCellWidth);
    QCOMPARE(back.height(), NxContactSheet::kTitleHeight + ((sheet.count() + 7) / 8) * NxContactSheet::kCellHeight);
}

// Empty when the picture shows something: some visible pixels and, for an
// opaque picture, more than one flat colour.
QString tst_NxArtwork::blankness(const QImage& image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    qint64 visible = 0;
    int darkest = 255, lightest = 0;
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(line[x]) < 40)
                continue;
            ++visible;
            const int grey = qGray(line[x]);
            darkest = qMin(darkest, grey);
            lightest = qMax(lightest, grey);
        }
    }
    const qint64 area = qint64(argb.width()) * argb.height();
    if (visible * 200 < area)
        return QStringLiteral("transparent or nearly so (%1 of %2 pixels visible)").arg(visible).arg(area);
    if (visible == area && lightest - darkest < 8)
        return QStringLiteral("one flat colour");
    return QString();
}

QList<QImage> tst_NxArtwork::frames(const QString& path)
{
    QList<QImage> all;
    QImageReader reader(path);
    QImage frame;
    while (reader.read(&frame))
        all.append(frame.convertToFormat(QImage::Format_ARGB32));
    return all;
}

// For ":/rc/icon/pop_top_close_hover" the base ":/rc/icon/pop_top_close";
// empty for a picture that is no state of another.
QString tst_NxArtwork::baseOfVariant(const QString& path)
{
    QString suffix;
    const QString stem = withoutSuffix(path, &suffix);
    for (const QString& variant : kVariantSuffixes)
        if (stem.endsWith(variant))
            return stem.left(stem.size() - variant.size()) + suffix;
    return QString();
}

QImage tst_NxArtwork::renderSvg(const QString& file, const QSize& size)
{
    QSvgRenderer renderer(file);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (!renderer.isValid())
        return image;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

QTEST_MAIN(tst_NxArtwork)
#include "tst_NxArtwork.moc"

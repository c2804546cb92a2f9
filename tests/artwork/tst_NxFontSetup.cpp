#include "NxFontSetup.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QRawFont>
#include <QtTest>

// The style sheets' "Microsoft YaHei" must reach a font with Chinese glyphs
// on systems that do not have it.
class tst_NxFontSetup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void substitutesOnlyMissingFamilies();
    void labelShowsChineseGlyphs_data();
    void labelShowsChineseGlyphs();

private:
    static int inkPixels(const QImage& image, QRgb background);
};

namespace {
const QString kText = QStringLiteral("课堂媒体中心");
const QRgb kBackground = qRgb(0x1c, 0x16, 0x56);
}

void tst_NxFontSetup::initTestCase()
{
    // The project installs fonts-wqy-microhei; without a CJK font nothing here can pass.
    QVERIFY2(!NxFontSetup::availableCjkFamilies().isEmpty(), "no CJK font installed");
    for (const QString& family : NxFontSetup::requestedFamilies())
        QFont::removeSubstitutions(family);
}

void tst_NxFontSetup::substitutesOnlyMissingFamilies()
{
    const QStringList installed = QFontDatabase().families();
    for (const QString& family : NxFontSetup::requestedFamilies())
        QVERIFY(QFont::substitutes(family).isEmpty());

    NxFontSetup::install();

    for (const QString& family : NxFontSetup::requestedFamilies()) {
        const QStringList substitutes = QFont::substitutes(family);
        if (installed.contains(family, Qt::CaseInsensitive)) {
            QVERIFY2(substitutes.isEmpty(), "an installed family must stay itself");
        } else {
            QVERIFY2(!substitutes.isEmpty(), qPrintable(family));
            QCOMPARE(substitutes.first().toLower(), NxFontSetup::availableCjkFamilies().first().toLower());
        }
    }
}

void tst_NxFontSetup::labelShowsChineseGlyphs_data()
{
    QTest::addColumn<QString>("fontFamily");
    QTest::newRow("plain") << QStringLiteral("Microsoft YaHei");
    QTest::newRow("quoted") << QStringLiteral("'Microsoft YaHei'");
    QTest::newRow("without blank") << QStringLiteral("MicrosoftYaHei");
}

void tst_NxFontSetup::labelShowsChineseGlyphs()
{
    QFETCH(QString, fontFamily);
    NxFontSetup::install();
    QLabel label(kText);
    label.setStyleSheet(QStringLiteral("QLabel{font-family:%1;font-size:24px;color:#FFFFFF;background-color:#1c1656;}")
                            .arg(fontFamily));
    label.ensurePolished();
    label.adjustSize();

    const QFont font = label.font();
    QVERIFY2(NxFontSetup::availableCjkFamilies().contains(QFontInfo(font).family()), qPrintable(QFontInfo(font).family()));
    const QFontMetrics metrics(font);
    const QRawFont raw = QRawFont::fromFont(font);
    QVERIFY(raw.isValid());
    for (const QChar ch : kText) {
        QVERIFY2(metrics.inFont(ch), qPrintable(QString(ch)));
        QVERIFY2(raw.supportsCharacter(ch), qPrintable(QString(ch)));
        // Chinese glyphs are square: as wide as the pixel size, not a narrow box.
        const int advance = metrics.horizontalAdvance(ch);
        QVERIFY2(advance >= 20 && advance <= 28, qPrintable(QStringLiteral("%1 is %2 px wide").arg(ch).arg(advance)));
    }

    const QImage shot = label.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QVERIFY(shot.width() >= 6 * 20);
    // Six glyphs of 24 px leave a good deal of ink.
    QVERIFY2(inkPixels(shot, kBackground) > 6 * 40, "the label shows nothing");
}

int tst_NxFontSetup::inkPixels(const QImage& image, QRgb background)
{
    int ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) - qGray(background) > 60)
                ++ink;
    return ink;
}

QTEST_MAIN(tst_NxFontSetup)
#include "tst_NxFontSetup.moc"

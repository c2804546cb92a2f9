#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The build's artwork tool making an animation with ffmpeg, and failing
// cleanly when ffmpeg does.
class tst_NxArtworkRender : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void animationKeepsTimingAndEdges();
    void failedFfmpegKeepsTheOldFile_data();
    void failedFfmpegKeepsTheOldFile();

private:
    int render(const QString& ffmpeg, QString* error);
    QString writeScript(const QString& name, const QByteArray& body);

    QTemporaryDir m_dir;
    QString m_out;
};

namespace {
// Opaque, mostly opaque and mostly clear white over a blue matte, and a
// square turning clear of them.
const QByteArray kSource = R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="60" height="20"
    data-frames="5" data-delay="70" data-matte="#000064">
  <rect x="0" width="10" height="20" fill="#ffffff"/>
  <rect x="10" width="10" height="20" fill="#ffffff" fill-opacity="0.63"/>
  <rect x="20" width="10" height="20" fill="#ffffff" fill-opacity="0.4"/>
  <g transform="rotate(@DEG@ 50 10)"><rect x="47" y="7" width="6" height="6" fill="#ff0000"/></g>
</svg>)svg";
}

void tst_NxArtworkRender::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QFile svg(m_dir.filePath("spin.svg"));
    QVERIFY(svg.open(QIODevice::WriteOnly) && svg.write(kSource) == kSource.size());
    m_out = m_dir.filePath("out/spin.gif");
}

void tst_NxArtworkRender::animationKeepsTimingAndEdges()
{
    QString error;
    QCOMPARE(render(QStringLiteral(NX_FFMPEG), &error), 0);
    QImageReader reader(m_out);
    QCOMPARE(reader.loopCount(), -1);
    QCOMPARE(reader.imageCount(), 5);
    const QImage first = reader.read().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(reader.nextImageDelay(), 70);
    QCOMPARE(first.size(), QSize(60, 20));
    QCOMPARE(first.pixel(5, 10), qRgb(255, 255, 255));
    const QRgb blended = first.pixel(15, 10);
    QVERIFY2(qAlpha(blended) == 255 && qAbs(qRed(blended) - 160) <= 2 && qAbs(qBlue(blended) - 197) <= 2,
        qPrintable(QString::number(blended, 16)));
    QCOMPARE(qAlpha(first.pixel(25, 10)), 0);
    QCOMPARE(qAlpha(first.pixel(59, 0)), 0);
    QVERIFY(reader.read().convertToFormat(QImage::Format_ARGB32) != first);
    QCOMPARE(QDir(m_dir.filePath("out")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList{"spin.gif"});
}

void tst_NxArtworkRender::failedFfmpegKeepsTheOldFile_data()
{
    QTest::addColumn<QString>("ffmpeg");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << m_dir.filePath("no-ffmpeg") << "cannot start ffmpeg";
    QTest::newRow("fails half way") << writeScript("half", "printf GIF89a; echo 'disk full' >&2; exit 1")
                                    << "ffmpeg failed on " + m_out + " (exit code 1): disk full";
    QTest::newRow("writes nothing") << writeScript("silent", "exit 0") << "ffmpeg gave no GIF";
}

void tst_NxArtworkRender::failedFfmpegKeepsTheOldFile()
{
    QFETCH(QString, ffmpeg);
    QFETCH(QString, message);
    QVERIFY(QDir().mkpath(QFileInfo(m_out).absolutePath()));
    QFile old(m_out);
    QVERIFY(old.open(QIODevice::WriteOnly | QIODevice::Truncate) && old.write("old") == 3);
    old.close();
    QString error;
    QVERIFY(render(ffmpeg, &error) != 0);
    QVERIFY2(error.contains(message), qPrintable(error));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old"));
    QCOMPARE(QDir(m_dir.filePath("out")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList{"spin.gif"});
}

int tst_NxArtworkRender::render(const QString& ffmpeg, QString* error)
{
    QProcess tool;
    tool.start(QStringLiteral(NX_ARTWORK_RENDER),
        {"--out", m_out, "--ffmpeg", ffmpeg, m_dir.filePath("spin.svg")});
    if (!tool.waitForFinished(60000))
        return -1;
    *error = QString::fromLocal8Bit(tool.readAllStandardError());
    return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
}

QString tst_NxArtworkRender::writeScript(const QString& name, const QByteArray& body)
{
    QFile script(m_dir.filePath(name));
    if (script.open(QIODevice::WriteOnly) && script.write("#!/bin/sh\n" + body + "\n") > 0)
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return script.fileName();
}

QTEST_MAIN(tst_NxArtworkRender)
#include "tst_NxArtworkRender.moc"

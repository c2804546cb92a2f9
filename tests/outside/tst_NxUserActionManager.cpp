#include "NxTestEnvironment.h"
#include "NxUserActionManager.h"
#include "NxUserActionWriter.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QtTest>

#include <memory>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

QList<QJsonObject> readLines(const QString& path)
{
    QList<QJsonObject> lines;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    while (!file.atEnd()) {
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(file.readLine(), &error);
        // An unparsable line is kept as an empty object so counts expose it.
        lines.append(error.error == QJsonParseError::NoError ? document.object() : QJsonObject());
    }
    return lines;
}

QJsonObject payload(int index)
{
    return QJsonObject{{QStringLiteral("index"), index},
        {QStringLiteral("padding"), QString(100, QLatin1Char('x'))}};
}

void recordMany(NxUserActionManager& recorder, int count)
{
    for (int i = 0; i < count; ++i)
        recorder.recordAction(QStringLiteral("action%1").arg(i), payload(i));
}

} // namespace

class tst_NxUserActionManager : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void writesOneJsonLinePerAction();
    void destructionFlushesQueuedActions();

    void rotationKeepsAtMostTwoBoundedFiles();
    void uploadSizeIsClampedToASaneLimit_data();
    void uploadSizeIsClampedToASaneLimit();

    void unwritableLocationIsLoggedNotFatal();
    void recordingDoesNotWaitForTheDisk();

private:
    NxTestEnvironment m_env;
    QString m_dir;

    QString logPath() const;
};

void tst_NxUserActionManager::init()
{
    m_dir = m_env.dataRoot() + QStringLiteral("/Maplo/TavomcPresenterPro/UserActions");
    QDir(m_dir).removeRecursively();
}

QString tst_NxUserActionManager::logPath() const
{
    return m_dir + QStringLiteral("/useractions.jsonl");
}

void tst_NxUserActionManager::writesOneJsonLinePerAction()
{
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    {
        NxUserActionManager recorder;
        QCOMPARE(recorder.logFilePath(), logPath());
        recorder.setAppInfo(QStringLiteral("key-1"), QStringLiteral("Presenter"), QStringLiteral("1.2.3"));
        recorder.setUploadSize(0);
        recorder.recordAction(QStringLiteral("openFile"), QJsonObject{{QStringLiteral("name"), QStringLiteral("a.pdf")}});
        recorder.recordAction(QStringLiteral("zoom"), QJsonObject{{QStringLiteral("factor"), 1.5}});
        recorder.recordAction(QStringLiteral("close"), QJsonObject());
    }
    const QDateTime after = QDateTime::currentDateTime().addSecs(1);

    const QList<QJsonObject> lines = readLines(logPath());
    QCOMPARE(lines.size(), 3);
    const QStringList ids{QStringLiteral("openFile"), QStringLiteral("zoom"), QStringLiteral("close")};
    for (int i = 0; i < lines.size(); ++i) {
        const QJsonObject& line = lines.at(i);
        QCOMPARE(line.value(QLatin1String("actionId")).toString(), ids.at(i));
        QCOMPARE(line.value(QLatin1String("appKey")).toString(), QStringLiteral("key-1"));
        QCOMPARE(line.value(QLatin1String("appName")).toString(), QStringLiteral("Presenter"));
        QCOMPARE(line.value(QLatin1String("version")).toString(), QStringLiteral("1.2.3"));
        QVERIFY(line.value(QLatin1String("data")).isObject());
        const QString time = line.value(QLatin1String("time")).toString();
        QVERIFY2(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}")).match(time).hasMatch(),
            qPrintable(time));
        const QDateTime stamp = QDateTime::fromString(time, Qt::ISODateWithMs);
        QVERIFY2(stamp >= before && stamp <= after, qPrintable(time));
    }
    QCOMPARE(lines.at(0).value(QLatin1String("data")).toObject().value(QLatin1String("name")).toString(),
        QStringLiteral("a.pdf"));
    QCOMPARE(lines.at(1).value(QLatin1String("data")).toObject().value(QLatin1String("factor")).toDouble(), 1.5);
}

void tst_NxUserActionManager::destructionFlushesQueuedActions()
{
    const int count = 5000;
    {
        NxUserActionManager recorder;
        recorder.setUploadSize(64 * 1024);
        recordMany(recorder, count);
    }

    const QList<QJsonObject> lines = readLines(logPath());
    QCOMPARE(lines.size(), count);
    QCOMPARE(lines.last().value(QLatin1String("data")).toObject().value(QLatin1String("index")).toInt(), count - 1);
    QVERIFY(!QFile::exists(NxUserActionWriter::rotatedPath(logPath())));
}

void tst_NxUserActionManager::rotationKeepsAtMostTwoBoundedFiles()
{
    const qint64 limit = 16 * 1024;
    const int count = 1000; // about 200 bytes each, several rotations
    {
        NxUserActionManager recorder;
        recorder.setUploadSize(16);
        recordMany(recorder, count);
    }

    const QString rotated = m_dir + QStringLiteral("/useractions.1.jsonl");
    QCOMPARE(QDir(m_dir).entryList(QDir::Files | QDir::Hidden, QDir::Name),
        QStringList({QStringLiteral("useractions.1.jsonl"), QStringLiteral("useractions.jsonl")}));
    QVERIFY(QFileInfo(logPath()).size() <= limit);
    QVERIFY(QFileInfo(rotated).size() <= limit);
    // A file is only rotated when the next line would not fit.
    QVERIFY(QFileInfo(rotated).size() > limit - 1024);

    // What survives is the newest actions, in order and without gaps.
    const QList<QJsonObject> lines = readLines(rotated) + readLines(logPath());
    QVERIFY(lines.size() > 1);
    for (int i = 0; i < lines.size(); ++i) {
        const int index = lines.at(i).value(QLatin1String("data")).toObject().value(QLatin1String("index")).toInt(-1);
        QCOMPARE(index, count - lines.size() + i);
    }
}

void tst_NxUserActionManager::uploadSizeIsClampedToASaneLimit_data()
{
    QTest::addColumn<int>("uploadSize");
    QTest::addColumn<bool>("rotates");

    // About 40 KiB are written in each row.
    QTest::newRow("tiny is raised") << 1 << true;
    QTest::newRow("zero means default") << 0 << false;
    QTest::newRow("negative means default") << -5 << false;
    QTest::newRow("huge is accepted") << INT_MAX << false;
}

void tst_NxUserActionManager::uploadSizeIsClampedToASaneLimit()
{
    QFETCH(int, uploadSize);
    QFETCH(bool, rotates);
    {
        NxUserActionManager recorder;
        recorder.setUploadSize(uploadSize);
        recordMany(recorder, 200);
    }

    const qint64 size = QFileInfo(logPath()).size();
    QCOMPARE(QFile::exists(m_dir + QStringLiteral("/useractions.1.jsonl")), rotates);
    if (rotates)
        QVERIFY2(size > 1024 && size <= 16 * 1024, qPrintable(QString::number(size)));
    else
        QCOMPARE(readLines(logPath()).size(), 200);
}

void tst_NxUserActionManager::unwritableLocationIsLoggedNotFatal()
{
    const QString blocker = m_env.path() + QStringLiteral("/not-a-directory");
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^NxUserActionWriter::\\w+: .*not-a-directory")));

    NxUserActionManager recorder;
    recorder.setLogFilePath(blocker + QStringLiteral("/UserActions/useractions.jsonl"));
    recordMany(recorder, 50);

    // The recorder keeps working once the location is usable again.
    recorder.setLogFilePath(logPath());
    recorder.recordAction(QStringLiteral("afterwards"), QJsonObject());
    QTRY_COMPARE(readLines(logPath()).size(), 1);
}

// The writer is stuck opening a FIFO nobody reads; recording must not care.
void tst_NxUserActionManager::recordingDoesNotWaitForTheDisk()
{
#ifdef Q_OS_UNIX
    const QString fifo = m_env.tempDir() + QStringLiteral("/stuck.jsonl");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    auto recorder = std::make_unique<NxUserActionManager>();
    recorder->setLogFilePath(fifo);
    QTest::qWait(100);

    QElapsedTimer clock;
    clock.start();
    recordMany(*recorder, 100);
    const qint64 elapsed = clock.elapsed();

    // Opening the read end releases the writer.
    const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
    const auto closeReader = qScopeGuard([reader] { ::close(reader); });
    QVERIFY(reader >= 0);
    QVERIFY2(elapsed < 500, qPrintable(QString::number(elapsed)));

    QByteArray received;
    const auto readAvailable = [&received, reader] {
        char buffer[4096];
        for (ssize_t n; (n = ::read(reader, buffer, sizeof(buffer))) > 0;)
            received.append(buffer, int(n));
        return received.count('\n');
    };
    QTRY_COMPARE_WITH_TIMEOUT(readAvailable(), 100, 5000);
    recorder.reset();
#else
    QSKIP("needs a FIFO");
#endif
}

QTEST_GUILESS_MAIN(tst_NxUserActionManager)
#include "tst_NxUserActionManager.moc"

#include "NxLogHandler.h"
#include "NxProgramRunner.h"
#include "NxTestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QThread>
#include <QtTest>

// The log handler: line format, level rule, per-minute files, several
// writers at once, and the program writing logs only when asked to.
class tst_NxLogHandler : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void lineFormat();
    void lineWithoutSourceContext();
    void fileNamedByMinute();
    void levelRule_data();
    void levelRule();
    void minuteBoundarySplitsFiles();
    void threadsDoNotInterleave();
    void programLogsOnlyWhenAsked();
    void emptyPathFallsBackToDefault();

private:
    QString iniPath() const { return QCoreApplication::applicationDirPath() + "/version.ini"; }
    QString logDir() const { return m_env->path() + "/Logs"; }
    static QStringList logLines(const QString& dir);
    QStringList logLines() const { return logLines(logDir()); }
    void writeIni(const QString& level);

    NxTestEnvironment* m_env = nullptr;
};

void tst_NxLogHandler::init()
{
    m_env = new NxTestEnvironment;
}

void tst_NxLogHandler::cleanup()
{
    NxLogHandler::setClock(nullptr);
    QFile::remove(iniPath());
    delete m_env;
    m_env = nullptr;
}

void tst_NxLogHandler::writeIni(const QString& level)
{
    QMap<QString, QVariant> values{{"Log/NeedLog", 1}, {"Log/Path", logDir()}};
    if (!level.isEmpty())
        values.insert("Log/Level", level);
    QVERIFY(NxTestEnvironment::writeIni(iniPath(), values));
}

QStringList tst_NxLogHandler::logLines(const QString& dir)
{
    QStringList lines;
    for (const QString& name : QDir(dir).entryList({"log_*.txt"}, QDir::Files, QDir::Name)) {
        QFile file(dir + "/" + name);
        if (file.open(QIODevice::ReadOnly))
            lines += QString::fromUtf8(file.readAll()).split("\r\n", Qt::SkipEmptyParts);
    }
    return lines;
}

void tst_NxLogHandler::lineFormat()
{
    const QMessageLogContext context("src/NxWidget.cpp", 42, "void f()", "default");
    const QDateTime time(QDate(2026, 3, 5), QTime(9, 7, 3, 45));
    QCOMPARE(NxLogHandler::formatLine(time, QtWarningMsg, context, "NxA::b %1 text"),
             QString("09:07:03 045 Warning: NxA::b %1 text (src/NxWidget.cpp 42)"));
    QCOMPARE(NxLogHandler::formatLine(time, QtDebugMsg, context, "x").section(' ', 2, 2), QString("Debug:"));
    QCOMPARE(NxLogHandler::formatLine(time, QtCriticalMsg, context, "x").section(' ', 2, 2), QString("Critical:"));
    QCOMPARE(NxLogHandler::formatLine(time, QtInfoMsg, context, "x").section(' ', 2, 2), QString("Info:"));
    QCOMPARE(NxLogHandler::formatLine(time, QtFatalMsg, context, "x").section(' ', 2, 2), QString("Fatal:"));
}

void tst_NxLogHandler::lineWithoutSourceContext()
{
    const QMessageLogContext none;
    const QString line = NxLogHandler::formatLine(QDateTime::currentDateTime(), QtDebugMsg, none, "hello");
    QVERIFY(line.endsWith(" Debug: hello ( 0)"));
}

void tst_NxLogHandler::fileNamedByMinute()
{
    QCOMPARE(NxLogHandler::fileName(QDateTime(QDate(2026, 12, 7), QTime(10, 59, 59))), QString("log_12-07_1059.txt"));
    QCOMPARE(NxLogHandler::fileName(QDateTime(QDate(2026, 1, 2), QTime(23, 5, 0))), QString("log_01-02_2305.txt"));
}

void tst_NxLogHandler::levelRule_data()
{
    QTest::addColumn<QString>("level");
    QTest::addColumn<bool>("infoWritten");
    QTest::newRow("default") << "" << false;
    QTest::newRow("Debug") << "Debug" << false;
    QTest::newRow("info") << "info" << true;
    QTest::newRow("Info is not info") << "Info" << false;
}

void tst_NxLogHandler::levelRule()
{
    QFETCH(QString, level);
    QFETCH(bool, infoWritten);
    writeIni(level);
    const QMessageLogContext context;
    NxLogHandler::messageHandler(QtInfoMsg, context, "an info");
    NxLogHandler::messageHandler(QtDebugMsg, context, "a debug");
    NxLogHandler::messageHandler(QtWarningMsg, context, "a warning");
    NxLogHandler::messageHandler(QtCriticalMsg, context, "a critical");
    const QString all = logLines().join('\n');
    QCOMPARE(all.contains("Info: an info"), infoWritten);
    QVERIFY(all.contains("Debug: a debug"));
    QVERIFY(all.contains("Warning: a warning"));
    QVERIFY(all.contains("Critical: a critical"));
}

void tst_NxLogHandler::minuteBoundarySplitsFiles()
{
    writeIni("Debug");
    QDateTime now(QDate(2026, 12, 7), QTime(10, 59, 59, 900));
    NxLogHandler::setClock([&now] { return now; });
    qInstallMessageHandler(&NxLogHandler::messageHandler);
    qDebug() << "before";
    now = now.addMSecs(200);
    qDebug() << "after";
    qInstallMessageHandler(nullptr);

    const QStringList files = QDir(logDir()).entryList({"log_*.txt"}, QDir::Files, QDir::Name);
    QCOMPARE(files, (QStringList{"log_12-07_1059.txt", "log_12-07_1100.txt"}));
    const QStringList lines = logLines();
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines.at(0).startsWith("10:59:59 900 Debug: before ("));
    QVERIFY(lines.at(1).startsWith("11:00:00 100 Debug: after ("));
}

void tst_NxLogHandler::threadsDoNotInterleave()
{
    writeIni("Debug");
    const int threads = 6;
    const int perThread = 150;
    QList<QThread*> workers;
    for (int t = 0; t < threads; ++t) {
        workers.append(QThread::create([t] {
            const QMessageLogContext context("worker.cpp", t, "run", "default");
            for (int i = 0; i < 150; ++i)
                NxLogHandler::messageHandler(QtDebugMsg, context, QString("thread %1 message %2 ").arg(t).arg(i) + QString(40, 'x'));
        }));
        workers.last()->start();
    }
    for (QThread* worker : workers) {
        QVERIFY(worker->wait(30000));
        delete worker;
    }
    const QRegularExpression shape("^\\d\\d:\\d\\d:\\d\\d \\d{3} Debug: thread (\\d) message (\\d+) x{40} \\(worker\\.cpp \\1\\)$");
    const QStringList lines = logLines();
    QCOMPARE(lines.size(), threads * perThread);
    for (const QString& line : lines)
        QVERIFY2(shape.match(line).hasMatch(), qPrintable(line));
}

void tst_NxLogHandler::programLogsOnlyWhenAsked()
{
    for (int needLog : {0, 1}) {
        NxProgramRunner runner;
        QVERIFY(runner.isReady());
        const QString logs = m_env->path() + QString("/Logs%1").arg(needLog);
        QVERIFY(NxTestEnvironment::writeIni(runner.versionIniPath(),
                                            {{"Log/NeedLog", needLog}, {"Log/Path", logs}}));
        QProcess* first = runner.start({});
        QVERIFY(NxProgramRunner::waitUntilListening(m_env->runtimeDir(), 10000));
        QProcess* second = runner.start({"4"});
        QVERIFY(second->waitForFinished(10000));
        QCOMPARE(second->exitCode(), 0);
        if (needLog == 1) {
            QTRY_VERIFY_WITH_TIMEOUT(logLines(logs).join('\n').contains("\"ID_SCENARIO_POP\""), 10000);
        } else {
            QVERIFY(NxProgramRunner::waitForError(first, "\"ID_SCENARIO_POP\"", 10000));
            QVERIFY(!QFileInfo::exists(logs));
            QVERIFY2(runner.qtWarnings().isEmpty(), qPrintable(runner.qtWarnings().join('\n')));
        }
    }
}

void tst_NxLogHandler::emptyPathFallsBackToDefault()
{
    QVERIFY(NxTestEnvironment::writeIni(iniPath(), {{"Log/NeedLog", 1}, {"Log/Path", " "}}));
    NxLogHandler::messageHandler(QtDebugMsg, QMessageLogContext(), "first");
    NxLogHandler::messageHandler(QtDebugMsg, QMessageLogContext(), "second");
    const QStringList lines = logLines(m_env->dataRoot() + "/Maplo/TavomcPresenterPro/Logs");
    QCOMPARE(lines.size(), 3); // the fallback is noted once
    QVERIFY(lines.at(0).contains("Warning: NxLogHandler::messageHandler version.ini [Log] Path is empty"));
    QVERIFY(lines.at(2).contains("Debug: second"));
}

QTEST_GUILESS_MAIN(tst_NxLogHandler)
#include "tst_NxLogHandler.moc"

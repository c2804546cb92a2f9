#include "NxProgramRunner.h"
#include "NxTestEnvironment.h"
#include "NxmcPresenterApp.h"

#include <QDir>
#include <QElapsedTimer>
#include <QtTest>

// The start-up argument table, and the single-instance behaviour of the real
// program with several processes.
class tst_NxmcPresenterApp : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void eventForArgument_data();
    void eventForArgument();
    void onlyFirstArgumentCounts();
    void secondStartForwardsArgumentAndExits();
    void staleLockOfKilledInstanceDoesNotBlock();
    void simultaneousStartsLeaveOneInstance();
    void terminationEndsCleanly();

private:
    bool waitUntilListening(int timeoutMs) { return NxProgramRunner::waitUntilListening(m_env->runtimeDir(), timeoutMs); }

    NxTestEnvironment* m_env = nullptr;
};

void tst_NxmcPresenterApp::init()
{
    m_env = new NxTestEnvironment;
}

void tst_NxmcPresenterApp::cleanup()
{
    delete m_env;
    m_env = nullptr;
}

void tst_NxmcPresenterApp::eventForArgument_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("scenario");
    QTest::newRow("1") << "1" << "ID_SCENARIO_MAIN";
    QTest::newRow("2") << "2" << "ID_SCENARIO_DETAILS";
    QTest::newRow("3") << "3" << "ID_SCENARIO_HONOR";
    QTest::newRow("4") << "4" << "ID_SCENARIO_POP";
    QTest::newRow("empty") << "" << "ID_SCENARIO_MAIN";
    QTest::newRow("0") << "0" << "ID_SCENARIO_MAIN";
    QTest::newRow("5") << "5" << "ID_SCENARIO_MAIN";
    QTest::newRow("main") << "main" << "ID_SCENARIO_MAIN";
    QTest::newRow("padded") << " 3" << "ID_SCENARIO_MAIN";
}

void tst_NxmcPresenterApp::eventForArgument()
{
    QFETCH(QString, argument);
    QFETCH(QString, scenario);
    const QJsonObject event = NxmcPresenterApp::buildEventJson(argument);
    QCOMPARE(event.size(), 3);
    QCOMPARE(event.value("eventid").toString(), QString("ID_SCENARIO_SHOW"));
    QVERIFY(event.value("from").isString());
    QCOMPARE(event.value("from").toString(), QString());
    QCOMPARE(event.value("scenario").toString(), scenario);
}

void tst_NxmcPresenterApp::onlyFirstArgumentCounts()
{
    QCOMPARE(NxmcPresenterApp::startArgument({"prog"}), QString());
    QCOMPARE(NxmcPresenterApp::startArgument({"prog", "3", "1"}), QString("3"));
}

void tst_NxmcPresenterApp::secondStartForwardsArgumentAndExits()
{
    NxProgramRunner runner;
    QVERIFY(runner.isReady());
    QProcess* first = runner.start({"1"});
    QVERIFY(waitUntilListening(10000));

    QElapsedTimer timer;
    timer.start();
    QProcess* second = runner.start({"3", "1"});
    QVERIFY(second->waitForFinished(6000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QVERIFY2(timer.elapsed() < 3000, "the second start must leave at once");

    QVERIFY(NxProgramRunner::waitForError(first, "sltMessageReceived \"3\" \"ID_SCENARIO_HONOR\"", 5000));
    QCOMPARE(first->state(), QProcess::Running);
}

void tst_NxmcPresenterApp::staleLockOfKilledInstanceDoesNotBlock()
{
    NxProgramRunner runner;
    QVERIFY(runner.isReady());
    QProcess* crashed = runner.start({});
    QVERIFY(waitUntilListening(10000));
    crashed->kill();
    QVERIFY(crashed->waitForFinished(5000));
    QVERIFY(QFile::exists(m_env->runtimeDir() + "/TavomcPresenterPro.lock"));

    QProcess* next = runner.start({});
    QVERIFY2(waitUntilListening(10000), "a crashed instance must not block the next start");
    QCOMPARE(next->state(), QProcess::Running);

    QProcess* forwarding = runner.start({"2"});
    QVERIFY(forwarding->waitForFinished(6000));
    QCOMPARE(forwarding->exitCode(), 0);
    QVERIFY(NxProgramRunner::waitForError(next, "\"ID_SCENARIO_DETAILS\"", 5000));
}

void tst_NxmcPresenterApp::simultaneousStartsLeaveOneInstance()
{
    NxProgramRunner runner;
    QVERIFY(runner.isReady());
    QList<QProcess*> processes;
    for (int i = 0; i < 4; ++i)
        processes.append(runner.start({QString::number(i + 1)}));

    int finished = 0;
    QElapsedTimer timer;
    timer.start();
    while (finished < 3 && timer.elapsed() < 10000) {
        QTest::qWait(50);
        finished = 0;
        for (QProcess* process : processes)
            finished += process->state() == QProcess::NotRunning;
    }
    QTest::qWait(500); // a second survivor would show up here
    QProcess* survivor = nullptr;
    for (QProcess* process : processes) {
        if (process->state() == QProcess::Running) {
            QVERIFY2(!survivor, "two instances are running");
            survivor = process;
        } else {
            QCOMPARE(process->exitCode(), 0);
        }
    }
    QVERIFY(survivor);
    // Every later start delivered its argument to the survivor.
    QTRY_COMPARE_WITH_TIMEOUT(NxProgramRunner::errorText(survivor).count("sltMessageReceived"), 3, 5000);
}

void tst_NxmcPresenterApp::terminationEndsCleanly()
{
    NxProgramRunner runner;
    QVERIFY(runner.isReady());
    QProcess* program = runner.start({});
    // Started up to the controllers, well past installing the signal handler.
    QVERIFY(NxProgramRunner::waitForError(program, "NxWebCommand::NxWebCommand", 10000));
    program->terminate(); // SIGTERM, as a session logout or a service manager sends
    QVERIFY(program->waitForFinished(10000));
    QCOMPARE(program->exitStatus(), QProcess::NormalExit);
    QCOMPARE(program->exitCode(), 0);
    QVERIFY(!QFile::exists(m_env->runtimeDir() + "/TavomcPresenterPro.lock"));
}

QTEST_GUILESS_MAIN(tst_NxmcPresenterApp)
#include "tst_NxmcPresenterApp.moc"

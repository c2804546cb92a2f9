#include "NxProgramRunner.h"
#include "INxWatchManager.h"
#include "NxGeneratedCatalogue.h"
#include "NxTestCloud.h"
#include "NxTestEnvironment.h"
#include "NxmcPresenterApp.h"

#include <QDir>
#include <QElapsedTimer>
#include <QtTest>

namespace {

// Counts what the application asks of it, on which thread; the counters
// outlive it, so a call after its death is seen too.
class CountingWatch : public QObject, public INxWatchManager
{
public:
    explicit CountingWatch(QAtomicInt* calls, QAtomicInt* foreign) : m_calls(calls), m_foreign(foreign) {}
    QObject* getObject() override { return this; }
    void setEnabled(bool) override {}
    bool filterEvent(QObject*, QEvent*) override
    {
        m_calls->ref();
        if (QThread::currentThread() != qApp->thread())
            m_foreign->ref();
        return true;
    }

private:
    QAtomicInt* m_calls;
    QAtomicInt* m_foreign;
};

} // namespace

// The start-up argument table, and the single-instance behaviour of the real
// program with several processes, none of which may print a Qt warning.
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
    void staleLockUnderOwnProcessIdIsTakenOver();
    void simultaneousStartsLeaveOneInstance();
    void terminationEndsCleanly_data();
    void terminationEndsCleanly();
    void lockErrorStartsAsOnlyInstance();
    void watchSeesOnlyGuiThreadWhileItLives();

private:
    bool waitUntilListening(int timeoutMs) { return NxProgramRunner::waitUntilListening(m_env->runtimeDir(), timeoutMs); }

    NxTestEnvironment* m_env = nullptr;
    NxProgramRunner* m_runner = nullptr;
};

void tst_NxmcPresenterApp::init()
{
    m_env = new NxTestEnvironment;
    m_runner = new NxProgramRunner;
    QVERIFY(m_runner->isReady());
}

void tst_NxmcPresenterApp::cleanup()
{
    const QStringList warnings = m_runner->qtWarnings();
    delete m_runner;
    m_runner = nullptr;
    delete m_env;
    m_env = nullptr;
    QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join('\n')));
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
    QProcess* first = m_runner->start({"1"});
    QVERIFY(waitUntilListening(10000));

    QElapsedTimer timer;
    timer.start();
    QProcess* second = m_runner->start({"3", "1"});
    QVERIFY(second->waitForFinished(6000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QVERIFY2(timer.elapsed() < 3000, "the second start must leave at once");

    QVERIFY(NxProgramRunner::waitForError(first, "sltMessageReceived \"3\" \"ID_SCENARIO_HONOR\"", 5000));
    QCOMPARE(first->state(), QProcess::Running);
}

void tst_NxmcPresenterApp::staleLockOfKilledInstanceDoesNotBlock()
{
    QProcess* crashed = m_runner->start({});
    QVERIFY(waitUntilListening(10000));
    crashed->kill();
    QVERIFY(crashed->waitForFinished(5000));
    QVERIFY(QFile::exists(m_env->runtimeDir() + "/TavomcPresenterPro.lock"));

    QProcess* next = m_runner->start({});
    QVERIFY2(waitUntilListening(10000), "a crashed instance must not block the next start");
    QCOMPARE(next->state(), QProcess::Running);

    QProcess* forwarding = m_runner->start({"2"});
    QVERIFY(forwarding->waitForFinished(6000));
    QCOMPARE(forwarding->exitCode(), 0);
    QVERIFY(NxProgramRunner::waitForError(next, "\"ID_SCENARIO_DETAILS\"", 5000));
}

void tst_NxmcPresenterApp::staleLockUnderOwnProcessIdIsTakenOver()
{
    QProcess* crashed = m_runner->start({});
    QVERIFY(waitUntilListening(10000));
    crashed->kill();
    QVERIFY(crashed->waitForFinished(5000));

    // The shell writes its own id into the dead instance's lock and becomes
    // the program under that id, as Wine does in every new session; the host
    // name in capitals, as Windows writes it.
    const QString lock = m_env->runtimeDir() + "/TavomcPresenterPro.lock";
    const QStringList ownId = {"/bin/sh", "-c", "sed -i \"1s/.*/$$/; 3s/.*/\\U&/\" \"$1\" && shift && exec \"$@\"",
                               "sh", lock};
    QProcess* next = m_runner->start({}, ownId);
    QVERIFY2(waitUntilListening(10000), "the program must not hand over to itself");
    QVERIFY(NxProgramRunner::waitForError(next, "lock of a dead instance with this process id", 5000));
    QCOMPARE(next->state(), QProcess::Running);
}

void tst_NxmcPresenterApp::simultaneousStartsLeaveOneInstance()
{
    QList<QProcess*> processes;
    for (int i = 0; i < 4; ++i)
        processes.append(m_runner->start({QString::number(i + 1)}));

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

void tst_NxmcPresenterApp::terminationEndsCleanly_data()
{
    QTest::addColumn<int>("channels");
    QTest::newRow("at rest") << 0;
    // The end comes while the program takes in a catalogue of 20,000
    // channels and asks for their pictures: it must not wait for that.
    QTest::newRow("taking in a large catalogue") << 20000;
}

void tst_NxmcPresenterApp::terminationEndsCleanly()
{
    QFETCH(int, channels);
    // The at-rest run talks to the cloud too: the first request is what made
    // Qt's bearer thread warn.
    NxTestCloud cloud(channels > 0 ? NxGeneratedCatalogue::seed(NxTestCloud::defaultSeed(), channels, 2000)
                                   : NxTestCloud::defaultSeed());
    QVERIFY(m_runner->useCloud(cloud.baseUrl()));
    QProcess* program = m_runner->start({});
    // Started up and talking to the cloud, well past installing the signal handler.
    QTRY_VERIFY_WITH_TIMEOUT(cloud.server().requestCount("/channel/getChannelListToAdd") > 0, 30000);
    if (channels > 0)
        QTest::qWait(500); // the pages are being built from the lists now
    QElapsedTimer ending;
    ending.start();
    program->terminate(); // SIGTERM, as a session logout or a service manager sends
    QVERIFY(program->waitForFinished(10000));
    QVERIFY2(ending.elapsed() < 2000, qPrintable(QStringLiteral("ended %1 ms after SIGTERM").arg(ending.elapsed())));
    QCOMPARE(program->exitStatus(), QProcess::NormalExit);
    QCOMPARE(program->exitCode(), 0);
    QVERIFY(!QFile::exists(m_env->runtimeDir() + "/TavomcPresenterPro.lock"));
}

void tst_NxmcPresenterApp::lockErrorStartsAsOnlyInstance()
{
    // Nothing can be created here, not even by root: the lock fails with an
    // error other than "held", and nobody answers on the socket.
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", "/proc/self");
    QProcess* program = m_runner->start({});
    QVERIFY(NxProgramRunner::waitForError(program, "lock file error", 10000));
    QVERIFY(NxProgramRunner::waitForError(program, "NxWebLocalCache::init", 10000));
    QTest::qWait(500);
    QCOMPARE(program->state(), QProcess::Running);
}

void tst_NxmcPresenterApp::watchSeesOnlyGuiThreadWhileItLives()
{
    auto* app = static_cast<NxmcPresenterApp*>(qApp);
    QAtomicInt calls, foreign;
    auto* watch = new CountingWatch(&calls, &foreign);
    app->setWatchManager(watch);

    QThread worker;
    QObject receiver;
    receiver.moveToThread(&worker);
    worker.start();
    for (int i = 0; i < 200; ++i)
        QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
    QMetaObject::invokeMethod(&receiver, [&worker] { worker.quit(); }, Qt::QueuedConnection);
    QVERIFY(worker.wait(10000));
    QCOMPARE(int(foreign), 0);

    QObject local;
    QCoreApplication::postEvent(&local, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    QVERIFY(int(calls) > 0);

    delete watch; // as the configuration object takes it along at exit
    const int before = calls;
    QCoreApplication::postEvent(&local, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    QCOMPARE(int(calls), before);
    app->setWatchManager(nullptr);
}

int main(int argc, char* argv[])
{
    // The program's own application object, under a name no program run uses.
    NxmcPresenterApp app(QStringLiteral("tst_NxmcPresenterApp-%1").arg(QCoreApplication::applicationPid()), argc, argv);
    tst_NxmcPresenterApp test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_NxmcPresenterApp.moc"

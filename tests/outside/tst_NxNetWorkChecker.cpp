#include "INxNetWorkChecker.h"
#include "INxNetWorkManager.h"
#include "NxEndpoint.h"
#include "NxNetWorkChecker.h"
#include "NxRelaynet.h"
#include "NxTestEnvironment.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {

const int kAnswerWaitMs = 5000;

struct CheckOutcome {
    int answersDuringCall = -1;
    int answers = 0;
    bool ok = false;
    QString text;
    qint64 elapsedMs = 0;
};

void setHosts(const QString& appHost, const QString& cloudHost = QString())
{
    qApp->setProperty("appHost", appHost);
    qApp->setProperty("cloudhost", cloudHost);
}

QString urlOf(quint16 port)
{
    return QStringLiteral("http://127.0.0.1:%1/api").arg(port);
}

// Accepted probe connections are dropped at once, so the server never stops
// accepting however many checks run.
void listenAndDrain(QTcpServer& server, quint16 port = 0)
{
    QObject::connect(&server, &QTcpServer::newConnection, &server, [&server] {
        while (QTcpSocket* socket = server.nextPendingConnection())
            socket->deleteLater();
    }, Qt::UniqueConnection);
    QVERIFY2(server.listen(QHostAddress::LocalHost, port), qPrintable(server.errorString()));
}

quint16 closedPort()
{
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost))
        return 0;
    return server.serverPort();
}

// A listener whose accept queue is full makes the kernel drop further SYNs:
// the real "packets vanish" case, on the loopback interface. Returns the port
// (0 when unsupported); sockets[] receives what closeSockets() must close.
quint16 openDroppingListener(int sockets[2])
{
#ifdef Q_OS_UNIX
    sockets[0] = ::socket(AF_INET, SOCK_STREAM, 0);
    sockets[1] = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    auto* raw = reinterpret_cast<sockaddr*>(&address);
    if (::bind(sockets[0], raw, length) != 0 || ::listen(sockets[0], 0) != 0
        || ::getsockname(sockets[0], raw, &length) != 0 || ::connect(sockets[1], raw, length) != 0)
        return 0;
    return ntohs(address.sin_port);
#else
    Q_UNUSED(sockets)
    return 0;
#endif
}

void closeSockets(int sockets[2])
{
#ifdef Q_OS_UNIX
    for (int i = 0; i < 2; ++i) {
        if (sockets[i] >= 0)
            ::close(sockets[i]);
    }
#else
    Q_UNUSED(sockets)
#endif
}

// Waits past the first answer as well, to catch a second one.
CheckOutcome runCheck(NxNetWorkChecker& checker)
{
    CheckOutcome outcome;
    QSignalSpy spy(&checker, &NxNetWorkChecker::sglResultNetWorkCheck);
    QElapsedTimer clock;
    clock.start();
    checker.startCheck(QStringLiteral("test"), QStringLiteral("manual"));
    outcome.answersDuringCall = spy.count();
    if (spy.isEmpty() && !spy.wait(kAnswerWaitMs))
        return outcome;
    outcome.elapsedMs = clock.elapsed();
    QTest::qWait(100);
    outcome.answers = spy.count();
    outcome.ok = spy.first().at(0).toBool();
    outcome.text = spy.first().at(1).toString();
    return outcome;
}

void expectDebugLine(const char* pattern)
{
    if (QLoggingCategory::defaultCategory()->isDebugEnabled())
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QLatin1String(pattern)));
}

} // namespace

class tst_NxNetWorkChecker : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void endpointFromUrl_data();
    void endpointFromUrl();

    void listeningServerIsReachable();
    void immediateFailureAnswersLater_data();
    void immediateFailureAnswersLater();
    void droppedConnectionTimesOut();
    void unroutableAddressAnswersWithinTimeout();
    void cloudhostIsTheFallback();
    void appHostWinsOverCloudhost();
    void missingOrBrokenEndpointIsUnreachable_data();
    void missingOrBrokenEndpointIsUnreachable();
    void overlappingChecksAnswerOncePerCall();

    void checkResultUpdatesState();
    void recheckReportsOnlyChanges();
    void unknownModeBehavesAsTcpSocket();

    void getInstReturnsOneManager();

private:
    NxTestEnvironment m_env;
};

void tst_NxNetWorkChecker::init()
{
    setHosts(QString());
}

void tst_NxNetWorkChecker::endpointFromUrl_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");

    QTest::newRow("explicit port") << "http://127.0.0.1:8080/api" << "127.0.0.1" << 8080;
    QTest::newRow("http default") << "http://example.org/api" << "example.org" << 80;
    QTest::newRow("https default") << "HTTPS://example.org" << "example.org" << 443;
    QTest::newRow("no scheme, port") << "example.org:8443" << "example.org" << 8443;
    QTest::newRow("bare host") << "cloud.example.org" << "cloud.example.org" << 80;
    QTest::newRow("other scheme") << "ftp://example.org" << "example.org" << 80;
    QTest::newRow("ipv6") << "http://[::1]:9000/x" << "::1" << 9000;
    QTest::newRow("spaces") << "  http://example.org:81  " << "example.org" << 81;
}

void tst_NxNetWorkChecker::endpointFromUrl()
{
    QFETCH(QString, url);
    QFETCH(QString, host);
    QFETCH(int, port);

    const NxEndpoint endpoint = NxEndpoint::fromUrl(url);
    QVERIFY2(endpoint.isValid(), qPrintable(endpoint.errorString()));
    QCOMPARE(endpoint.host(), host);
    QCOMPARE(int(endpoint.port()), port);
}

void tst_NxNetWorkChecker::listeningServerIsReachable()
{
    QTcpServer server;
    listenAndDrain(server);
    setHosts(urlOf(server.serverPort()));
    NxNetWorkChecker checker;

    const CheckOutcome outcome = runCheck(checker);

    QCOMPARE(outcome.answersDuringCall, 0);
    QCOMPARE(outcome.answers, 1);
    QVERIFY2(outcome.ok, qPrintable(outcome.text));
    QVERIFY2(outcome.text.contains(QString::number(server.serverPort())), qPrintable(outcome.text));
}

void tst_NxNetWorkChecker::immediateFailureAnswersLater_data()
{
    QTest::addColumn<QString>("appHost");

    const quint16 port = closedPort();
    QVERIFY(port != 0);
    QTest::newRow("refused port") << urlOf(port);
    // The socket reports this error from within connectToHost itself.
    QTest::newRow("broadcast address") << QStringLiteral("http://255.255.255.255:81/api");
}

void tst_NxNetWorkChecker::immediateFailureAnswersLater()
{
    QFETCH(QString, appHost);
    setHosts(appHost);
    NxNetWorkChecker checker;
    checker.setConnectTimeout(2000);

    const CheckOutcome outcome = runCheck(checker);

    QCOMPARE(outcome.answersDuringCall, 0);
    QCOMPARE(outcome.answers, 1);
    QVERIFY(!outcome.ok);
    QVERIFY(!outcome.text.isEmpty());
    QVERIFY2(outcome.elapsedMs < 2000, "an immediate failure must not wait for the time-out");
}

void tst_NxNetWorkChecker::droppedConnectionTimesOut()
{
    int sockets[2] = {-1, -1};
    const auto cleanup = qScopeGuard([&sockets] { closeSockets(sockets); });
    const quint16 port = openDroppingListener(sockets);
    if (port == 0)
        QSKIP("cannot fill a listen backlog here");

    setHosts(urlOf(port));
    NxNetWorkChecker checker;
    checker.setConnectTimeout(500);

    const CheckOutcome outcome = runCheck(checker);

    QCOMPARE(outcome.answersDuringCall, 0);
    QCOMPARE(outcome.answers, 1);
    QVERIFY2(!outcome.ok, qPrintable(outcome.text));
    QVERIFY2(outcome.elapsedMs >= 450, "answered before the time-out, so nothing was dropped");
    QVERIFY2(outcome.elapsedMs < 500 + 1500, qPrintable(QString::number(outcome.elapsedMs)));
}

// Depending on the network this is refused, dropped or even intercepted; what
// must always hold is one answer within the time-out.
void tst_NxNetWorkChecker::unroutableAddressAnswersWithinTimeout()
{
    setHosts(QStringLiteral("http://10.255.255.1:81/api"));
    NxNetWorkChecker checker;
    checker.setConnectTimeout(500);

    const CheckOutcome outcome = runCheck(checker);

    QCOMPARE(outcome.answersDuringCall, 0);
    QCOMPARE(outcome.answers, 1);
    QVERIFY2(outcome.elapsedMs < 500 + 1500, qPrintable(QString::number(outcome.elapsedMs)));
    QVERIFY(outcome.text.contains(QLatin1String("10.255.255.1")));
    if (outcome.ok)
        qInfo("this network accepts connections to 10.255.255.1; only the timing was checked");
}

void tst_NxNetWorkChecker::cloudhostIsTheFallback()
{
    QTcpServer server;
    listenAndDrain(server);
    setHosts(QString(), urlOf(server.serverPort()));
    NxNetWorkChecker checker;

    const CheckOutcome outcome = runCheck(checker);

    QCOMPARE(outcome.answers, 1);
    QVERIFY2(outcome.ok, qPrintable(outcome.text));
}

void tst_NxNetWorkChecker::appHostWinsOverCloudhost()
{
    QTcpServer server;
    listenAndDrain(server);
    const quint16 port = closedPort();
    QVERIFY(port != 0);
    NxNetWorkChecker checker;

    setHosts(urlOf(server.serverPort()), urlOf(port));
    const CheckOutcome reachable = runCheck(checker);
    setHosts(urlOf(port), urlOf(server.serverPort()));
    const CheckOutcome refused = runCheck(checker);

    QCOMPARE(reachable.answers, 1);
    QVERIFY2(reachable.ok, qPrintable(reachable.text));
    QCOMPARE(refused.answers, 1);
    QVERIFY2(!refused.ok, qPrintable(refused.text));
}

void tst_NxNetWorkChecker::missingOrBrokenEndpointIsUnreachable_data()
{
    QTest::addColumn<QString>("appHost");
    QTest::addColumn<QString>("cloudHost");

    QTest::newRow("both empty") << QString() << QString();
    QTest::newRow("blank") << "   " << "";
    QTest::newRow("no host") << "http://" << "";
    QTest::newRow("port out of range") << "http://127.0.0.1:99999/api" << "";
    QTest::newRow("broken fallback") << "" << "http://exa mple.org/";
}

void tst_NxNetWorkChecker::missingOrBrokenEndpointIsUnreachable()
{
    QFETCH(QString, appHost);
    QFETCH(QString, cloudHost);
    setHosts(appHost, cloudHost);
    NxNetWorkChecker checker;
    expectDebugLine("^NxNetWorkChecker::startCheck");

    const CheckOutcome outcome = runCheck(checker);

    QCOMPARE(outcome.answersDuringCall, 0);
    QCOMPARE(outcome.answers, 1);
    QVERIFY(!outcome.ok);
    QVERIFY(!outcome.text.isEmpty());
}

void tst_NxNetWorkChecker::overlappingChecksAnswerOncePerCall()
{
    int sockets[2] = {-1, -1};
    const auto cleanup = qScopeGuard([&sockets] { closeSockets(sockets); });
    const quint16 droppingPort = openDroppingListener(sockets);
    if (droppingPort == 0)
        QSKIP("cannot fill a listen backlog here");
    QTcpServer server;
    listenAndDrain(server);
    NxNetWorkChecker checker;
    checker.setConnectTimeout(800);
    QSignalSpy spy(&checker, &NxNetWorkChecker::sglResultNetWorkCheck);

    // The first check hangs until its time-out while the second completes.
    setHosts(urlOf(droppingPort));
    checker.startCheck(QStringLiteral("first"), QStringLiteral("manual"));
    setHosts(urlOf(server.serverPort()));
    checker.startCheck(QStringLiteral("second"), QStringLiteral("manual"));
    QCOMPARE(spy.count(), 0);

    QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 2, 800 + 2000);
    QTest::qWait(1000);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(0).toBool(), true);
    QCOMPARE(spy.at(1).at(0).toBool(), false);
}

void tst_NxNetWorkChecker::checkResultUpdatesState()
{
    QTcpServer server;
    listenAndDrain(server);
    NxNetWorkChecker checker;
    QSignalSpy stateSpy(&checker, &NxNetWorkChecker::sglNetWorkStateChanged);
    QVERIFY(!checker.networkState().has_value());

    setHosts(urlOf(server.serverPort()));
    runCheck(checker);
    runCheck(checker);
    QCOMPARE(stateSpy.count(), 1);
    QCOMPARE(stateSpy.at(0).at(0).toBool(), true);

    setHosts(QString());
    expectDebugLine("^NxNetWorkChecker::startCheck");
    runCheck(checker);
    QCOMPARE(stateSpy.count(), 2);
    QCOMPARE(stateSpy.at(1).at(0).toBool(), false);
    QCOMPARE(checker.networkState(), std::optional<bool>(false));
}

void tst_NxNetWorkChecker::recheckReportsOnlyChanges()
{
    QTcpServer server;
    listenAndDrain(server);
    const quint16 port = server.serverPort();
    setHosts(urlOf(port));
    NxNetWorkChecker checker;
    checker.setConnectTimeout(500);
    checker.setRecheckInterval(50);
    QSignalSpy stateSpy(&checker, &NxNetWorkChecker::sglNetWorkStateChanged);

    checker.setCheckMode(QStringLiteral("qtcpsocket"));
    QTRY_COMPARE_WITH_TIMEOUT(stateSpy.count(), 1, 3000);
    QCOMPARE(stateSpy.at(0).at(0).toBool(), true);
    QTest::qWait(300);
    QCOMPARE(stateSpy.count(), 1);

    server.close();
    QTRY_COMPARE_WITH_TIMEOUT(stateSpy.count(), 2, 3000);
    QCOMPARE(stateSpy.at(1).at(0).toBool(), false);
    QTest::qWait(300);
    QCOMPARE(stateSpy.count(), 2);

    listenAndDrain(server, port);
    QTRY_COMPARE_WITH_TIMEOUT(stateSpy.count(), 3, 3000);
    QCOMPARE(stateSpy.at(2).at(0).toBool(), true);
}

void tst_NxNetWorkChecker::unknownModeBehavesAsTcpSocket()
{
    QTcpServer server;
    listenAndDrain(server);
    setHosts(urlOf(server.serverPort()));
    NxNetWorkChecker checker;
    checker.setRecheckInterval(50);
    QSignalSpy stateSpy(&checker, &NxNetWorkChecker::sglNetWorkStateChanged);
    expectDebugLine("^NxNetWorkChecker::setCheckMode.*carrier-pigeon");

    checker.setCheckMode(QStringLiteral("carrier-pigeon"));

    QTRY_COMPARE_WITH_TIMEOUT(stateSpy.count(), 1, 3000);
    QCOMPARE(stateSpy.at(0).at(0).toBool(), true);
    const CheckOutcome outcome = runCheck(checker);
    QVERIFY2(outcome.ok, qPrintable(outcome.text));
}

// Callers only see the interfaces and connect by signal name.
void tst_NxNetWorkChecker::getInstReturnsOneManager()
{
    INxNetWorkManager* manager = NxRelaynet::getInst(qApp);
    QVERIFY(manager);
    QCOMPARE(NxRelaynet::getInst(qApp), manager);
    QObject other;
    QCOMPARE(NxRelaynet::getInst(&other), manager);
    QVERIFY(manager->getUserActionManager());
    INxNetWorkChecker* checker = manager->getNetChecker();
    QVERIFY(checker);
    QVERIFY(checker->getObject());

    QTcpServer server;
    listenAndDrain(server);
    setHosts(urlOf(server.serverPort()));
    QSignalSpy resultSpy(checker->getObject(), SIGNAL(sglResultNetWorkCheck(bool, QString)));
    QSignalSpy stateSpy(checker->getObject(), SIGNAL(sglNetWorkStateChanged(bool)));
    QVERIFY(resultSpy.isValid());
    QVERIFY(stateSpy.isValid());
    checker->startCheck(QStringLiteral("test"), QStringLiteral("manual"));
    QVERIFY(resultSpy.wait(kAnswerWaitMs));
    QCOMPARE(resultSpy.at(0).at(0).toBool(), true);
}

QTEST_GUILESS_MAIN(tst_NxNetWorkChecker)
#include "tst_NxNetWorkChecker.moc"

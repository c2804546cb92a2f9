#include "NxClientRecorder.h"
#include "NxCloudFixture.h"
#include "NxWebCmdCtrl.h"

#include <QCryptographicHash>
#include <QMutex>
#include <QUrlQuery>
#include <QtTest>

namespace {

// What the client itself writes to the log while it is installed; the
// in-process cloud's own threads are left out.
class ClientLog
{
public:
    explicit ClientLog(QThread* worker)
    {
        s_worker = worker;
        s_lines.clear();
        m_previous = qInstallMessageHandler(record);
    }
    ~ClientLog() { qInstallMessageHandler(m_previous); }
    static QString text()
    {
        QMutexLocker lock(&s_mutex);
        return s_lines.join('\n');
    }

private:
    static void record(QtMsgType, const QMessageLogContext&, const QString& line)
    {
        QThread* thread = QThread::currentThread();
        QMutexLocker lock(&s_mutex);
        if (thread == s_worker || thread == qApp->thread())
            s_lines << line;
    }

    QtMessageHandler m_previous;
    static inline QMutex s_mutex;
    static inline QStringList s_lines;
    static inline QThread* s_worker = nullptr;
};

} // namespace

// The whole QR sign-in against the local cloud service.
class tst_NxWebCmdCtrlSignIn : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void wholeSignIn_data();
    void wholeSignIn();
    void refusedPollGivesMinus21();
    void failedPollGivesMinus11();
    void textWithoutActionTypeGivesMinus11();
    void redirectedPollFails();
    void redirectedAvatarStillSignsIn();
    void refusedQuickSignInGivesMinus1();
    void failedQuickSignInGivesMinus21();
    void emptyAccessTokenGivesMinus100();
    void unreachableAvatarStillSignsIn();

private:
    void startClient(const QString& platformHost);
    QString newCode(QString* qrText);
    void poll(const QString& qrText);
    // Confirms a new code in the cloud and asks the client to poll it.
    void pollConfirmed();

    NxCloudFixture* m_world = nullptr;
    NxWebCmdCtrl* m_client = nullptr; // the world's
    NxClientRecorder* m_answers = nullptr;
    int m_context = 0;
};

void tst_NxWebCmdCtrlSignIn::init()
{
    QCoreApplication::setApplicationName("TavomcPresenterPro");
    m_world = new NxCloudFixture;
    m_world->cloud().addPicture("avatar-demo-teacher.png", 256, 256);
    startClient("localhost");
}

void tst_NxWebCmdCtrlSignIn::cleanup()
{
    delete m_answers;
    m_answers = nullptr;
    delete m_world;
}

void tst_NxWebCmdCtrlSignIn::startClient(const QString& platformHost)
{
    delete m_answers;
    const quint16 port = m_world->cloud().server().port();
    // Another host name for the platform makes the quick sign-in use the REST
    // signature; none at all leaves it to be derived from "loginHost".
    const QString platform = platformHost.isEmpty() ? QString() : QString("http://%1:%2/").arg(platformHost).arg(port);
    qApp->setProperty("platformHost", platform);
    qApp->setProperty("loginHost", QString("http://127.0.0.1:%1/login/sso?from=panel").arg(port));
    qApp->setProperty("cloudhost", QString("http://127.0.0.1:%1/").arg(port));
    m_client = m_world->startClient();
    m_answers = new NxClientRecorder(m_client);
}

QString tst_NxWebCmdCtrlSignIn::newCode(QString* qrText)
{
    m_client->getLoginQr(*qrText);
    return QUrlQuery(QUrl(*qrText).query()).queryItemValue("code");
}

void tst_NxWebCmdCtrlSignIn::poll(const QString& qrText)
{
    const int before = m_world->cloud().server().requestCount("/v1/web/redirect/pcenter");
    m_client->queryQRlogin(qrText, &m_context);
    QTRY_COMPARE(m_world->cloud().server().requestCount("/v1/web/redirect/pcenter"), before + 1);
}

void tst_NxWebCmdCtrlSignIn::pollConfirmed()
{
    QString qr;
    m_world->cloud().server().confirmCode(newCode(&qr));
    m_client->queryQRlogin(qr, &m_context);
}

void tst_NxWebCmdCtrlSignIn::wholeSignIn_data()
{
    QTest::addColumn<QString>("platformHost");
    QTest::addColumn<QString>("signature");
    QTest::newRow("REST signature") << "localhost" << "restauth";
    QTest::newRow("platform signature") << "127.0.0.1" << "authcode";
    QTest::newRow("platform host from login host") << "" << "authcode";
}

void tst_NxWebCmdCtrlSignIn::wholeSignIn()
{
    QFETCH(QString, platformHost);
    QFETCH(QString, signature);
    startClient(platformHost);
    ClientLog log(m_client->thread());
    QString qr;
    const QString code = newCode(&qr);

    poll(qr);
    QTest::qWait(200);
    QVERIFY2(m_answers->logins.isEmpty(), "an unconfirmed code answers nothing");

    QVERIFY(m_world->cloud().server().confirmCode(code));
    poll(qr);
    QTRY_COMPARE(m_answers->logins.size(), 1);
    const auto answer = m_answers->logins.first();
    QCOMPARE(answer.context, static_cast<void*>(&m_context));
    QCOMPARE(answer.result, 0);
    QCOMPARE(answer.image.size(), QSize(256, 256));
    QVERIFY(!m_answers->offThread);

    INxWebCommandController::stLoginInfo info;
    QVERIFY(m_client->getLoginInfo(info));
    QCOMPARE(info.uid, QString("demo-teacher"));
    QVERIFY(!info.token.isEmpty());
    QVERIFY(QRegularExpression("^[0-9a-f]{32}$").match(info.casid).hasMatch());
    QString uid, token;
    QVERIFY(m_client->getLoginInfo(uid, token));
    QCOMPARE(uid, info.uid);
    QCOMPARE(token, info.token);

    NxCloudRequest quick;
    for (const auto& request : m_world->cloud().server().requests()) {
        if (request.path == "/api/userstep/loginbytoken")
            quick = request;
    }
    QCOMPARE(quick.method, QString("POST"));
    QCOMPARE(quick.header("accept"), QString("application/json"));
    QVERIFY(QString::fromUtf8(quick.body).contains(signature + "="));
    QVERIFY(QString::fromUtf8(quick.body).contains("uid=demo-teacher&usertype=1"));

    QUrlQuery pollQuery;
    for (const auto& request : m_world->cloud().server().requests()) {
        if (request.path == "/v1/web/redirect/pcenter")
            pollQuery = QUrlQuery(request.query);
    }
    const QStringList secrets{code, pollQuery.queryItemValue("enstr"), pollQuery.queryItemValue("auth"), info.token, info.casid};
    for (const QString& secret : secrets) {
        QVERIFY(!secret.isEmpty());
        QVERIFY2(!log.text().contains(secret), qPrintable(secret));
    }
    QVERIFY(log.text().contains("token: present"));
}

void tst_NxWebCmdCtrlSignIn::refusedPollGivesMinus21()
{
    m_world->cloud().setReply("/v1/web/redirect/pcenter", R"({"success": false, "message": "no"})");
    QString qr;
    newCode(&qr);
    m_client->queryQRlogin(qr, &m_context);
    QTRY_COMPARE(m_answers->logins.size(), 1);
    QCOMPARE(m_answers->logins.first().result, -21);
    QVERIFY(m_answers->logins.first().image.isNull());
}

void tst_NxWebCmdCtrlSignIn::failedPollGivesMinus11()
{
    m_world->cloud().setReply("/v1/web/redirect/pcenter", {}, 500);
    QString qr;
    newCode(&qr);
    m_client->queryQRlogin(qr, &m_context);
    QTRY_COMPARE(m_answers->logins.size(), 1);
    QCOMPARE(m_answers->logins.first().result, -11);
}

void tst_NxWebCmdCtrlSignIn::textWithoutActionTypeGivesMinus11()
{
    m_client->queryQRlogin(m_world->cloud().baseUrl() + "/v1/web/redirect?code=abc&target=eA==", &m_context);
    QTRY_COMPARE(m_answers->logins.size(), 1);
    QCOMPARE(m_answers->logins.first().result, -11);
    QCOMPARE(m_world->cloud().server().requests().size(), 0);
}

void tst_NxWebCmdCtrlSignIn::redirectedPollFails()
{
    m_world->cloud().setReply("/v1/web/redirect/pcenter", {}, 302);
    QString qr;
    newCode(&qr);
    poll(qr);
    QTRY_COMPARE(m_answers->logins.size(), 1);
    QCOMPARE(m_answers->logins.first().result, -11);
}

void tst_NxWebCmdCtrlSignIn::redirectedAvatarStillSignsIn()
{
    m_world->cloud().setReply("/pictures/avatar-demo-teacher.png", {}, 302);
    pollConfirmed();
    QTRY_COMPARE(m_answers->logins.size(), 1);
    QCOMPARE(m_answers->logins.first().result, 0);
    QVERIFY(m_answers->logins.first().image.isNull());
}

void tst_NxWebCmdCtrlSignIn::refusedQuickSignInGivesMinus1()
{
    m_world->cloud().setReply("/api/userstep/loginbytoken", R"({"success": false, "message": "bad token"})");
    pollConfirmed();
    QTRY_COMPARE(m_answers->logins.size(), 1);
    QCOMPARE(m_answers->logins.first().result, -1);
}

void tst_NxWebCmdCtrlSignIn::failedQuickSignInGivesMinus21()
{
    m_world->cloud().setReply("/api/userstep/loginbytoken", {}, 500);
    pollConfirmed();
    QTRY_COMPARE(m_answers->logins.size(), 1);
    QCOMPARE(m_answers->logins.first().result, -21);
}

void tst_NxWebCmdCtrlSignIn::emptyAccessTokenGivesMinus100()
{
    NxCloudServer::SignInOptions options = m_world->cloud().server().signInOptions();
    options.emptyAccessToken = true;
    m_world->cloud().server().setSignInOptions(options);
    pollConfirmed();
    QTRY_COMPARE(m_answers->logins.size(), 1);
    QCOMPARE(m_answers->logins.first().result, -100);
}

void tst_NxWebCmdCtrlSignIn::unreachableAvatarStillSignsIn()
{
    NxCloudServer::SignInOptions options = m_world->cloud().server().signInOptions();
    options.brokenAvatar = true;
    options.tokenKey = "usertoken";
    m_world->cloud().server().setSignInOptions(options);
    pollConfirmed();
    QTRY_COMPARE(m_answers->logins.size(), 1);
    QCOMPARE(m_answers->logins.first().result, 0);
    QVERIFY(m_answers->logins.first().image.isNull());
    INxWebCommandController::stLoginInfo info;
    m_client->getLoginInfo(info);
    QVERIFY(!info.token.isEmpty()); // taken from "usertoken"
}

QTEST_MAIN(tst_NxWebCmdCtrlSignIn)
#include "tst_NxWebCmdCtrlSignIn.moc"

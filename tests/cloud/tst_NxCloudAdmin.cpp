#include "NxAdminAccess.h"
#include "NxCloudServer.h"
#include "NxCloudSignInBook.h"
#include "NxCloudStore.h"
#include "NxFirstAdmin.h"
#include "NxHttpProbe.h"
#include "NxLoginThrottle.h"
#include "NxPostgresServer.h"
#include "NxTestDatabases.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QJsonArray>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>
#include <QtTest>
#include <map>
#include <memory>

namespace {
const QString& kSqlite = NxTestDatabases::sqlite;
const QString& kPostgres = NxTestDatabases::postgresql;
const QString kAdminPassword = QStringLiteral("admin-password-42");
const QString kTeacher = QStringLiteral("demo-teacher");
const QString kTeacherPassword = QStringLiteral("demo1234");
const QString kSession = QStringLiteral("/admin/api/session");
const QString kTeachers = QStringLiteral("/admin/api/teachers");
const QString kPage = QStringLiteral("/v1/web/redirect");
const QByteArray kFormType = "application/x-www-form-urlencoded";
const QStringList kHostileTexts = {QStringLiteral("Robert'); DROP TABLE teachers;--"),
                                   QStringLiteral("<script>alert('x')</script>"),
                                   QStringLiteral("\" OR 1=1 -- 王老师 \\")};

QByteArray json(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QByteArray formEncoded(const QString& value)
{
    return QUrl::toPercentEncoding(value);
}

QString newCode()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral("-1700000000");
}
}

// The admin API's sign-in, sessions, CSRF guard and throttling, the
// teachers' accounts and the phone's sign-in page, each against SQLite and a
// real PostgreSQL server alike, over HTTP on 127.0.0.1.
class TestNxCloudAdmin : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void waitDoublesFromTheLimit_data();
    void waitDoublesFromTheLimit();
    void signIn_data();
    void signIn();
    void sessionCookieAndSignOut_data();
    void sessionCookieAndSignOut();
    void guardRefuses_data();
    void guardRefuses();
    void throttlesAnAccount_data();
    void throttlesAnAccount();
    void successClearsTheAccountsFailures_data();
    void successClearsTheAccountsFailures();
    void throttlesAnAddress_data();
    void throttlesAnAddress();
    void instancesShareSessions();
    void adminChangesTheirPassword_data();
    void adminChangesTheirPassword();
    void firstStartPrintsThePasswordOnce_data();
    void firstStartPrintsThePasswordOnce();
    void teachersAreManagedAndAudited_data();
    void teachersAreManagedAndAudited();
    void hostileTextStaysText_data();
    void hostileTextStaysText();
    void phonePageSignsInATeacher_data();
    void phonePageSignsInATeacher();
    void phonePageThrottles_data();
    void phonePageThrottles();

private:
    struct Session
    {
        QByteArray cookie;  // "nx_admin=<token>"
        QByteArray csrf;
    };
    // A service on a database no test used yet, filled from the demo seed
    // and holding the admin with kAdminPassword.
    struct Cloud
    {
        NxCloudDatabaseAddress address = NxCloudDatabaseAddress::memory();
        QSharedPointer<NxCloudStore> store;
        std::unique_ptr<NxCloudServer> server;
        QString problem;
        Session admin;  // of a shared cloud, once signed in

        QString url(const QString& path) const { return server->baseUrl() + path; }
    };

    std::unique_ptr<Cloud> startCloud(const QString& kind);
    // One cloud for all rows of a test and kind: hashing is slow on purpose,
    // so rows that need no database of their own share one.
    Cloud& sharedCloud(const QString& kind);
    // The shared cloud's admin session, signed in at first use.
    static const Session& adminOf(Cloud& cloud);
    NxCloudDatabaseAddress freshAddress(const QString& kind, QString* problem);
    static std::unique_ptr<NxCloudServer> serve(const QSharedPointer<NxCloudStore>& store);
    static NxHttpProbe::Result signIn(const Cloud& cloud, const QString& name, const QString& password);
    static Session signedIn(const Cloud& cloud);
    // A request of a signed-in admin; a fresh probe each time, so no cookie
    // jar adds what the test did not say.
    static NxHttpProbe::Result call(const QByteArray& method, const QString& url, const Session& session,
                                    const QByteArray& body = QByteArray());
    static int retryAfter(const NxHttpProbe::Result& result);
    static QVariant ask(NxCloudStore& store, const QString& sql);
    static NxHttpProbe::Result postPhoneForm(const Cloud& cloud, const QString& code, const QString& name,
                                             const QString& password);

    QTemporaryDir m_dir;
    std::unique_ptr<NxPostgresServer> m_postgres;
    QJsonObject m_seed;
    int m_places = 0;
    std::map<QString, std::unique_ptr<Cloud>> m_shared;  // by test function and kind
};

void TestNxCloudAdmin::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_postgres = std::make_unique<NxPostgresServer>();
    QVERIFY2(m_postgres->problem().isEmpty(), qPrintable(m_postgres->problem()));
    m_seed = NxCloudServer::loadSeed(QStringLiteral(NX_CLOUD_DEMO_SEED));
    QCOMPARE(m_seed.value("signIn").toObject().value("password").toString(), kTeacherPassword);
}

NxCloudDatabaseAddress TestNxCloudAdmin::freshAddress(const QString& kind, QString* problem)
{
    const QString name = QStringLiteral("admin%1").arg(++m_places);
    if (kind == kSqlite) {
        const QString dir = m_dir.filePath(name);
        if (!QDir().mkpath(dir))
            *problem = "cannot make " + dir;
        return NxCloudDatabaseAddress::sqliteFile(QDir(dir).filePath("cloud.sqlite"));
    }
    const QString url = m_postgres->createDatabase(name);
    if (url.isEmpty()) {
        *problem = m_postgres->problem();
        return NxCloudDatabaseAddress::memory();
    }
    return NxCloudDatabaseAddress::fromUrl(url, problem);
}

std::unique_ptr<TestNxCloudAdmin::Cloud> TestNxCloudAdmin::startCloud(const QString& kind)
{
    auto cloud = std::make_unique<Cloud>();
    cloud->address = freshAddress(kind, &cloud->problem);
    bool filled = false;
    bool created = false;
    if (cloud->problem.isEmpty())
        cloud->store = NxCloudStore::open(cloud->address, &cloud->problem);
    if (!cloud->store || !cloud->store->fill(m_seed, QString(), &filled, &cloud->problem)
        || !NxFirstAdmin::ensure(*cloud->store, kAdminPassword, &created, &cloud->problem) || !created) {
        cloud->problem += QStringLiteral(" (no store, or not filled, or no admin made)");
        return cloud;
    }
    cloud->server = serve(cloud->store);
    if (!cloud->server)
        cloud->problem = QStringLiteral("the server does not start");
    return cloud;
}

TestNxCloudAdmin::Cloud& TestNxCloudAdmin::sharedCloud(const QString& kind)
{
    const QString key = QString::fromLatin1(QTest::currentTestFunction()) + ' ' + kind;
    std::unique_ptr<Cloud>& cloud = m_shared[key];
    if (!cloud)
        cloud = startCloud(kind);
    return *cloud;
}

const TestNxCloudAdmin::Session& TestNxCloudAdmin::adminOf(Cloud& cloud)
{
    if (cloud.admin.cookie.isEmpty())
        cloud.admin = signedIn(cloud);
    return cloud.admin;
}

std::unique_ptr<NxCloudServer> TestNxCloudAdmin::serve(const QSharedPointer<NxCloudStore>& store)
{
    auto server = std::make_unique<NxCloudServer>(store);
    return server->start() ? std::move(server) : nullptr;
}

NxHttpProbe::Result TestNxCloudAdmin::signIn(const Cloud& cloud, const QString& name, const QString& password)
{
    return NxHttpProbe().postJson(cloud.url(kSession), QJsonObject{{"name", name}, {"password", password}});
}

TestNxCloudAdmin::Session TestNxCloudAdmin::signedIn(const Cloud& cloud)
{
    const NxHttpProbe::Result result = signIn(cloud, NxFirstAdmin::name(), kAdminPassword);
    return Session{result.header("Set-Cookie").split(';').first(), result.json().value("csrf").toString().toUtf8()};
}

NxHttpProbe::Result TestNxCloudAdmin::call(const QByteArray& method, const QString& url, const Session& session,
                                           const QByteArray& body)
{
    NxHttpProbe::Headers headers{qMakePair(QByteArray("Content-Type"), QByteArray("application/json"))};
    if (!session.cookie.isEmpty())
        headers.append(qMakePair(QByteArray("Cookie"), session.cookie));
    if (!session.csrf.isEmpty())
        headers.append(qMakePair(QByteArray("X-CSRF-Token"), session.csrf));
    return NxHttpProbe().send(method, url, body, headers);
}

int TestNxCloudAdmin::retryAfter(const NxHttpProbe::Result& result)
{
    bool ok = false;
    const int seconds = result.header("Retry-After").toInt(&ok);
    return ok ? seconds : -1;
}

QVariant TestNxCloudAdmin::ask(NxCloudStore& store, const QString& sql)
{
    return store.database().call([&](QSqlDatabase& db) {
        QSqlQuery query(db);
        return query.exec(sql) && query.next() ? query.value(0) : QVariant();
    });
}

NxHttpProbe::Result TestNxCloudAdmin::postPhoneForm(const Cloud& cloud, const QString& code, const QString& name,
                                                    const QString& password)
{
    const QByteArray form = "code=" + code.toUtf8() + "&app=TavomcPresenterPro&name=" + formEncoded(name)
        + "&password=" + formEncoded(password);
    return NxHttpProbe().post(cloud.url(kPage + "/confirm"), form,
                              {qMakePair(QByteArray("Content-Type"), kFormType)});
}

void TestNxCloudAdmin::waitDoublesFromTheLimit_data()
{
    QTest::addColumn<int>("failures");
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("seconds");
    QTest::newRow("below the limit") << 4 << 5 << 0;
    QTest::newRow("at the limit") << 5 << 5 << 30;
    QTest::newRow("one more") << 6 << 5 << 60;
    QTest::newRow("three more") << 8 << 5 << 240;
    QTest::newRow("capped") << 12 << 5 << 900;
    QTest::newRow("far beyond") << 400 << 5 << 900;
    QTest::newRow("address") << 20 << 20 << 30;
}

void TestNxCloudAdmin::waitDoublesFromTheLimit()
{
    QFETCH(int, failures);
    QFETCH(int, limit);
    QFETCH(int, seconds);
    QCOMPARE(NxLoginThrottle::waitSeconds(failures, limit), seconds);
}

void TestNxCloudAdmin::signIn_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("status");
    for (const QString& kind : NxTestDatabases::kinds()) {
        const auto row = [&](const char* what) -> QTestData& { return QTest::newRow(qPrintable(kind + ' ' + what)) << kind; };
        row("admin") << "admin" << kAdminPassword << 200;
        row("wrong password") << "admin" << "admin-password-43" << 401;
        row("unknown name") << "root" << kAdminPassword << 401;
        row("a teacher's account") << kTeacher << kTeacherPassword << 401;
        row("empty password") << "admin" << "" << 401;
    }
}

void TestNxCloudAdmin::signIn()
{
    QFETCH(QString, kind);
    QFETCH(QString, name);
    QFETCH(QString, password);
    QFETCH(int, status);
    Cloud* cloud = &sharedCloud(kind);
    QVERIFY2(cloud->problem.isEmpty(), qPrintable(cloud->problem));
    const NxHttpProbe::Result result = signIn(*cloud, name, password);
    QCOMPARE(result.status, status);
    bool isJson = false;
    const QJsonObject answer = result.json(&isJson);
    QVERIFY(isJson);
    QCOMPARE(result.header("Set-Cookie").isEmpty(), status != 200);
    QCOMPARE(answer.value("csrf").toString().size() >= 40, status == 200);
    QCOMPARE(answer.contains("error"), status != 200);
    // A teacher's account is refused exactly like a wrong password.
    if (status == 401)
        QCOMPARE(answer, QJsonObject({{"error", "wrong name or password"}}));
    const QString action = status == 200 ? "sign in" : "sign in refused";
    QCOMPARE(ask(*cloud->store, "SELECT actor FROM audit_log WHERE action = '" + action + "' ORDER BY entry_id DESC")
                 .toString(), name);
    QCOMPARE(call("POST", cloud->url(kSession), Session(), "{not json").status, 400);
    QCOMPARE(signIn(*cloud, QString(201, QLatin1Char('a')), password).status, 400);
}

void TestNxCloudAdmin::sessionCookieAndSignOut_data()
{
    NxTestDatabases::addKindRows();
}

void TestNxCloudAdmin::sessionCookieAndSignOut()
{
    QFETCH(QString, kind);
    const auto cloud = startCloud(kind);
    QVERIFY2(cloud->problem.isEmpty(), qPrintable(cloud->problem));
    const NxHttpProbe::Result result = signIn(*cloud, NxFirstAdmin::name(), kAdminPassword);
    QCOMPARE(result.status, 200);
    const QList<QByteArray> attributes = result.header("Set-Cookie").split(';');
    QVERIFY(attributes.first().startsWith("nx_admin="));
    QStringList rest;
    for (const QByteArray& attribute : attributes.mid(1))
        rest.append(QString::fromLatin1(attribute.trimmed()));
    rest.sort();
    QCOMPARE(rest, QStringList({"HttpOnly", "Path=/admin", "SameSite=Strict"}));

    // The database knows only the token's SHA-256.
    const QByteArray token = attributes.first().mid(int(qstrlen("nx_admin=")));
    QVERIFY(token.size() >= 40);
    const QByteArray digest = QCryptographicHash::hash(token, QCryptographicHash::Sha256).toHex();
    QCOMPARE(ask(*cloud->store, "SELECT COUNT(*) FROM admin_sessions WHERE token_hash = '" + digest + "'").toInt(), 1);
    QCOMPARE(ask(*cloud->store, "SELECT COUNT(*) FROM admin_sessions WHERE token_hash = '" + token + "'").toInt(), 0);

    const Session session{attributes.first(), result.json().value("csrf").toString().toUtf8()};
    const NxHttpProbe::Result current = call("GET", cloud->url(kSession), Session{session.cookie, QByteArray()});
    QCOMPARE(current.status, 200);
    QCOMPARE(current.json(), result.json());
    const NxHttpProbe::Result out = call("DELETE", cloud->url(kSession), session);
    QCOMPARE(out.status, 204);
    QVERIFY(out.header("Set-Cookie").contains("Max-Age=0"));
    QCOMPARE(call("GET", cloud->url(kSession), session).status, 401);
    QCOMPARE(call("GET", cloud->url(kTeachers), session).status, 401);

    // Served over TLS, the cookie is marked Secure too.
    cloud->server->adminAccess().setSecureCookies(true);
    const QByteArray secure = signIn(*cloud, NxFirstAdmin::name(), kAdminPassword).header("Set-Cookie");
    QVERIFY2(secure.endsWith("; Secure") && secure.contains("HttpOnly"), secure.constData());
}

void TestNxCloudAdmin::guardRefuses_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QString>("cookie");  // "session", "none", "forged", "expired"
    QTest::addColumn<QString>("csrf");    // "session", "none", "wrong"
    QTest::addColumn<int>("status");
    for (const QString& kind : NxTestDatabases::kinds()) {
        const auto row = [&](const char* what) -> QTestData& { return QTest::newRow(qPrintable(kind + ' ' + what)) << kind; };
        row("read signed in") << QByteArray("GET") << "session" << "none" << 200;
        row("read without session") << QByteArray("GET") << "none" << "none" << 401;
        row("read with a forged cookie") << QByteArray("GET") << "forged" << "none" << 401;
        row("read after 8 idle hours") << QByteArray("GET") << "expired" << "session" << 401;
        row("change with token") << QByteArray("POST") << "session" << "session" << 201;
        row("change without token") << QByteArray("POST") << "session" << "none" << 403;
        row("change with a wrong token") << QByteArray("POST") << "session" << "wrong" << 403;
        row("change without session") << QByteArray("POST") << "none" << "session" << 401;
        row("delete without token") << QByteArray("DELETE") << "session" << "none" << 403;
        row("patch with a wrong token") << QByteArray("PATCH") << "session" << "wrong" << 403;
    }
}

void TestNxCloudAdmin::guardRefuses()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, method);
    QFETCH(QString, cookie);
    QFETCH(QString, csrf);
    QFETCH(int, status);
    Cloud& cloud = sharedCloud(kind);
    QVERIFY2(cloud.problem.isEmpty(), qPrintable(cloud.problem));
    // The session that expires is one of its own.
    const Session session = cookie == "expired" ? signedIn(cloud) : adminOf(cloud);
    QVERIFY(!session.csrf.isEmpty());
    if (cookie == "expired") {
        const qint64 nineHours = 9LL * 3600 * 1000;
        const QByteArray digest = QCryptographicHash::hash(session.cookie.mid(int(qstrlen("nx_admin="))),
                                                           QCryptographicHash::Sha256).toHex();
        QVERIFY(cloud.store->database().write([&](QSqlDatabase& db, QString*) {
            return QSqlQuery(db).exec(QStringLiteral("UPDATE admin_sessions SET last_seen = last_seen - %1"
                                                     " WHERE token_hash = '%2'").arg(nineHours).arg(QString::fromLatin1(digest)));
        }, nullptr));
    }
    Session sent;
    sent.cookie = cookie == "none" ? QByteArray() : cookie == "forged" ? QByteArray("nx_admin=forged") : session.cookie;
    sent.csrf = csrf == "none" ? QByteArray() : csrf == "wrong" ? session.csrf.left(20) + "x" : session.csrf;
    // Each row its own teacher, so a change that got through shows.
    const QString id = QStringLiteral("row%1").arg(++m_places);
    const QString url = cloud.url(method == "GET" || method == "POST" ? kTeachers : kTeachers + "/" + kTeacher);
    const QByteArray body = method == "POST" ? json({{"id", id}, {"name", "李老师"}, {"password", "li-password"}})
                                             : json({{"enabled", false}});
    const NxHttpProbe::Result result = call(method, url, sent, body);
    QCOMPARE(result.status, status);
    QVERIFY(result.json().contains(status < 300 ? "id" : "error") || result.json().contains("teachers"));
    // A refused change changed nothing.
    QCOMPARE(ask(*cloud.store, "SELECT COUNT(*) FROM teachers WHERE teacher_id = '" + id + "'").toInt(),
             status == 201 ? 1 : 0);
    QCOMPARE(ask(*cloud.store, "SELECT enabled FROM teachers WHERE teacher_id = '" + kTeacher + "'").toInt(), 1);
}

void TestNxCloudAdmin::throttlesAnAccount_data()
{
    NxTestDatabases::addKindRows();
}

void TestNxCloudAdmin::throttlesAnAccount()
{
    QFETCH(QString, kind);
    const auto cloud = startCloud(kind);
    QVERIFY2(cloud->problem.isEmpty(), qPrintable(cloud->problem));
    for (int i = 0; i < NxLoginThrottle::kAccountLimit; ++i)
        QCOMPARE(signIn(*cloud, "admin", "guess-" + QString::number(i)).status, 401);
    const NxHttpProbe::Result throttled = signIn(*cloud, "admin", "guess-again");
    QCOMPARE(throttled.status, 429);
    QVERIFY2(retryAfter(throttled) > 0 && retryAfter(throttled) <= NxLoginThrottle::kFirstWaitSeconds,
             throttled.header("Retry-After").constData());
    QVERIFY(throttled.json().contains("error"));
    // Even the right password waits; another account from the address does not.
    QCOMPARE(signIn(*cloud, "admin", kAdminPassword).status, 429);
    QCOMPARE(signIn(*cloud, "someone-else", kAdminPassword).status, 401);

    // Every instance on the database sees the failures.
    QString error;
    const QSharedPointer<NxCloudStore> other = NxCloudStore::open(cloud->address, &error);
    QVERIFY2(other, qPrintable(error));
    const std::unique_ptr<NxCloudServer> second = serve(other);
    QVERIFY(second);
    const NxHttpProbe::Result there = NxHttpProbe().postJson(second->baseUrl() + kSession,
                                                             QJsonObject{{"name", "admin"}, {"password", kAdminPassword}});
    QCOMPARE(there.status, 429);
}

void TestNxCloudAdmin::successClearsTheAccountsFailures_data()
{
    NxTestDatabases::addKindRows();
}

void TestNxCloudAdmin::successClearsTheAccountsFailures()
{
    QFETCH(QString, kind);
    const auto cloud = startCloud(kind);
    QVERIFY2(cloud->problem.isEmpty(), qPrintable(cloud->problem));
    for (int round = 0; round < 2; ++round) {
        for (int i = 1; i < NxLoginThrottle::kAccountLimit; ++i)
            QCOMPARE(signIn(*cloud, "admin", "guess-" + QString::number(i)).status, 401);
        QCOMPARE(signIn(*cloud, "admin", kAdminPassword).status, 200);
    }
}

void TestNxCloudAdmin::throttlesAnAddress_data()
{
    NxTestDatabases::addKindRows();
}

void TestNxCloudAdmin::throttlesAnAddress()
{
    QFETCH(QString, kind);
    const auto cloud = startCloud(kind);
    QVERIFY2(cloud->problem.isEmpty(), qPrintable(cloud->problem));
    // Each name fails once only: the address is what adds up. All but the
    // last failure go straight into the database, as another instance
    // would have recorded them.
    QVERIFY(cloud->store->database().write([&](QSqlDatabase& db, QString* e) {
        for (int i = 1; i < NxLoginThrottle::kAddressLimit; ++i) {
            const NxLoginThrottle::Key key = NxLoginThrottle::admin("name-" + QString::number(i), "127.0.0.1");
            if (!NxLoginThrottle::fail(db, key, QDateTime::currentMSecsSinceEpoch(), e))
                return false;
        }
        return true;
    }, nullptr));
    QCOMPARE(signIn(*cloud, "name-0", "guess").status, 401);
    const NxHttpProbe::Result throttled = signIn(*cloud, "admin", kAdminPassword);
    QCOMPARE(throttled.status, 429);
    QVERIFY(retryAfter(throttled) > 0);
}

void TestNxCloudAdmin::instancesShareSessions()
{
    const auto cloud = startCloud(kPostgres);
    QVERIFY2(cloud->problem.isEmpty(), qPrintable(cloud->problem));
    QString error;
    const QSharedPointer<NxCloudStore> other = NxCloudStore::open(cloud->address, &error);
    QVERIFY2(other, qPrintable(error));
    const std::unique_ptr<NxCloudServer> second = serve(other);
    QVERIFY(second);

    const Session session = signedIn(*cloud);
    const NxHttpProbe::Result there = call("GET", second->baseUrl() + kSession, session);
    QCOMPARE(there.status, 200);
    QCOMPARE(there.json().value("csrf").toString().toUtf8(), session.csrf);
    const QByteArray teacher = json({{"id", "zhao"}, {"name", "赵老师"}, {"password", "zhao-password"}});
    QCOMPARE(call("POST", second->baseUrl() + kTeachers, session, teacher).status, 201);
    QCOMPARE(call("GET", cloud->url(kTeachers), session).json().value("total").toInt(), 2);
    QCOMPARE(call("DELETE", second->baseUrl() + kSession, session).status, 204);
    QCOMPARE(call("GET", cloud->url(kSession), session).status, 401);
}

void TestNxCloudAdmin::adminChangesTheirPassword_data()
{
    NxTestDatabases::addKindRows();
}

void TestNxCloudAdmin::adminChangesTheirPassword()
{
    QFETCH(QString, kind);
    const auto cloud = startCloud(kind);
    QVERIFY2(cloud->problem.isEmpty(), qPrintable(cloud->problem));
    const Session here = signedIn(*cloud);
    const Session elsewhere = signedIn(*cloud);
    const QString url = cloud->url("/admin/api/password");
    const QString fresh = QStringLiteral("a-fresh-password");
    QCOMPARE(call("POST", url, here, json({{"current", "not-the-password"}, {"password", fresh}})).status, 400);
    QCOMPARE(call("POST", url, here, json({{"current", kAdminPassword}, {"password", "short"}})).status, 400);
    QCOMPARE(call("POST", url, Session{here.cookie, QByteArray()}, json({{"current", kAdminPassword}, {"password", fresh}})).status,
             403);
    QCOMPARE(call("POST", url, here, json({{"current", kAdminPassword}, {"password", fresh}})).status, 204);
    // This session goes on, every other one of the admin ends.
    QCOMPARE(call("GET", cloud->url(kSession), here).status, 200);
    QCOMPARE(call("GET", cloud->url(kSession), elsewhere).status, 401);
    QCOMPARE(signIn(*cloud, "admin", kAdminPassword).status, 401);
    QCOMPARE(signIn(*cloud, "admin", fresh).status, 200);
    // Argon2id with libsodium's interactive limits: 64 MiB, two passes.
    const QString hash = ask(*cloud->store, "SELECT password_hash FROM admins").toString();
    QVERIFY2(hash.startsWith("$argon2id$v=19$m=65536,t=2,p=1$") && !hash.contains(fresh), qPrintable(hash));
}

void TestNxCloudAdmin::firstStartPrintsThePasswordOnce_data()
{
    QTest::addColumn<bool>("inMemory");
    QTest::addColumn<bool>("fromFile");
    QTest::newRow("drawn, in a data directory") << false << false;
    QTest::newRow("from a file") << false << true;
    QTest::newRow("drawn, in memory") << true << false;
}

void TestNxCloudAdmin::firstStartPrintsThePasswordOnce()
{
    QFETCH(bool, inMemory);
    QFETCH(bool, fromFile);
    const QString dataDir = m_dir.filePath(QStringLiteral("first%1").arg(++m_places));
    const QString passwordFile = m_dir.filePath(QStringLiteral("password%1.txt").arg(m_places));
    QStringList arguments{"--port", "0"};
    if (!inMemory)
        arguments << "--data" << dataDir;
    if (fromFile) {
        // A password too short to be any good is refused at start.
        QFile file(passwordFile);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("short\n") > 0);
        file.close();
        arguments << "--admin-password-file" << passwordFile;
        QProcess refused;
        refused.start(QStringLiteral(NX_CLOUD_SERVICE), arguments);
        QVERIFY(refused.waitForFinished(20000));
        QCOMPARE(refused.exitCode(), 1);
        QVERIFY(refused.readAllStandardError().contains("at least 8 characters"));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write("from-the-file-123\n") > 0);
    }
    // Each start: its whole output once it ended, and whether the password
    // read from it (or the file's) lets the admin in.
    // known: the password to try instead of the file's or the printed one.
    const auto run = [&](QString* output, const QString& known) {
        QProcess service;
        service.start(QStringLiteral(NX_CLOUD_SERVICE), arguments);
        if (!service.waitForStarted(5000))
            return -1;
        for (int i = 0; i < 200 && !service.canReadLine(); ++i)
            service.waitForReadyRead(100);
        const QString base = QString::fromUtf8(service.readLine()).trimmed();
        QTest::qWait(200);
        const QString rest = QString::fromUtf8(service.readAll());
        const QString printed = QRegularExpression("one-time password (\\S+)").match(rest).captured(1);
        const QString password = !known.isEmpty() ? known : fromFile ? QStringLiteral("from-the-file-123") : printed;
        const int status = NxHttpProbe().postJson(base + kSession, QJsonObject{{"name", "admin"}, {"password", password}}).status;
        service.terminate();
        service.waitForFinished(10000);
        *output = base + '\n' + rest + QString::fromUtf8(service.readAll());
        return status;
    };
    QString first;
    QCOMPARE(run(&first, QString()), 200);
    QVERIFY2(QRegularExpression("^http://127\\.0\\.0\\.1:\\d+\n").match(first).hasMatch(), qPrintable(first));
    QCOMPARE(first.contains("one-time password"), !fromFile);
    QVERIFY(!first.contains("from-the-file-123"));
    if (inMemory)
        return;
    QString second;
    QCOMPARE(run(&second, QString()), fromFile ? 200 : 401);
    QVERIFY2(!second.contains("password"), qPrintable(second));

    // A lost password is reset from the command line, the service stopped.
    QProcess reset;
    reset.start(QStringLiteral(NX_CLOUD_SERVICE), arguments + QStringList{"--reset-admin-password"});
    QVERIFY(reset.waitForFinished(30000));
    QCOMPARE(reset.exitCode(), 0);
    const QString said = QString::fromUtf8(reset.readAllStandardOutput());
    const QString fresh = fromFile ? QStringLiteral("from-the-file-123")
                                   : QRegularExpression("one-time password: (\\S+)").match(said).captured(1);
    QCOMPARE(said.contains("one-time password"), !fromFile);
    QString third;
    QCOMPARE(run(&third, fresh), 200);
}

void TestNxCloudAdmin::teachersAreManagedAndAudited_data()
{
    NxTestDatabases::addKindRows();
}

void TestNxCloudAdmin::teachersAreManagedAndAudited()
{
    QFETCH(QString, kind);
    const auto cloud = startCloud(kind);
    QVERIFY2(cloud->problem.isEmpty(), qPrintable(cloud->problem));
    const Session session = signedIn(*cloud);
    const QJsonObject li{{"id", "li"}, {"name", "李老师"}, {"password", "li-password"}, {"avatar", "pictures/li.png"}};
    const NxHttpProbe::Result added = call("POST", cloud->url(kTeachers), session, json(li));
    QCOMPARE(added.status, 201);
    const QJsonObject expected{{"id", "li"}, {"name", "李老师"}, {"avatar", cloud->url("/pictures/li.png")},
                               {"enabled", true}, {"ownChannels", 0}};
    QCOMPARE(added.json(), expected);
    QCOMPARE(call("POST", cloud->url(kTeachers), session, json(li)).status, 409);
    QVERIFY(ask(*cloud->store, "SELECT password_hash FROM teachers WHERE teacher_id = 'li'").toString()
                .startsWith("$argon2id$"));
    QCOMPARE(call("POST", cloud->url(kTeachers), session, json({{"id", "wu"}, {"name", "吴"}, {"password", "short"}})).status, 400);
    QCOMPARE(call("POST", cloud->url(kTeachers), session, json({{"id", "a b/c"}, {"name", "x"}, {"password", "long-enough"}})).status, 400);
    QCOMPARE(call("POST", cloud->url(kTeachers), session, json({{"id", "wu"}, {"name", "吴"}, {"password", "long-enough"},
                                                                 {"avatar", "javascript:alert(1)"}})).status, 400);

    const QJsonObject list = call("GET", cloud->url(kTeachers + "?limit=1&offset=1"), session).json();
    QCOMPARE(list.value("total").toInt(), 2);
    QCOMPARE(list.value("teachers").toArray(), QJsonArray{expected});  // in id order: demo-teacher, li
    const QJsonObject demo = call("GET", cloud->url(kTeachers), session).json().value("teachers").toArray().first().toObject();
    QCOMPARE(demo.value("ownChannels").toInt(), m_seed.value("users").toObject().value(kTeacher).toArray().size());
    QCOMPARE(call("GET", cloud->url(kTeachers + "?limit=501"), session).status, 400);

    const NxHttpProbe::Result changed = call("PATCH", cloud->url(kTeachers + "/li"), session,
                                             json({{"name", "李明"}, {"enabled", false}}));
    QCOMPARE(changed.status, 200);
    QCOMPARE(changed.json().value("name").toString(), QStringLiteral("李明"));
    QCOMPARE(changed.json().value("enabled").toBool(true), false);
    QCOMPARE(call("PATCH", cloud->url(kTeachers + "/nobody"), session, json({{"enabled", true}})).status, 404);
    QCOMPARE(call("PATCH", cloud->url(kTeachers + "/li"), session, json({{"enabled", "yes"}})).status, 400);
    QCOMPARE(call("PATCH", cloud->url(kTeachers + "/li"), session, json({})).status, 400);
    // The path is decoded once: "l%2569" names the id "l%69", not "li".
    QCOMPARE(call("PATCH", cloud->url(kTeachers + "/l%69"), session, json({{"enabled", false}})).status, 200);
    QCOMPARE(call("PATCH", cloud->url(kTeachers + "/l%2569"), session, json({{"enabled", false}})).status, 404);
    // Switched off, a teacher's earlier sign-in no longer gets a panel in.
    NxCloudSignInBook book(cloud->store);
    const QString code = newCode();
    QVERIFY(book.confirmFor(code, "li"));
    const NxCloudSignInBook::Grant grant = book.poll(code);
    QCOMPARE(call("PATCH", cloud->url(kTeachers + "/li"), session, json({{"enabled", true}})).status, 200);
    QVERIFY(!book.accessToken(grant.uid, grant.token).isEmpty());
    QCOMPARE(call("PATCH", cloud->url(kTeachers + "/li"), session, json({{"enabled", false}})).status, 200);
    QVERIFY(book.accessToken(grant.uid, grant.token).isEmpty());
    QCOMPARE(call("DELETE", cloud->url(kTeachers + "/li"), session).status, 204);
    QCOMPARE(call("DELETE", cloud->url(kTeachers + "/li"), session).status, 404);
    QCOMPARE(call("DELETE", cloud->url(kTeachers + "/" + kTeacher), session).status, 204);
    QCOMPARE(ask(*cloud->store, "SELECT COUNT(*) FROM channels WHERE list = 'own'").toInt(), 0);

    // Newest first, each change by the admin, no password anywhere.
    const NxHttpProbe::Result audit = call("GET", cloud->url("/admin/api/audit?limit=7"), session);
    QCOMPARE(audit.status, 200);
    QStringList actions;
    for (const QJsonValue& entry : audit.json().value("entries").toArray()) {
        actions.append(entry.toObject().value("action").toString() + ' ' + entry.toObject().value("subject").toString());
        QCOMPARE(entry.toObject().value("actor").toString(), QStringLiteral("admin"));
        QVERIFY(QRegularExpression("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ$")
                    .match(entry.toObject().value("at").toString()).hasMatch());
    }
    QCOMPARE(actions, QStringList({"delete teacher demo-teacher", "delete teacher li", "change teacher li", "change teacher li",
                                  "change teacher li", "change teacher li", "add teacher li"}));
    QVERIFY(audit.json().value("total").toInt() >= 7);  // seed, admin, sign in and the changes
    QVERIFY(!audit.body.contains("password"));
}

void TestNxCloudAdmin::hostileTextStaysText_data()
{
    NxTestDatabases::addKindRows("text", kHostileTexts);
}

void TestNxCloudAdmin::hostileTextStaysText()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    Cloud& cloud = sharedCloud(kind);
    QVERIFY2(cloud.problem.isEmpty(), qPrintable(cloud.problem));
    const Session session = adminOf(cloud);
    const QString id = QStringLiteral("hostile%1").arg(++m_places);
    QCOMPARE(call("POST", cloud.url(kTeachers), session, json({{"id", id}, {"name", text}, {"password", text + "-password"}}))
                 .status, 201);
    bool listed = false;
    for (const QJsonValue& teacher : call("GET", cloud.url(kTeachers), session).json().value("teachers").toArray())
        listed = listed || (teacher.toObject().value("id") == id && teacher.toObject().value("name") == text);
    QVERIFY(listed);
    QCOMPARE(call("GET", cloud.url("/admin/api/audit?limit=1"), session).json().value("entries").toArray()
                 .first().toObject().value("detail").toString(), text);
    // As a name at sign-in too: refused, recorded as it was typed.
    QCOMPARE(signIn(cloud, text, text).status, 401);
    QCOMPARE(ask(*cloud.store, "SELECT actor FROM audit_log WHERE action = 'sign in refused' ORDER BY entry_id DESC")
                 .toString(), text);
    // The phone page shows it as text.
    const QString html = QString::fromUtf8(postPhoneForm(cloud, newCode(), text, "wrong-password").body);
    QVERIFY(html.contains(text.toHtmlEscaped()));
    QVERIFY(!html.contains("<script>alert"));
}

void TestNxCloudAdmin::phonePageSignsInATeacher_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");  // in the page again; empty: signed in
    for (const QString& kind : NxTestDatabases::kinds()) {
        const auto row = [&](const char* what) -> QTestData& { return QTest::newRow(qPrintable(kind + ' ' + what)) << kind; };
        row("by id") << "zhang" << "zhang-password" << 200 << "";
        row("by display name") << "张老师" << "zhang-password" << 200 << "";
        row("wrong password") << "zhang" << "zhang-passwore" << 401 << "Wrong name or password";
        row("unknown name") << "nobody" << "zhang-password" << 401 << "姓名或密码不正确";
        row("name of two teachers") << "陈老师" << "chen-password" << 400 << "enter your teacher ID";
        row("switched off") << "off" << "off-password" << 403 << "此账号已停用";
        row("wrong password, switched off") << "off" << "zhang-password" << 401 << "Wrong name or password";
    }
}

void TestNxCloudAdmin::phonePageSignsInATeacher()
{
    QFETCH(QString, kind);
    QFETCH(QString, name);
    QFETCH(QString, password);
    QFETCH(int, status);
    QFETCH(QString, message);
    Cloud* cloud = &sharedCloud(kind);
    QVERIFY2(cloud->problem.isEmpty(), qPrintable(cloud->problem));
    if (cloud->admin.cookie.isEmpty()) {
        const QList<QJsonObject> teachers = {
            {{"id", "zhang"}, {"name", "张老师"}, {"password", "zhang-password"}},
            {{"id", "chen1"}, {"name", "陈老师"}, {"password", "chen-password"}},
            {{"id", "chen2"}, {"name", "陈老师"}, {"password", "chen-password"}},
            {{"id", "off"}, {"name", "关老师"}, {"password", "off-password"}, {"enabled", false}}};
        for (const QJsonObject& teacher : teachers)
            QCOMPARE(call("POST", cloud->url(kTeachers), adminOf(*cloud), json(teacher)).status, 201);
    }

    const QString code = newCode();
    const NxHttpProbe::Result result = postPhoneForm(*cloud, code, name, password);
    QCOMPARE(result.status, status);
    const QString html = QString::fromUtf8(result.body);
    NxCloudSignInBook book(cloud->store);
    if (message.isEmpty()) {
        QVERIFY(html.contains(QStringLiteral("已确认登录")));
        QCOMPARE(book.userOf(code).id, QStringLiteral("zhang"));
        const NxCloudSignInBook::Grant grant = book.poll(code);
        QCOMPARE(grant.uid, QStringLiteral("zhang"));
        QVERIFY(!book.accessToken(grant.uid, grant.token).isEmpty());
        return;
    }
    QVERIFY2(html.contains(message), qPrintable(html));
    QVERIFY(html.contains(QStringLiteral("<form method='post'")));
    QVERIFY(html.contains(QStringLiteral("name='code' value='%1'").arg(code)));
    QVERIFY(!book.isConfirmed(code));
}

void TestNxCloudAdmin::phonePageThrottles_data()
{
    NxTestDatabases::addKindRows();
}

void TestNxCloudAdmin::phonePageThrottles()
{
    QFETCH(QString, kind);
    const auto cloud = startCloud(kind);
    QVERIFY2(cloud->problem.isEmpty(), qPrintable(cloud->problem));
    const QString code = newCode();
    // By id and by display name alike: both count against the one account.
    for (int i = 0; i < NxLoginThrottle::kAccountLimit; ++i)
        QCOMPARE(postPhoneForm(*cloud, code, i % 2 ? kTeacher : QStringLiteral("王老师"), "guess").status, 401);
    const NxHttpProbe::Result throttled = postPhoneForm(*cloud, code, kTeacher, kTeacherPassword);
    QCOMPARE(throttled.status, 429);
    QVERIFY(retryAfter(throttled) > 0);
    const QString html = QString::fromUtf8(throttled.body);
    QVERIFY(html.contains(QStringLiteral("尝试次数过多")));
    QVERIFY(html.contains(QStringLiteral("Too many tries")));
    QVERIFY(!NxCloudSignInBook(cloud->store).isConfirmed(code));
}

QTEST_GUILESS_MAIN(TestNxCloudAdmin)
#include "tst_NxCloudAdmin.moc"

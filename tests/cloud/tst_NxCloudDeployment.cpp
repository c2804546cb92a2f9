#include "NxAdminClient.h"
#include "NxFirstAdmin.h"
#include "NxCloudServer.h"
#include "NxCloudStore.h"
#include "NxHttpProbe.h"
#include "NxPostgresServer.h"
#include "NxTestDatabases.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QSslCertificate>
#include <QSqlQuery>
#include <QSslConfiguration>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {
const QString kCategory = QStringLiteral("nxtchannel");
const QString kInfo = QStringLiteral("/channel/getNxtChannelInfo");
const int kPropagationMs = 1000;
const QString& kSqlite = NxTestDatabases::sqlite;
const int kProgramTimeoutMs = 300000;

QJsonObject readJson(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object() : QJsonObject();
}

// Runs the service program to its end; its exit code, -1 when it crashed.
int runService(const QStringList& arguments, QString* errors = nullptr)
{
    QProcess service;
    service.start(QStringLiteral(NX_CLOUD_SERVICE), arguments + QStringList{"--port", "0"});
    const bool ended = service.waitForFinished(kProgramTimeoutMs);
    if (errors)
        *errors = QString::fromUtf8(service.readAllStandardError());
    return ended && service.exitStatus() == QProcess::NormalExit ? service.exitCode() : -1;
}

// The address a started service prints first; empty when it prints none.
QString awaitAddress(QProcess& service)
{
    while (!service.canReadLine()) {
        if (!service.waitForReadyRead(30000))
            return QString();
    }
    return QString::fromUtf8(service.readLine()).trimmed();
}

// The catalogue answer's banner count, as a panel reads it; -1 without one.
int bannerCount(const QString& baseUrl)
{
    NxHttpProbe probe;
    const QJsonObject answer = probe.postJson(baseUrl + kInfo, QJsonObject{{"channelId", kCategory}}).json();
    return answer.value("result").toObject().value("bannerCount").toInt(-1);
}

// Milliseconds until the answer shows count; -1 when it does not within limitMs.
qint64 msUntilBannerCount(const QString& baseUrl, int count, int limitMs)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() <= limitMs) {
        if (bannerCount(baseUrl) == count)
            return clock.elapsed();
        QTest::qWait(20);
    }
    return -1;
}

const QString kAdminPassword = QStringLiteral("deployment-admin-password");

// A change through one instance's admin API.
bool setBannerCount(NxAdminClient& admin, int count)
{
    return admin.json("PATCH", "/admin/api/categories/" + kCategory, {{"bannerCount", count}}).status == 200;
}
}

// The service as a school runs it: several instances on one database.
class TestNxCloudDeployment : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void instancesOnOnePostgresServeEachOthersChanges();
    void killDuringImportLeavesTheDatabaseAsItWas_data();
    void killDuringImportLeavesTheDatabaseAsItWas();
    void servesHttpsWithItsCertificate_data();
    void servesHttpsWithItsCertificate();
    void linksFollowTheProxy_data();
    void linksFollowTheProxy();

private:
    QSharedPointer<NxCloudStore> openStore(const QString& url);
    // Service arguments for a new database of kind; empty on failure.
    QStringList freshPlace(const QString& kind);
    QString bigCatalogue();

    int m_places = 0;
    QString m_bigCatalogue;

    QTemporaryDir m_dir;
    std::unique_ptr<NxPostgresServer> m_postgres;
    QJsonObject m_seed;
};

void TestNxCloudDeployment::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_postgres = std::make_unique<NxPostgresServer>();
    QVERIFY2(m_postgres->problem().isEmpty(), qPrintable(m_postgres->problem()));
    m_seed = NxCloudServer::loadSeed(QStringLiteral(NX_CLOUD_DEMO_SEED));
    QVERIFY(m_seed.contains("categories"));
}

QSharedPointer<NxCloudStore> TestNxCloudDeployment::openStore(const QString& url)
{
    QString error;
    const QSharedPointer<NxCloudStore> store = NxCloudStore::open(NxCloudDatabaseAddress::fromUrl(url, &error), &error);
    bool filled = false;
    if (!store || !store->fill(m_seed, QString(), &filled, &error))
        qWarning().noquote() << "cannot open" << url << error;
    return store;
}

void TestNxCloudDeployment::instancesOnOnePostgresServeEachOthersChanges()
{
    const QString url = m_postgres->createDatabase("instances");
    QVERIFY2(!url.isEmpty(), qPrintable(m_postgres->problem()));
    const QSharedPointer<NxCloudStore> first = openStore(url);
    const QSharedPointer<NxCloudStore> second = openStore(url);
    QVERIFY(first && second);
    bool created = false;
    QString error;
    QVERIFY2(NxFirstAdmin::ensure(*first, kAdminPassword, &created, &error), qPrintable(error));
    NxCloudServer one(first);
    NxCloudServer other(second);
    QVERIFY(one.start() && other.start());
    NxAdminClient adminOfOne(one.baseUrl());
    NxAdminClient adminOfOther(other.baseUrl());
    QVERIFY(adminOfOne.signIn(NxFirstAdmin::name(), kAdminPassword));
    QVERIFY(adminOfOther.signIn(NxFirstAdmin::name(), kAdminPassword));
    QCOMPARE(bannerCount(other.baseUrl()), 4);

    QVERIFY(setBannerCount(adminOfOne, 2));
    QCOMPARE(bannerCount(one.baseUrl()), 2);
    const qint64 ms = msUntilBannerCount(other.baseUrl(), 2, kPropagationMs);
    QVERIFY2(ms >= 0, "the other instance still serves the old catalogue after 1 s");
    qInfo() << "seen by the other instance after" << ms << "ms";

    // After a restart of the server both connections are new: a change is
    // seen once the other instance noticed, and the next within 1 s again.
    QVERIFY2(m_postgres->restart(), qPrintable(m_postgres->problem()));
    QVERIFY(setBannerCount(adminOfOne, 3));
    QVERIFY(msUntilBannerCount(other.baseUrl(), 3, 10000) >= 0);
    QVERIFY(setBannerCount(adminOfOther, 1));
    QVERIFY(msUntilBannerCount(one.baseUrl(), 1, kPropagationMs) >= 0);
    QVERIFY(setBannerCount(adminOfOne, 5));
    QVERIFY(msUntilBannerCount(other.baseUrl(), 5, kPropagationMs) >= 0);
}

QStringList TestNxCloudDeployment::freshPlace(const QString& kind)
{
    const QString name = QStringLiteral("place%1").arg(++m_places);
    if (kind == kSqlite)
        return {"--data", m_dir.filePath(name)};
    const QString url = m_postgres->createDatabase(name);
    return url.isEmpty() ? QStringList() : QStringList{"--database", url};
}

QString TestNxCloudDeployment::bigCatalogue()
{
    // A district's catalogue: 20,000 channels and 2,000 stations, as exported.
    if (m_bigCatalogue.isEmpty()) {
        const QString path = m_dir.filePath("big.json");
        if (runService({"--channels", "20000", "--stations", "2000", "--export", path}) == 0)
            m_bigCatalogue = path;
    }
    return m_bigCatalogue;
}

void TestNxCloudDeployment::killDuringImportLeavesTheDatabaseAsItWas_data()
{
    NxTestDatabases::addKindRows();
}

void TestNxCloudDeployment::killDuringImportLeavesTheDatabaseAsItWas()
{
    QFETCH(QString, kind);
    const QString big = bigCatalogue();
    QVERIFY(!big.isEmpty());
    const QStringList place = freshPlace(kind);
    QVERIFY2(!place.isEmpty(), qPrintable(m_postgres->problem()));
    const QString before = m_dir.filePath(kind + "-before.json");
    const QString after = m_dir.filePath(kind + "-after.json");
    QString errors;
    QCOMPARE(runService(place + QStringList{"--seed", NX_CLOUD_DEMO_SEED, "--export", before}, &errors), 0);

    // Killed once the import's transaction has written rows it has not
    // committed: the SQLite file's write-ahead log grows, or a PostgreSQL
    // session holds a transaction id.
    QString error;
    const NxCloudDatabaseAddress address = kind == kSqlite
        ? NxCloudDatabaseAddress::sqliteFile(QDir(place.at(1)).filePath("cloud.sqlite"))
        : NxCloudDatabaseAddress::fromUrl(place.at(1), &error);
    NxCloudDatabase observer(address);
    QVERIFY2(kind == kSqlite || observer.open(&error), qPrintable(error));
    const QString wal = QDir(place.at(1)).filePath("cloud.sqlite-wal");
    const auto writing = [&] {
        if (kind == kSqlite)
            return QFileInfo(wal).size() > 1024 * 1024;
        return observer.call([](QSqlDatabase& db) {
            QSqlQuery query(db);
            return query.exec("SELECT COUNT(*) FROM pg_stat_activity WHERE datname = current_database()"
                              " AND backend_xid IS NOT NULL AND pid <> pg_backend_pid()")
                && query.next() && query.value(0).toInt() > 0;
        });
    };
    QVERIFY(!writing());
    QProcess service;
    service.start(QStringLiteral(NX_CLOUD_SERVICE), place + QStringList{"--import", big, "--port", "0"});
    QVERIFY(service.waitForStarted());
    QElapsedTimer clock;
    clock.start();
    while (!writing() && service.state() == QProcess::Running && clock.elapsed() < kProgramTimeoutMs)
        QTest::qWait(5);
    const qint64 killedAfterMs = clock.elapsed();
    QCOMPARE(service.state(), QProcess::Running);
    service.kill();  // SIGKILL
    QVERIFY(service.waitForFinished());
    QCOMPARE(service.exitStatus(), QProcess::CrashExit);

    QCOMPARE(runService(place + QStringList{"--export", after}, &errors), 0);
    const QJsonObject exported = readJson(after);
    QVERIFY(!exported.isEmpty());
    QCOMPARE(exported, readJson(before));
    qInfo() << kind << "killed while importing 20,000 channels, after" << killedAfterMs << "ms";
}

void TestNxCloudDeployment::servesHttpsWithItsCertificate_data()
{
    QTest::addColumn<QString>("host");
    QTest::newRow("loopback") << "127.0.0.1";
    QTest::newRow("every network") << "0.0.0.0";
}

void TestNxCloudDeployment::servesHttpsWithItsCertificate()
{
    QFETCH(QString, host);
    QVERIFY(QSslSocket::supportsSsl());
    const QString certificate = m_dir.filePath("cert.pem");
    const QString key = m_dir.filePath("key.pem");
    QProcess openssl;
    openssl.start("openssl", {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out", certificate,
                              "-days", "2", "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1"});
    QVERIFY(openssl.waitForFinished(60000));
    QCOMPARE(openssl.exitCode(), 0);
    QProcess service;
    service.start(QStringLiteral(NX_CLOUD_SERVICE),
                  {"--host", host, "--port", "0", "--tls-cert", certificate, "--tls-key", key});
    const QString base = awaitAddress(service);
    QVERIFY2(base.startsWith("https://127.0.0.1:"), qPrintable(base));

    // Trusting only the school's certificate, as a panel given it would.
    QNetworkAccessManager manager;
    QNetworkRequest request(QUrl(base + kInfo));
    request.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setCaCertificates(QSslCertificate::fromPath(certificate));
    request.setSslConfiguration(tls);
    QNetworkReply* reply = manager.post(request, QJsonDocument(QJsonObject{{"channelId", kCategory}}).toJson());
    QSignalSpy finished(reply, &QNetworkReply::finished);
    QVERIFY(finished.wait(30000));
    QCOMPARE(reply->error(), QNetworkReply::NoError);
    const QJsonObject data = QJsonDocument::fromJson(reply->readAll()).object().value("result").toObject().value("data").toObject();
    QVERIFY(!data.value("channelName").toString().isEmpty());
    // Links lead back over HTTPS.
    const QString picture = data.value("children").toArray().first().toObject().value("images").toArray().first()
                                .toObject().value("url").toString();
    QVERIFY2(picture.startsWith(base + "/pictures/"), qPrintable(picture));
    reply->deleteLater();

    // Without that trust the same request is refused (another manager: no
    // connection or session of the first is taken over).
    QNetworkAccessManager stranger;
    QNetworkReply* untrusted = stranger.post(QNetworkRequest(QUrl(base + kInfo)), QByteArray("{}"));
    QSignalSpy refused(untrusted, &QNetworkReply::finished);
    QVERIFY(refused.wait(30000));
    QCOMPARE(untrusted->error(), QNetworkReply::SslHandshakeFailedError);
    untrusted->deleteLater();
    service.terminate();
    QVERIFY(service.waitForFinished());
}

void TestNxCloudDeployment::linksFollowTheProxy_data()
{
    QTest::addColumn<QByteArray>("forwardedProto");
    QTest::addColumn<QString>("scheme");
    QTest::newRow("https proxy") << QByteArray("https") << "https";
    QTest::newRow("http proxy") << QByteArray("HTTP") << "http";
    QTest::newRow("no proxy") << QByteArray() << "http";
    QTest::newRow("not a scheme") << QByteArray("javascript") << "http";
}

void TestNxCloudDeployment::linksFollowTheProxy()
{
    QFETCH(QByteArray, forwardedProto);
    QFETCH(QString, scheme);
    NxCloudServer server(m_seed);
    QVERIFY(server.start());
    NxHttpProbe::Headers headers{{"Host", "cloud.school.lan"}};
    if (!forwardedProto.isEmpty())
        headers.append({"X-Forwarded-Proto", forwardedProto});
    NxHttpProbe probe;
    const QJsonObject answer = probe.postJson(server.baseUrl() + kInfo, {{"channelId", kCategory}}, headers).json();
    const QString picture = answer.value("result").toObject().value("data").toObject().value("children").toArray().first()
                                .toObject().value("images").toArray().first().toObject().value("url").toString();
    QVERIFY2(picture.startsWith(scheme + "://cloud.school.lan/pictures/"), qPrintable(picture));
}

QTEST_GUILESS_MAIN(TestNxCloudDeployment)
#include "tst_NxCloudDeployment.moc"

#include "NxCloudCatalogue.h"
#include "NxCloudSchema.h"
#include "NxCloudServer.h"
#include "NxCloudSignInBook.h"
#include "NxCloudStore.h"
#include "NxHttpProbe.h"
#include "NxPostgresServer.h"
#include "NxTestDatabases.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>
#include <QtTest>
#include <memory>

namespace {
const QString& kSqlite = NxTestDatabases::sqlite;
const QString& kPostgres = NxTestDatabases::postgresql;
const QString kTeacher = QStringLiteral("demo-teacher");
const QString kList = QStringLiteral("/channel/getChannelListByUserId");
const QStringList kTables = {"nx_schema", "settings", "counters", "teachers", "categories", "channels",
                             "channel_images", "pictures", "live_codes", "sign_in_codes", "admins", "audit_log"};

QJsonObject liveCode(const QJsonObject& extra)
{
    QJsonObject code{{"clip", "media/demo-live.m3u8"}, {"title", "Extra"}};
    for (auto it = extra.begin(); it != extra.end(); ++it)
        code.insert(it.key(), it.value());
    return code;
}

// The demo seed with live codes that are off, past and current, and a
// category that is also offered as it is.
QJsonObject richSeed()
{
    QJsonObject seed = NxCloudServer::loadSeed(QStringLiteral(NX_CLOUD_DEMO_SEED));
    QJsonObject categories = seed.value("categories").toObject();
    QJsonObject mirrored = categories.value("tvstation").toObject().value("data").toObject();
    mirrored.insert("channelId", "science");
    categories.insert("science", QJsonObject{{"bannerCount", 0}, {"data", mirrored}});
    seed.insert("categories", categories);
    QJsonArray offered = seed.value("offered").toArray();
    offered.insert(1, mirrored);
    seed.insert("offered", offered);
    QJsonObject codes = seed.value("liveCodes").toObject();
    codes.insert("654321", liveCode({{"enabled", false}}));
    codes.insert("654322", liveCode({{"validUntil", "2001-01-01T00:00:00.000Z"}}));
    codes.insert("654323", liveCode({{"validFrom", "2001-01-01T00:00:00.000Z"}, {"validUntil", "2999-01-01T00:00:00.000Z"}}));
    seed.insert("liveCodes", codes);
    return seed;
}

QJsonObject readJson(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object() : QJsonObject();
}

QString picturesDir()
{
    return QDir(QStringLiteral(NX_CLOUD_OUT)).filePath(QStringLiteral("pictures"));
}

QStringList idsOf(const QJsonArray& channels)
{
    QStringList ids;
    for (const QJsonValue& channel : channels)
        ids.append(channel.toObject().value("channelId").toString());
    return ids;
}
}

// The storage of the local cloud service, each test against SQLite and a
// real PostgreSQL server alike.
class TestNxCloudStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void migratesAnEmptyDatabase_data();
    void migratesAnEmptyDatabase();
    void refusesANewerSchema_data();
    void refusesANewerSchema();
    void seedFillsOnlyAnEmptyDatabase_data();
    void seedFillsOnlyAnEmptyDatabase();
    void exportAndImportGiveTheSameCatalogue_data();
    void exportAndImportGiveTheSameCatalogue();
    void failedImportLeavesTheDatabaseAsItWas_data();
    void failedImportLeavesTheDatabaseAsItWas();
    void ownChannelsAndSignInCodesOutliveTheService_data();
    void ownChannelsAndSignInCodesOutliveTheService();
    void serviceOutlivesARestartOfPostgres();

private:
    // A database no test used yet, as an address and as service arguments.
    struct Place
    {
        NxCloudDatabaseAddress address = NxCloudDatabaseAddress::memory();
        QStringList arguments;
        QString problem;
    };

    Place freshPlace(const QString& kind);
    QSharedPointer<NxCloudStore> openFilled(const Place& place);
    static int runService(const QStringList& arguments, QString* errors);
    static QVariant ask(NxCloudStore& store, const QString& sql);

    QTemporaryDir m_dir;
    std::unique_ptr<NxPostgresServer> m_postgres;
    QJsonObject m_seed;
    int m_places = 0;
};

void TestNxCloudStore::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_postgres = std::make_unique<NxPostgresServer>();
    QVERIFY2(m_postgres->problem().isEmpty(), qPrintable(m_postgres->problem()));
    m_seed = richSeed();
    QVERIFY(!m_seed.value("categories").toObject().isEmpty());
}

TestNxCloudStore::Place TestNxCloudStore::freshPlace(const QString& kind)
{
    Place place;
    const QString name = QStringLiteral("place%1").arg(++m_places);
    if (kind == kSqlite) {
        const QString dir = m_dir.filePath(name);
        place.arguments = QStringList{"--data", dir};
        place.address = NxCloudDatabaseAddress::sqliteFile(QDir(dir).filePath("cloud.sqlite"));
        place.problem = QDir().mkpath(dir) ? QString() : "cannot make " + dir;
        return place;
    }
    const QString url = m_postgres->createDatabase(name);
    place.arguments = QStringList{"--database", url};
    place.address = NxCloudDatabaseAddress::fromUrl(url, &place.problem);
    if (url.isEmpty())
        place.problem = m_postgres->problem();
    return place;
}

QSharedPointer<NxCloudStore> TestNxCloudStore::openFilled(const Place& place)
{
    QString error;
    bool filled = false;
    QSharedPointer<NxCloudStore> store = NxCloudStore::open(place.address, &error);
    if (!store || !store->fill(m_seed, picturesDir(), &filled, &error) || !filled) {
        qWarning().noquote() << "cannot fill" << place.address.describe() << error;
        return QSharedPointer<NxCloudStore>();
    }
    return store;
}

int TestNxCloudStore::runService(const QStringList& arguments, QString* errors)
{
    QProcess service;
    service.start(QStringLiteral(NX_CLOUD_SERVICE), arguments + QStringList{"--port", "0"});
    if (!service.waitForFinished(60000))
        return -1;
    *errors = QString::fromUtf8(service.readAllStandardError());
    return service.exitStatus() == QProcess::NormalExit ? service.exitCode() : -1;
}

QVariant TestNxCloudStore::ask(NxCloudStore& store, const QString& sql)
{
    return store.database().call([&](QSqlDatabase& db) {
        QSqlQuery query(db);
        return query.exec(sql) && query.next() ? query.value(0) : QVariant();
    });
}

void TestNxCloudStore::migratesAnEmptyDatabase_data()
{
    NxTestDatabases::addKindRows();
}

void TestNxCloudStore::migratesAnEmptyDatabase()
{
    QFETCH(QString, kind);
    const Place place = freshPlace(kind);
    QVERIFY2(place.problem.isEmpty(), qPrintable(place.problem));
    QString error;
    QJsonObject channel = NxCloudServer::loadSeed(QStringLiteral(NX_CLOUD_DEMO_SEED)).value("users").toObject()
                              .value(kTeacher).toArray().first().toObject();
    for (int start = 0; start < 2; ++start) {
        const QSharedPointer<NxCloudStore> store = NxCloudStore::open(place.address, &error);
        QVERIFY2(store, qPrintable(error));
        const QStringList tables = store->database().call([](QSqlDatabase& db) { return db.tables(); });
        for (const QString& table : kTables)
            QVERIFY2(tables.contains(table), qPrintable(table));
        QCOMPARE(ask(*store, "SELECT version FROM nx_schema").toInt(), NxCloudSchema::latestVersion());
        QCOMPARE(ask(*store, "SELECT COUNT(*) FROM nx_schema").toInt(), 1);
        if (kind == kSqlite)
            QCOMPARE(ask(*store, "PRAGMA journal_mode").toString(), QStringLiteral("wal"));
        // What the first start stored is still there after the second.
        NxCloudCatalogue catalogue(store);
        if (start == 0)
            channel = catalogue.addUserChannel(kTeacher, channel);
        QCOMPARE(catalogue.userChannels(kTeacher), QJsonArray{channel});
    }
}

void TestNxCloudStore::refusesANewerSchema_data()
{
    NxTestDatabases::addKindRows();
}

void TestNxCloudStore::refusesANewerSchema()
{
    QFETCH(QString, kind);
    const Place place = freshPlace(kind);
    QVERIFY2(place.problem.isEmpty(), qPrintable(place.problem));
    const int newer = NxCloudSchema::latestVersion() + 1;
    QString error;
    {
        const QSharedPointer<NxCloudStore> store = openFilled(place);
        QVERIFY(store);
        QVERIFY(store->database().write([&](QSqlDatabase& db, QString*) {
            return QSqlQuery(db).exec(QStringLiteral("UPDATE nx_schema SET version = %1").arg(newer));
        }, &error));
    }
    QVERIFY(!NxCloudStore::open(place.address, &error));
    QVERIFY2(error.contains("newer"), qPrintable(error));

    QString errors;
    QCOMPARE(runService(place.arguments, &errors), 1);
    QVERIFY2(errors.contains(QStringLiteral("schema version %1, newer than").arg(newer)), qPrintable(errors));

    // Refused untouched: neither the version nor the catalogue changed.
    NxCloudDatabase database(place.address);
    QVERIFY2(database.open(&error), qPrintable(error));
    QCOMPARE(database.call([&](QSqlDatabase& db) { return NxCloudSchema::version(db, &error); }), newer);
    QVERIFY(database.call([](QSqlDatabase& db) {
        QSqlQuery query(db);
        return query.exec("SELECT COUNT(*) FROM categories") && query.next() && query.value(0).toInt() > 0;
    }));
}

void TestNxCloudStore::seedFillsOnlyAnEmptyDatabase_data()
{
    NxTestDatabases::addKindRows();
}

void TestNxCloudStore::seedFillsOnlyAnEmptyDatabase()
{
    QFETCH(QString, kind);
    const Place place = freshPlace(kind);
    QVERIFY2(place.problem.isEmpty(), qPrintable(place.problem));
    const QSharedPointer<NxCloudStore> store = openFilled(place);
    QVERIFY(store);

    const QSharedPointer<const NxCloudSnapshot> snapshot = store->snapshot();
    const QJsonObject categories = m_seed.value("categories").toObject();
    QCOMPARE(snapshot->categoryIds(), categories.keys());
    for (const QString& id : categories.keys())
        QCOMPARE(snapshot->category(id), categories.value(id).toObject());
    QCOMPARE(snapshot->offered(), m_seed.value("offered").toArray());
    QCOMPARE(ask(*store, "SELECT mirror_of FROM channels WHERE mirror_of IS NOT NULL AND name IS NULL").toString(),
             QStringLiteral("science"));
    // The demo's groups hold their categories' channels under roots of their own.
    QCOMPARE(ask(*store, "SELECT COUNT(*) FROM channels WHERE list = 'offered' AND mirror_of IS NOT NULL").toInt(), 3);
    NxCloudCatalogue catalogue(store);
    QCOMPARE(catalogue.userChannels(kTeacher), m_seed.value("users").toObject().value(kTeacher).toArray());
    QCOMPARE(catalogue.liveClip("123457"), QStringLiteral("media/demo-live.m3u8"));
    QCOMPARE(catalogue.liveClip("654323"), QStringLiteral("media/demo-live.m3u8"));
    QCOMPARE(catalogue.liveClip("654321"), QString()); // not enabled
    QCOMPARE(catalogue.liveClip("654322"), QString()); // no longer valid
    QFile file(QDir(picturesDir()).filePath("nx-math-park_large.png"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    NxCloudPictureTable::Picture picture;
    QVERIFY(snapshot->picture("nx-math-park_large.png", &picture));
    QCOMPARE(picture.data, file.readAll());
    QCOMPARE(picture.contentType, QByteArray("image/png"));
    QCOMPARE(NxCloudSignInBook(store).user().name, m_seed.value("signIn").toObject().value("name").toString());

    // A database that holds a catalogue keeps it.
    bool filled = true;
    QString error;
    QVERIFY2(store->fill(QJsonObject{{"categories", QJsonObject{{"other", QJsonObject()}}}}, QString(), &filled, &error),
             qPrintable(error));
    QVERIFY(!filled);
    QCOMPARE(store->snapshot()->categoryIds(), categories.keys());
}

void TestNxCloudStore::exportAndImportGiveTheSameCatalogue_data()
{
    NxTestDatabases::addKindRows();
}

void TestNxCloudStore::exportAndImportGiveTheSameCatalogue()
{
    QFETCH(QString, kind);
    const Place from = freshPlace(kind);
    const Place to = freshPlace(kind);
    QVERIFY2(from.problem.isEmpty() && to.problem.isEmpty(), qPrintable(from.problem + to.problem));
    const QString seedFile = m_dir.filePath(kind + "-seed.json");
    const QString first = m_dir.filePath(kind + "-first.json");
    const QString second = m_dir.filePath(kind + "-second.json");
    QFile seed(seedFile);
    QVERIFY(seed.open(QIODevice::WriteOnly) && seed.write(QJsonDocument(m_seed).toJson()) > 0);
    seed.close();

    QString errors;
    QCOMPARE(runService(from.arguments + QStringList{"--seed", seedFile, "--pictures", picturesDir(), "--export", first}, &errors), 0);
    QVERIFY2(errors.isEmpty(), qPrintable(errors));
    {
        // What a panel adds is part of the catalogue too.
        QString error;
        const QSharedPointer<NxCloudStore> store = NxCloudStore::open(from.address, &error);
        QVERIFY2(store, qPrintable(error));
        NxCloudCatalogue(store).addUserChannel("new-teacher", QJsonObject{{"channelName", "Added"}});
    }
    QCOMPARE(runService(from.arguments + QStringList{"--export", first}, &errors), 0);
    QCOMPARE(runService(to.arguments + QStringList{"--import", first}, &errors), 0);
    QCOMPARE(runService(to.arguments + QStringList{"--export", second}, &errors), 0);

    const QJsonObject exported = readJson(first);
    QCOMPARE(readJson(second), exported);
    QCOMPARE(exported.value("categories"), m_seed.value("categories"));
    QCOMPARE(exported.value("offered"), m_seed.value("offered"));
    QCOMPARE(exported.value("users").toObject().value(kTeacher), m_seed.value("users").toObject().value(kTeacher));
    QCOMPARE(idsOf(exported.value("users").toObject().value("new-teacher").toArray()).size(), 1);
    QCOMPARE(exported.value("liveCodes").toObject().value("654323").toObject().value("validUntil").toString(),
             QStringLiteral("2999-01-01T00:00:00.000Z"));
    QVERIFY(exported.value("teachers").toObject().contains("new-teacher"));
    QVERIFY(exported.value("pictures").toObject().size() > 100);
}

void TestNxCloudStore::failedImportLeavesTheDatabaseAsItWas_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("brokenKey");
    QTest::addColumn<QJsonValue>("brokenValue");
    const QJsonValue codeWithoutClip = QJsonObject{{"654399", QJsonObject{{"title", "no stream"}}}};
    const QJsonValue pictureNotBase64 = QJsonObject{{"a.png", QJsonObject{{"contentType", "image/png"}, {"data", "*not base64*"}}}};
    for (const QString& kind : NxTestDatabases::kinds()) {
        QTest::newRow(qPrintable(kind + " live code")) << kind << "liveCodes" << codeWithoutClip;
        QTest::newRow(qPrintable(kind + " picture")) << kind << "pictures" << pictureNotBase64;
    }
}

void TestNxCloudStore::failedImportLeavesTheDatabaseAsItWas()
{
    QFETCH(QString, kind);
    QFETCH(QString, brokenKey);
    QFETCH(QJsonValue, brokenValue);
    const Place place = freshPlace(kind);
    QVERIFY2(place.problem.isEmpty(), qPrintable(place.problem));
    const QSharedPointer<NxCloudStore> store = openFilled(place);
    QVERIFY(store);
    QJsonObject before;
    QString error;
    QVERIFY2(store->exportAll(&before, &error), qPrintable(error));
    const qint64 generation = store->snapshot()->generation();

    // Categories, teachers and channels are in before the broken part fails.
    QJsonObject broken{{"categories", QJsonObject{{"other", QJsonObject{{"bannerCount", 1}, {"data", QJsonObject{{"channelName", "Other"}}}}}}},
                       {"users", QJsonObject{{"someone", QJsonArray{QJsonObject{{"channelName", "Theirs"}}}}}}};
    broken.insert(brokenKey, brokenValue);
    QVERIFY(!store->importAll(broken, "test", &error));
    QVERIFY(!error.isEmpty());

    QJsonObject after;
    QVERIFY2(store->exportAll(&after, &error), qPrintable(error));
    QCOMPARE(after, before);
    QCOMPARE(store->snapshot()->generation(), generation);
    QVERIFY(!store->snapshot()->hasCategory("other"));
    QCOMPARE(ask(*store, "SELECT COUNT(*) FROM audit_log WHERE action = 'import'").toInt(), 0);
}

void TestNxCloudStore::ownChannelsAndSignInCodesOutliveTheService_data()
{
    NxTestDatabases::addKindRows();
}

void TestNxCloudStore::ownChannelsAndSignInCodesOutliveTheService()
{
    QFETCH(QString, kind);
    const Place place = freshPlace(kind);
    QVERIFY2(place.problem.isEmpty(), qPrintable(place.problem));
    const QString code = QUuid::createUuid().toString(QUuid::WithoutBraces) + "-1700000000";
    const auto listed = [](NxCloudServer& server) {
        NxHttpProbe probe;
        return idsOf(probe.postJson(server.baseUrl() + kList, QJsonObject{{"userId", kTeacher}}).json().value("result").toArray());
    };
    QString error;
    QStringList ids;
    {
        const QSharedPointer<NxCloudStore> first = openFilled(place);
        QVERIFY(first);
        NxCloudServer server(first);
        QVERIFY(server.start());
        NxHttpProbe probe;
        const QJsonObject added = probe.postJson(server.baseUrl() + "/channel/reportUserCustomChannel",
                                                 QJsonObject{{"userId", kTeacher}, {"data", QJsonObject{{"channelName", "Kept"}}}})
                                      .json();
        const QString channelId = added.value("result").toObject().value("channelId").toString();
        QVERIFY(!channelId.isEmpty());
        QVERIFY(server.confirmCode(code));
        ids = listed(server);
        QVERIFY(ids.contains(channelId));

        // A second instance on the same database sees both at once.
        const QSharedPointer<NxCloudStore> other = NxCloudStore::open(place.address, &error);
        QVERIFY2(other, qPrintable(error));
        NxCloudServer second(other);
        QVERIFY(second.start());
        QCOMPARE(listed(second), ids);
        QVERIFY(NxCloudSignInBook(other).isConfirmed(code));
    }

    const QSharedPointer<NxCloudStore> store = NxCloudStore::open(place.address, &error);
    QVERIFY2(store, qPrintable(error));
    NxCloudServer restarted(store);
    QVERIFY(restarted.start());
    QCOMPARE(listed(restarted), ids);
    NxCloudSignInBook book(store);
    const NxCloudSignInBook::Grant grant = book.poll(code);
    QCOMPARE(grant.uid, kTeacher);
    QVERIFY(!book.accessToken(grant.uid, grant.token).isEmpty());
    QCOMPARE(book.pollCount(code), 1);
}

void TestNxCloudStore::serviceOutlivesARestartOfPostgres()
{
    const Place place = freshPlace(kPostgres);
    QVERIFY2(place.problem.isEmpty(), qPrintable(place.problem));
    const QSharedPointer<NxCloudStore> store = openFilled(place);
    QVERIFY(store);
    NxCloudCatalogue catalogue(store);
    const QJsonObject first = catalogue.addUserChannel(kTeacher, QJsonObject{{"channelName", "Before"}});
    QVERIFY2(m_postgres->restart(), qPrintable(m_postgres->problem()));
    const QJsonObject second = catalogue.addUserChannel(kTeacher, QJsonObject{{"channelName", "After"}});
    QVERIFY(!second.isEmpty());
    const QStringList ids = idsOf(catalogue.userChannels(kTeacher));
    QVERIFY(ids.contains(first.value("channelId").toString()));
    QVERIFY(ids.contains(second.value("channelId").toString()));
}

QTEST_GUILESS_MAIN(TestNxCloudStore)
#include "tst_NxCloudStore.moc"

#include "NxCloudQuery.h"
#include "NxCloudServer.h"
#include "NxCloudStore.h"
#include "NxHttpProbe.h"
#include "NxPostgresServer.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {
const QString kCategory = QStringLiteral("nxtchannel");
const QString kInfo = QStringLiteral("/channel/getNxtChannelInfo");
const int kPropagationMs = 1000;

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

bool setBannerCount(NxCloudStore& store, int count, QString* error)
{
    return store.change(NxCloudStore::Area::Catalogue, [&](QSqlDatabase& db, QString* e) {
        return NxCloudQuery::run(db, QStringLiteral("UPDATE categories SET banner_count = ? WHERE category_id = ?"),
                                 {count, kCategory}, e);
    }, error);
}
}

// The service as a school runs it: several instances on one database.
class TestNxCloudDeployment : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void instancesOnOnePostgresServeEachOthersChanges();

private:
    QSharedPointer<NxCloudStore> openStore(const QString& url);

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
    NxCloudServer one(first);
    NxCloudServer other(second);
    QVERIFY(one.start() && other.start());
    QCOMPARE(bannerCount(other.baseUrl()), 4);

    QString error;
    QVERIFY2(setBannerCount(*first, 2, &error), qPrintable(error));
    QCOMPARE(bannerCount(one.baseUrl()), 2);
    const qint64 ms = msUntilBannerCount(other.baseUrl(), 2, kPropagationMs);
    QVERIFY2(ms >= 0, "the other instance still serves the old catalogue after 1 s");
    qInfo() << "seen by the other instance after" << ms << "ms";

    // After a restart of the server both connections are new: a change is
    // seen once the other instance noticed, and the next within 1 s again.
    QVERIFY2(m_postgres->restart(), qPrintable(m_postgres->problem()));
    QVERIFY2(setBannerCount(*first, 3, &error), qPrintable(error));
    QVERIFY(msUntilBannerCount(other.baseUrl(), 3, 10000) >= 0);
    QVERIFY2(setBannerCount(*second, 1, &error), qPrintable(error));
    QVERIFY(msUntilBannerCount(one.baseUrl(), 1, kPropagationMs) >= 0);
    QVERIFY2(setBannerCount(*first, 5, &error), qPrintable(error));
    QVERIFY(msUntilBannerCount(other.baseUrl(), 5, kPropagationMs) >= 0);
}

QTEST_GUILESS_MAIN(TestNxCloudDeployment)
#include "tst_NxCloudDeployment.moc"

#include "NxAddChannelController.h"
#include "NxCloudFixture.h"
#include "NxLocalChannelFile.h"
#include "NxWebCmdCtrl.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QtTest>

#include <csignal>
#include <functional>
#include <sys/resource.h>

// Local channel files and the cloud requests for own channels.
class tst_NxAddChannelController : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void saveWritesTheWholeListIndented();
    void saveWithoutDataWritesEmptyArray();
    void saveMeetsReaderSpelling_data();
    void saveMeetsReaderSpelling();
    void freshInstallReadsBackWhatWasSaved_data();
    void freshInstallReadsBackWhatWasSaved();
    void refusedListIsSetAsideBeforeSave_data();
    void refusedListIsSetAsideBeforeSave();
    void listUnopenedAtStartIsKeptBeforeSave();
    void saveIntoMissingDirectoryChangesNothing();
    void emptyChannelDirFallsBackToDefault();
    void failedWriteKeepsTheOldList();
    void addSendsChannelWithLocalPictures();
    void deleteSendsOnlyTheChannelId();
    void withoutWebCommandNothingIsSent();

private:
    QString channelDir() const { return m_world->channelDir(); }
    QByteArray read(const QString& name) const;
    void write(const QString& name, const QByteArray& data) const;
    NxCloudRequest lastRequest(const QString& path) const;
    static void underLimit(int resource, rlim_t limit, const std::function<void()>& run);

    NxCloudFixture* m_world = nullptr;
};

void tst_NxAddChannelController::init()
{
    m_world = new NxCloudFixture;
}

void tst_NxAddChannelController::cleanup()
{
    delete m_world;
}

QByteArray tst_NxAddChannelController::read(const QString& name) const
{
    QFile file(channelDir() + "/" + name);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void tst_NxAddChannelController::write(const QString& name, const QByteArray& data) const
{
    QFile file(channelDir() + "/" + name);
    file.open(QIODevice::WriteOnly);
    file.write(data);
}

// Runs with a lowered resource limit: the way a full disk or a file held
// by another program fails, and it binds root as well.
void tst_NxAddChannelController::underLimit(int resource, rlim_t limit, const std::function<void()>& run)
{
    rlimit saved{};
    getrlimit(resource, &saved);
    rlimit lowered = saved;
    lowered.rlim_cur = limit;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(resource, &lowered), 0);
    run();
    setrlimit(resource, &saved);
    std::signal(SIGXFSZ, previousHandler);
}

NxCloudRequest tst_NxAddChannelController::lastRequest(const QString& path) const
{
    NxCloudRequest found;
    for (const NxCloudRequest& request : m_world->cloud().server().requests()) {
        if (request.path == path)
            found = request;
    }
    return found;
}

void tst_NxAddChannelController::saveWritesTheWholeListIndented()
{
    NxAddChannelController controller;
    const QJsonArray channels{QJsonObject{{"ID", "ID_CHANNEL"}, {"channelid", "cctv1"}, {"name", "CCTV-1"}},
                              QJsonObject{{"ID", "ID_CHANNEL"}, {"channelid", "cctv2"}, {"name", "CCTV-2"}}};
    write("TV_Local.jdx", "[{\"old\": true}]");
    controller.saveLocalChannels({{"saveType", "LOCAL"}, {"funcType", "TV"}, {"data", channels}});
    QCOMPARE(read("TV_Local.jdx"), QJsonDocument(channels).toJson(QJsonDocument::Indented));
    QVERIFY(read("TV_Local.jdx").contains("\n    {\n        \""));
    QCOMPARE(QDir(channelDir()).entryList(QDir::Files), QStringList{"TV_Local.jdx"}); // no temporary file left
}

void tst_NxAddChannelController::saveWithoutDataWritesEmptyArray()
{
    NxAddChannelController controller;
    controller.saveLocalChannels({{"funcType", "TV"}});
    QCOMPARE(QJsonDocument::fromJson(read("TV_Local.jdx")).array(), QJsonArray());
    QVERIFY(QJsonDocument::fromJson(read("TV_Local.jdx")).isArray());
}

void tst_NxAddChannelController::saveMeetsReaderSpelling_data()
{
    QTest::addColumn<QString>("funcType");
    QTest::addColumn<QString>("readerName");
    QTest::newRow("home page") << "firstpage" << "FirstPage_Local.jdx";
    QTest::newRow("own catalogue") << "tavochanneL" << "TavoChannel_Local.jdx";
}

void tst_NxAddChannelController::saveMeetsReaderSpelling()
{
    QFETCH(QString, funcType);
    QFETCH(QString, readerName);
    write(readerName, "[]");
    NxAddChannelController controller;
    const QJsonArray data{QJsonObject{{"channelid", "x"}}};
    controller.saveLocalChannels({{"funcType", funcType}, {"data", data}});
    QCOMPARE(QDir(channelDir()).entryList(QDir::Files), QStringList{readerName});
    QCOMPARE(QJsonDocument::fromJson(read(readerName)).array(), data);
}

void tst_NxAddChannelController::freshInstallReadsBackWhatWasSaved_data()
{
    QTest::addColumn<QString>("funcType");
    QTest::addColumn<QString>("readerType");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("home page") << "firstpage" << "FirstPage" << "FirstPage_Local.jdx";
    QTest::newRow("stations") << "TV" << "TV" << "TV_Local.jdx";
    QTest::newRow("own catalogue") << "tavochanneL" << "TavoChannel" << "TavoChannel_Local.jdx";
}

void tst_NxAddChannelController::freshInstallReadsBackWhatWasSaved()
{
    QFETCH(QString, funcType);
    QFETCH(QString, readerType);
    QFETCH(QString, fileName);
    NxAddChannelController controller;
    const QJsonArray data{QJsonObject{{"ID", "ID_CHANNEL"}, {"channelid", "pinned"}}};
    controller.saveLocalChannels({{"funcType", funcType}, {"data", data}});
    QCOMPARE(QDir(channelDir()).entryList(QDir::Files), QStringList{fileName});
    QCOMPARE(NxLocalChannelFile::read(channelDir(), readerType), data);
}

void tst_NxAddChannelController::refusedListIsSetAsideBeforeSave_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("damaged") << QByteArray("[{\"channelid\": \"half");
    QTest::newRow("not a list") << QByteArray("{\"channelid\": \"x\"}");
    QByteArray huge = "[\"" + QByteArray(int(NxLocalChannelFile::kMaxBytes), 'x') + "\"]";
    QTest::newRow("too large") << huge;
}

void tst_NxAddChannelController::refusedListIsSetAsideBeforeSave()
{
    QFETCH(QByteArray, content);
    write("firstpage_Local.jdx", content); // as an older version spelled it
    QCOMPARE(NxLocalChannelFile::read(channelDir(), "FirstPage"), QJsonArray());
    NxAddChannelController controller;
    const QJsonArray data{QJsonObject{{"channelid", "new"}}};
    controller.saveLocalChannels({{"funcType", "firstpage"}, {"data", data}});
    QCOMPARE(read("firstpage_Local.jdx.bad"), content);
    QCOMPARE(NxLocalChannelFile::read(channelDir(), "FirstPage"), data);
    controller.saveLocalChannels({{"funcType", "firstpage"}, {"data", QJsonArray()}});
    QCOMPARE(read("firstpage_Local.jdx.bad"), content); // a sound list is not set aside
}

void tst_NxAddChannelController::listUnopenedAtStartIsKeptBeforeSave()
{
    const QByteArray teachers = QJsonDocument(QJsonArray{QJsonObject{{"channelid", "cctv1"}}}).toJson();
    write("TV_Local.jdx", teachers);
    // No descriptor left: the list exists but cannot be opened at start.
    QJsonArray atStart{QJsonObject{{"channelid", "not read"}}};
    underLimit(RLIMIT_NOFILE, 0, [&] { atStart = NxLocalChannelFile::read(channelDir(), "TV"); });
    QCOMPARE(atStart, QJsonArray());

    NxAddChannelController controller;
    const QJsonArray chosen{QJsonObject{{"channelid", "cctv5"}}};
    controller.saveLocalChannels({{"funcType", "TV"}, {"data", chosen}});
    QCOMPARE(read("TV_Local.jdx.bad"), teachers);
    QCOMPARE(NxLocalChannelFile::read(channelDir(), "TV"), chosen);
    controller.saveLocalChannels({{"funcType", "TV"}, {"data", QJsonArray()}});
    QCOMPARE(read("TV_Local.jdx.bad"), teachers); // the list this run wrote is its own
}

void tst_NxAddChannelController::saveIntoMissingDirectoryChangesNothing()
{
    qApp->setProperty("channelDir", channelDir() + "/missing");
    NxAddChannelController controller;
    controller.saveLocalChannels({{"funcType", "TV"}, {"data", QJsonArray{1}}});
    QVERIFY(!QFileInfo::exists(channelDir() + "/missing"));
}

void tst_NxAddChannelController::emptyChannelDirFallsBackToDefault()
{
    qApp->setProperty("channelDir", QString());
    NxAddChannelController controller; // as the picture cache, it asks NxLocalChannelFile
    controller.saveLocalChannels({{"funcType", "TV"}, {"data", QJsonArray{QJsonObject{{"channelid", "s"}}}}});
    const QString fallback = m_world->env().dataRoot() + "/Maplo/TavomcPresenterPro/channel";
    QCOMPARE(NxLocalChannelFile::channelDir(), fallback);
    QCOMPARE(NxLocalChannelFile::read(fallback, "TV").size(), 1);
    QVERIFY(!QFile::exists("/TV_Local.jdx"));
}

void tst_NxAddChannelController::failedWriteKeepsTheOldList()
{
    const QByteArray old = QJsonDocument(QJsonArray{QJsonObject{{"channelid", "kept"}}}).toJson();
    write("FirstPage_Local.jdx", old);
    QJsonArray big;
    for (int i = 0; i < 400; ++i)
        big.append(QJsonObject{{"channelid", QString("c%1").arg(i)}, {"name", QString(40, 'x')}});

    NxAddChannelController controller;
    underLimit(RLIMIT_FSIZE, 4096, [&] { controller.saveLocalChannels({{"funcType", "firstpage"}, {"data", big}}); });

    QCOMPARE(read("FirstPage_Local.jdx"), old);
    QCOMPARE(QDir(channelDir()).entryList(QDir::Files), QStringList{"FirstPage_Local.jdx"});
}

void tst_NxAddChannelController::addSendsChannelWithLocalPictures()
{
    NxAddChannelController controller;
    controller.setWebCommandCtrl(m_world->startClient());
    controller.addChannel({{"name", "我的频道"}, {"url", "https://mine.example"}, {"funcType", "myresources"}, {"uid", "u1"},
                           {"pic_small", "/pics/s.png"}, {"pic_large", "/pics/l.png"}});
    QTRY_COMPARE(m_world->cloud().server().requestCount("/channel/reportUserCustomChannel"), 1);
    const QJsonObject body = lastRequest("/channel/reportUserCustomChannel").jsonObject();
    QCOMPARE(body.value("userId").toString(), QString("u1"));
    QCOMPARE(body.value("parentChannelId").toString(), QString("myresources"));
    const QJsonObject data = body.value("data").toObject();
    QCOMPARE(data.value("channelName").toString(), QString("我的频道"));
    QCOMPARE(data.value("address").toString(), QString("https://mine.example"));
    QCOMPARE(data.value("channelType").toString(), QString("web"));
    const QJsonArray images = data.value("images").toArray();
    QCOMPARE(images.size(), 3);
    QCOMPARE(images.at(0).toObject().value("type").toString(), QString("small"));
    QCOMPARE(images.at(0).toObject().value("url").toString(), QString("file:///pics/s.png"));
    QCOMPARE(images.at(1).toObject().value("url").toString(), QString("file://")); // no middle picture given
    QCOMPARE(images.at(2).toObject().value("type").toString(), QString("large"));
}

void tst_NxAddChannelController::deleteSendsOnlyTheChannelId()
{
    NxAddChannelController controller;
    controller.setWebCommandCtrl(m_world->startClient());
    controller.deleteChannel({{"channelid", "c9"}, {"uid", "u1"}, {"name", "ignored"}});
    QTRY_COMPARE(m_world->cloud().server().requestCount("/channel/deleteCustomChannel"), 1);
    QCOMPARE(lastRequest("/channel/deleteCustomChannel").jsonObject(), (QJsonObject{{"userId", "u1"}, {"channelIds", "c9"}}));
}

void tst_NxAddChannelController::withoutWebCommandNothingIsSent()
{
    NxAddChannelController controller;
    controller.addChannel({{"name", "x"}, {"uid", "u1"}});
    controller.deleteChannel({{"channelid", "c9"}, {"uid", "u1"}});
    QTest::qWait(200);
    QCOMPARE(m_world->cloud().server().requests().size(), 0);
}

QTEST_MAIN(tst_NxAddChannelController)
#include "tst_NxAddChannelController.moc"

#include "NxApplicationConfig.h"
#include "NxTestEnvironment.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QtTest>

#include <unistd.h>

// Configuration published as application properties, the directories
// prepared at start and the translations. The test places its own version.ini
// and Environment/ beside its executable, which is the program directory here.
class tst_NxApplicationConfig : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void scaleFactorForWidth_data();
    void scaleFactorForWidth();
    void versionInfoFromIni();
    void versionInfoDefaults_data();
    void versionInfoDefaults();
    void needLogSwitch();
    void localVideoPlayer_data();
    void localVideoPlayer();
    void directoriesAndTempReset();
    void plantedLinksSurviveStart_data();
    void plantedLinksSurviveStart();
    void environmentDirFallback();
    void environmentDirNextToProgram();
    void translationsLoadPerLanguage();

private:
    QString programDir() const { return QCoreApplication::applicationDirPath(); }
    QString iniPath() const { return programDir() + "/version.ini"; }
    QString environmentDir() const { return programDir() + "/Environment"; }
    void installTranslations();

    NxTestEnvironment* m_env = nullptr;
};

void tst_NxApplicationConfig::init()
{
    m_env = new NxTestEnvironment;
    QFile::remove(iniPath());
    QDir(environmentDir()).removeRecursively();
    QDir::setSearchPaths("envDir", {});
    QDir::setSearchPaths("translationsDir", {});
}

void tst_NxApplicationConfig::cleanup()
{
    QFile::remove(iniPath());
    QDir(environmentDir()).removeRecursively();
    delete m_env;
    m_env = nullptr;
}

void tst_NxApplicationConfig::scaleFactorForWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<double>("factor");
    QTest::newRow("1024") << 1024 << 0.71;
    QTest::newRow("1366") << 1366 << 0.71;
    QTest::newRow("1367") << 1367 << 0.8;
    QTest::newRow("1919") << 1919 << 0.8;
    QTest::newRow("1920") << 1920 << 1.0;
    QTest::newRow("3839") << 3839 << 1.0;
    QTest::newRow("3840") << 3840 << 2.0;
    QTest::newRow("7680") << 7680 << 2.0;
}

void tst_NxApplicationConfig::scaleFactorForWidth()
{
    QFETCH(int, width);
    QFETCH(double, factor);
    QCOMPARE(NxApplicationConfig::scaleFactorForWidth(width), factor);
}

void tst_NxApplicationConfig::versionInfoFromIni()
{
    QVERIFY(NxTestEnvironment::writeIni(iniPath(), {
        {"versionInformation/projectName", "课堂"},
        {"versionInformation/appKey", "KEY-1"},
        {"versionInformation/appName", "Presenter"},
        {"versionInformation/appkey", "wrong-case"},
        {"versionInformation/version", "2.3.4"},
        {"versionInformation/cloudhost", "http://cloud.example"},
        {"versionInformation/uploadSize", "512"},
        {"versionInformation/appHost", "http://app.example:8080"},
        {"versionInformation/liveHost", "http://live.example"},
        {"versionInformation/hostType", "test"},
        {"versionInformation/platformHost", "https://platform.example/"},
    }));
    NxApplicationConfig config(qApp);
    QCOMPARE(qApp->property("projectName").toString(), QString("课堂"));
    QCOMPARE(qApp->property("appkey").toString(), QString("KEY-1"));
    QCOMPARE(qApp->property("appname").toString(), QString("Presenter"));
    QCOMPARE(qApp->property("version").toString(), QString("2.3.4"));
    QCOMPARE(qApp->property("cloudhost").toString(), QString("http://cloud.example"));
    QCOMPARE(qApp->property("appHost").toString(), QString("http://app.example:8080"));
    QCOMPARE(qApp->property("liveHost").toString(), QString("http://live.example"));
    QCOMPARE(qApp->property("hostType").toString(), QString("test"));
    QCOMPARE(qApp->property("platformHost").toString(), QString("https://platform.example/"));
    QCOMPARE(qApp->property("cloudrest").toString(), QString());
    QCOMPARE(qApp->property("uploadSize").userType(), int(QMetaType::Int));
    QCOMPARE(qApp->property("uploadSize").toInt(), 512);
    QCOMPARE(qApp->property("delWgtShow").toBool(), false);
    QCOMPARE(qApp->property("language").toString(), QString("zh_CN"));
    QCOMPARE(qApp->property("scaleDpi").userType(), int(QMetaType::Float));
    QVERIFY(qApp->property("scalefactor").toDouble() > 0.7);
}

void tst_NxApplicationConfig::versionInfoDefaults_data()
{
    QTest::addColumn<bool>("writeFile");
    QTest::addColumn<QString>("uploadSize");
    QTest::newRow("no file") << false << "";
    QTest::newRow("no group") << true << "";
    QTest::newRow("upload size not a number") << true << "lots";
}

void tst_NxApplicationConfig::versionInfoDefaults()
{
    QFETCH(bool, writeFile);
    QFETCH(QString, uploadSize);
    const char* names[] = {"projectName", "appkey", "appname", "version", "cloudhost", "cloudrest", "appHost",
                           "loginHost", "ssoHost", "liveHost", "wechatHost", "hostType", "platformHost"};
    for (const char* name : names)
        qApp->setProperty(name, "stale");
    if (writeFile) {
        QMap<QString, QVariant> values{{"Log/NeedLog", 0}};
        if (!uploadSize.isEmpty())
            values.insert("versionInformation/uploadSize", uploadSize);
        QVERIFY(NxTestEnvironment::writeIni(iniPath(), values));
    }
    NxApplicationConfig::publishVersionInfo(iniPath());
    for (const char* name : names) {
        QVERIFY2(qApp->property(name).isValid(), name);
        QCOMPARE(qApp->property(name).toString(), QString());
    }
    QCOMPARE(qApp->property("uploadSize").userType(), int(QMetaType::Int));
    QCOMPARE(qApp->property("uploadSize").toInt(), 0);
}

void tst_NxApplicationConfig::needLogSwitch()
{
    QCOMPARE(NxApplicationConfig::readNeedLog(), 0);
    QVERIFY(NxTestEnvironment::writeIni(iniPath(), {{"Log/NeedLog", 1}}));
    QCOMPARE(NxApplicationConfig::readNeedLog(), 1);
    QVERIFY(NxTestEnvironment::writeIni(iniPath(), {{"Log/NeedLog", "yes"}}));
    QCOMPARE(NxApplicationConfig::readNeedLog(), 0);
}

void tst_NxApplicationConfig::localVideoPlayer_data()
{
    QTest::addColumn<QVariant>("configured");
    QTest::addColumn<QString>("expected");
    // This system has no player of its own to rely on.
    QTest::newRow("absent") << QVariant() << "builtin";
    QTest::newRow("empty") << QVariant("") << "builtin";
    QTest::newRow("builtin") << QVariant("builtin") << "builtin";
    QTest::newRow("system") << QVariant("system") << "system";
    QTest::newRow("case and blanks") << QVariant(" System ") << "system";
    QTest::newRow("unknown") << QVariant("vlc") << "builtin";
}

void tst_NxApplicationConfig::localVideoPlayer()
{
    QFETCH(QVariant, configured);
    QFETCH(QString, expected);
    QMap<QString, QVariant> values{{"versionInformation/version", "1"}};
    if (configured.isValid())
        values.insert("Player/LocalVideos", configured);
    QVERIFY(NxTestEnvironment::writeIni(iniPath(), values));
    qApp->setProperty("localVideos", "stale");
    NxApplicationConfig::publishVersionInfo(iniPath());
    QCOMPARE(qApp->property("localVideos").toString(), expected);
    QCOMPARE(qApp->property("version").toString(), QString("1"));
}

void tst_NxApplicationConfig::directoriesAndTempReset()
{
    const QString temp = m_env->runtimeDir() + "/TavomcPresenterPro";
    const QString stale = temp + "/old/leftover.txt";
    QDir().mkpath(QFileInfo(stale).absolutePath());
    QFile file(stale);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    NxApplicationConfig config(qApp);
    const QString tempDir = m_env->dataRoot() + "/Maplo/TavomcPresenterPro";
    QCOMPARE(qApp->property("TempDir").toString(), tempDir);
    QCOMPARE(qApp->property("channelDir").toString(), tempDir + "/channel");
    QVERIFY(QFileInfo(tempDir + "/channel").isDir());

    QVERIFY(QFileInfo(temp).isDir());
    QVERIFY(QDir(temp).isEmpty());
    QCOMPARE(QFileInfo(temp).permissions() & 0x0077, QFileDevice::Permissions()); // nobody else's
}

void tst_NxApplicationConfig::plantedLinksSurviveStart_data()
{
    QTest::addColumn<bool>("runtimeDir");
    QTest::newRow("session runtime directory") << true;
    QTest::newRow("shared temporary directory") << false;
}

void tst_NxApplicationConfig::plantedLinksSurviveStart()
{
    QFETCH(bool, runtimeDir);
    if (!runtimeDir)
        qunsetenv("XDG_RUNTIME_DIR"); // restored by the environment
    const QString temp = runtimeDir ? m_env->runtimeDir() + "/TavomcPresenterPro"
                                    : QString("%1/TavomcPresenterPro-%2").arg(m_env->tempDir()).arg(getuid());
    const QString victim = m_env->path() + "/victim";
    QVERIFY(QDir().mkpath(victim + "/inner"));
    QFile precious(victim + "/inner/precious.txt");
    QVERIFY(precious.open(QIODevice::WriteOnly));
    precious.close();
    QVERIFY(QFile::link(victim, temp));
    QVERIFY(QFile::link(victim, m_env->tempDir() + "/TavomcPresenterPro")); // where it used to live

    { NxApplicationConfig config(qApp); }
    QVERIFY(QFile::exists(victim + "/inner/precious.txt"));
    QVERIFY(QFileInfo(temp).isDir() && !QFileInfo(temp).isSymLink());

    // A link inside our own directory goes, its target stays.
    QVERIFY(QFile::link(victim, temp + "/inside"));
    { NxApplicationConfig config(qApp); }
    QVERIFY(QFile::exists(victim + "/inner/precious.txt"));
    QVERIFY(QDir(temp).isEmpty());
}

void tst_NxApplicationConfig::environmentDirFallback()
{
    NxApplicationConfig config(qApp);
    const QString expected = QDir::cleanPath(programDir() + "/../../Environment") + "/";
    QCOMPARE(QDir::searchPaths("envDir"), QStringList{expected});
    QCOMPARE(QDir::searchPaths("translationsDir"), QStringList{expected + "translations/"});
}

void tst_NxApplicationConfig::environmentDirNextToProgram()
{
    QVERIFY(QDir().mkpath(environmentDir()));
    NxApplicationConfig config(qApp);
    QCOMPARE(QDir::searchPaths("envDir"), QStringList{environmentDir() + "/"});
    QCOMPARE(QDir::searchPaths("translationsDir"), QStringList{environmentDir() + "/translations/"});
}

void tst_NxApplicationConfig::installTranslations()
{
    const QString from = QStringLiteral(NX_TEST_PROGRAM_DIR) + "/Environment/translations/";
    QVERIFY(QDir().mkpath(environmentDir() + "/translations"));
    for (const QString& name : QDir(from).entryList({"*.qm"}, QDir::Files))
        QVERIFY(QFile::copy(from + name, environmentDir() + "/translations/" + name));
}

void tst_NxApplicationConfig::translationsLoadPerLanguage()
{
    installTranslations();
    NxApplicationConfig config(qApp);
    QCOMPARE(QObject::tr("ID_MEDIA_CENTER"), QString("课堂媒体中心"));
    config.loadLanguage("en_US");
    QCOMPARE(qApp->property("language").toString(), QString("en_US"));
    QCOMPARE(QObject::tr("ID_MEDIA_CENTER"), QString("Classroom Media Centre"));
    config.loadLanguage("zh_CN");
    QCOMPARE(QObject::tr("ID_MEDIA_CENTER"), QString("课堂媒体中心"));
}

QTEST_MAIN(tst_NxApplicationConfig)
#include "tst_NxApplicationConfig.moc"

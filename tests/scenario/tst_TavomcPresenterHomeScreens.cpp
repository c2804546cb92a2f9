#include "NxAddChannelListWidget.h"
#include "NxApplicationConfig.h"
#include "NxChannelListWidget.h"
#include "NxConfig.h"
#include "NxControllerManager.h"
#include "NxFontSetup.h"
#include "NxRelaynet.h"
#include "NxScreenCheck.h"
#include "NxTestCloud.h"
#include "NxTestEnvironment.h"
#include "NxWebCmdCtrl.h"
#include "TavomcPresenterMainWgt.h"
#include "TavomcPresenterScenarioMain.h"

#include <QScreen>
#include <QTranslator>
#include <QtTest>

// The home page and its pages with the demo catalogue on this screen, in
// both languages: saved for review and checked for size, content and texts.
class tst_TavomcPresenterHomeScreens : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void homePage_data();
    void homePage();

private:
    void check(QWidget* window, const QString& name);

    NxTestCloud* m_cloud = nullptr;
    QTranslator m_translator;
};

void tst_TavomcPresenterHomeScreens::initTestCase()
{
    NxFontSetup::install();
    const QString demo = QStringLiteral(NX_DEMO_CLOUD_DIR);
    m_cloud = new NxTestCloud(NxCloudServer::loadSeed(demo + "/demo-seed.json"));
    m_cloud->server().setPictureDir(demo + "/pictures");
    // The scale the program would choose for this screen.
    qApp->setProperty("scalefactor",
                      NxApplicationConfig::scaleFactorForWidth(QGuiApplication::primaryScreen()->availableGeometry().width()));
}

void tst_TavomcPresenterHomeScreens::cleanup()
{
    QCoreApplication::removeTranslator(&m_translator);
}

void tst_TavomcPresenterHomeScreens::homePage_data()
{
    NxScreenCheck::addLanguageRows();
}

void tst_TavomcPresenterHomeScreens::check(QWidget* window, const QString& name)
{
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    const QImage shot = NxScreenCheck::save(window, QStringLiteral("%1_%2x%3_%4").arg(name).arg(screen.width()).arg(screen.height())
                                                        .arg(QTest::currentDataTag()));
    QCOMPARE(shot.size(), screen);
    QVERIFY2(NxScreenCheck::colourCount(shot) >= 16, "blank picture");
    const QStringList faults = NxScreenCheck::faults(window, NxScreenCheck::Clipped | NxScreenCheck::Untranslated);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
}

void tst_TavomcPresenterHomeScreens::homePage()
{
    NxScreenCheck::prepareLanguage(m_translator);
    NxTestEnvironment env;
    env.useChannelDir();
    NxWebCmdCtrl web;
    web.init();
    NxControllerManager manager;
    manager.setWebCommandCtrl(&web);
    TavomcPresenterScenarioMain scenario;
    scenario.initScenario(QJsonObject(), &manager, NxRelaynet::getInst(qApp));
    auto* window = static_cast<TavomcPresenterMainWgt*>(qobject_cast<QWidget*>(scenario.mainWindow()));
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTRY_VERIFY_WITH_TIMEOUT(!window->channelLists().tavoChannels.isEmpty(), 15000);
    QTest::qWait(1500); // pictures arrive
    check(window, "home");

    const QJsonObject tv{{"ID", "ID_TV"}};
    QVERIFY(QMetaObject::invokeMethod(window, "slotChannelItemClicked", Q_ARG(QJsonObject, tv)));
    QTRY_VERIFY_WITH_TIMEOUT(!window->tvPage()->getWebData().isEmpty(), 15000);
    QTest::qWait(1500);
    check(window->tvPage(), "tv-page");
    window->tvPage()->hide();

    const QJsonObject own{{"ID", "ID_TAVO_CHANNEL"}};
    QVERIFY(QMetaObject::invokeMethod(window, "slotChannelItemClicked", Q_ARG(QJsonObject, own)));
    QTest::qWait(1000);
    check(window->tavoChannelPage(), "own-channel-page");
    window->tavoChannelPage()->hide();

    // Two own channels on the home page, as the catalogue sends them: the
    // catalogue marks them "added"; a slot emptied again shows no mark.
    const auto picked = [window](int list, int index) {
        QJsonObject channel = window->channelLists().tavoChannels.at(list).toObject();
        channel.insert("isAdd", true);
        channel.insert("from", "local");
        channel.insert("page", 0);
        channel.insert("index", index);
        return channel;
    };
    const QJsonObject emptied = picked(0, 1);
    for (const QJsonObject& channel : {emptied, picked(1, 2)})
        QVERIFY(QMetaObject::invokeMethod(window, "slotAddChannelToFirstPage", Q_ARG(QJsonObject, channel)));
    const QJsonObject slot{{"ID", "ID_MAINPAGE_ADD_CHANNEL"}, {"page", 0}, {"index", 3}};
    QVERIFY(QMetaObject::invokeMethod(window, "slotOpenAddChannel", Q_ARG(QJsonObject, slot)));
    QTest::qWait(1000);
    check(window->addChannelList(), "add-channel-list");
    window->addChannelList()->hide();
    QVERIFY(QMetaObject::invokeMethod(window, "slotDelChannelFirstPage", Q_ARG(QJsonObject, emptied)));
    QTest::qWait(500);
    check(window, "home-slot-emptied");
    delete window;
}

QTEST_MAIN(tst_TavomcPresenterHomeScreens)
#include "tst_TavomcPresenterHomeScreens.moc"

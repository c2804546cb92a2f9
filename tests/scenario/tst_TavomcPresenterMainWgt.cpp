#include "NxAddChanelWidget.h"
#include "NxAddChannelController.h"
#include "NxAddChannelGridWidget.h"
#include "NxAccessToolBarWidget.h"
#include "NxBannerWidget.h"
#include "NxAddChannelListWidget.h"
#include "NxChannelListWidget.h"
#include "NxChannelWidget.h"
#include "NxCloudFixture.h"
#include "NxConfig.h"
#include "NxControllerManager.h"
#include "NxFileDialog.h"
#include "NxLocalMediaOpener.h"
#include "NxLocalChannelFile.h"
#include "NxLoginToWebController.h"
#include "NxQRCodeLogin.h"
#include "NxPictureBackground.h"
#include "NxRelaynet.h"
#include "NxWebCmdCtrl.h"
#include "TavomcPresenterMainWgt.h"
#include "TavomcPresenterScenarioMain.h"

#include <QAbstractEventDispatcher>
#include <QGestureEvent>
#include <QScrollArea>
#include <QtTest>

// The home page in the real scenario against the local cloud: what the
// network check, taps and answers do, and what survives a restart.
class tst_TavomcPresenterMainWgt : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void networkCheckDecidesDownloads_data();
    void networkCheckDecidesDownloads();
    void myResourcesAskForSignInFirst();
    void nextTeacherSeesOnlyOwnResources();
    void signInCodeIsPolledOnlyWhileShown();
    void tvPageBeforeAndAfterItsList();
    void offeredListProcessedOnce();
    void ownChannelsOfALaterAnswer();
    void addToHomePageKeepsTheTappedSlot_data();
    void addToHomePageKeepsTheTappedSlot();
    void restartRestoresWhatCanBeShown_data();
    void restartRestoresWhatCanBeShown();
    void homePagesGrowAsTheyFillAndSurviveRestart();
    void exitEndsTheEventLoopWithZero();
    void dragOnATileDoesNotScroll();
    void bannerStandsStillWhileCovered();
    void bannerOfTheLastRunComesFirst();
    void completeHomePageIsLean();
    void fileDialogComesAfterTheFirstFrame_data();
    void fileDialogComesAfterTheFirstFrame();

private:
    TavomcPresenterMainWgt* start(bool online);
    void stop();
    int requests(const QString& path) const { return m_world->cloud().server().requestCount(path); }
    static void signIn(TavomcPresenterMainWgt* window, const QString& uid);
    static QList<NxChannelWidget*> bannerTiles(TavomcPresenterMainWgt* window);

    NxCloudFixture* m_world = nullptr;
    NxWebCmdCtrl* m_web = nullptr; // the world's
    NxControllerManager* m_manager = nullptr;
    NxAddChannelController* m_saver = nullptr;
    NxLoginToWebController* m_login = nullptr;
    TavomcPresenterScenarioMain* m_scenario = nullptr;
};

void tst_TavomcPresenterMainWgt::init()
{
    m_world = new NxCloudFixture;
    qApp->setProperty("scalefactor", 1.0);
    NxConfig::getInstance()->setNetworkStatus(false);
}

void tst_TavomcPresenterMainWgt::cleanup()
{
    stop();
    delete m_world;
}

void tst_TavomcPresenterMainWgt::stop()
{
    if (m_scenario)
        delete m_scenario->mainWindow();
    delete m_scenario;
    m_scenario = nullptr;
    delete m_manager;
    m_manager = nullptr;
    delete m_login;
    m_login = nullptr;
    delete m_saver;
    m_saver = nullptr;
    m_world->stopClient();
    m_web = nullptr;
}

TavomcPresenterMainWgt* tst_TavomcPresenterMainWgt::start(bool online)
{
    if (!online)
        qApp->setProperty("appHost", "http://127.0.0.1:1"); // nothing listens there
    m_web = m_world->startClient();
    m_manager = new NxControllerManager;
    m_manager->setWebCommandCtrl(m_web);
    m_saver = new NxAddChannelController;
    m_manager->setAddChannelCtrl(m_saver);
    m_scenario = new TavomcPresenterScenarioMain;
    m_scenario->initScenario(QJsonObject(), m_manager, NxRelaynet::getInst(qApp));
    auto* window = static_cast<TavomcPresenterMainWgt*>(qobject_cast<QWidget*>(m_scenario->mainWindow()));
    window->show();
    return window;
}

void tst_TavomcPresenterMainWgt::networkCheckDecidesDownloads_data()
{
    QTest::addColumn<bool>("online");
    QTest::newRow("online") << true;
    QTest::newRow("offline") << false;
}

void tst_TavomcPresenterMainWgt::networkCheckDecidesDownloads()
{
    QFETCH(bool, online);
    const QJsonObject pinned{{"ID", "ID_CHANNEL"}, {"channelid", "p1"}, {"name", "Pinned"}, {"page", 0}, {"index", 2}};
    QVERIFY(NxLocalChannelFile::write(m_world->channelDir(), "firstpage", {pinned}));
    TavomcPresenterMainWgt* window = start(online);
    QVERIFY(window->homeSlot(2)->isChannelMode()); // the local list, whatever the network
    QTRY_VERIFY_WITH_TIMEOUT(!window->isNetworkCheckRunning(), 10000);
    QCOMPARE(NxConfig::getInstance()->getNetworkStatus(), online);
    if (online) {
        QTRY_COMPARE_WITH_TIMEOUT(window->channelLists().tavoChannels.size(), 3, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(requests("/channel/getChannelListToAdd"), 1, 10000);
        QCOMPARE(window->banner()->shownCount(), 3); // two of the seed plus the "more" item
    } else {
        QTest::qWait(300);
        QCOMPARE(m_world->cloud().server().requests().size(), 0);
        QVERIFY(window->findChild<QWidget*>() != nullptr);
    }
}

void tst_TavomcPresenterMainWgt::myResourcesAskForSignInFirst()
{
    TavomcPresenterMainWgt* window = start(true);
    QSignalSpy login(window, SIGNAL(sigLogin()));
    QSignalSpy action(window, SIGNAL(sigUserActionMyResource()));
    const QJsonObject tile{{"ID", "ID_MY_RESOURCE"}};
    QVERIFY(QMetaObject::invokeMethod(window, "slotChannelItemClicked", Q_ARG(QJsonObject, tile)));
    QCOMPARE(login.size(), 1);
    QVERIFY(!window->myResourcePage());

    QVERIFY(QMetaObject::invokeMethod(window, "slotLoginSuccess", Q_ARG(QString, "u1"), Q_ARG(QString, "t"),
                                      Q_ARG(QString, "casid-1"), Q_ARG(QImage, QImage())));
    QCOMPARE(window->cookie(), QString("casid-1"));
    QTRY_COMPARE_WITH_TIMEOUT(window->channelLists().myResourceChannels.size(), 1, 10000);
    QVERIFY(QMetaObject::invokeMethod(window, "slotChannelItemClicked", Q_ARG(QJsonObject, tile)));
    QCOMPARE(login.size(), 1);
    QCOMPARE(action.size(), 2);
    QVERIFY(window->myResourcePage() && window->myResourcePage()->isVisible());
    QCOMPARE(window->myResourcePage()->getWebData().size(), 1);
}

void tst_TavomcPresenterMainWgt::signIn(TavomcPresenterMainWgt* window, const QString& uid)
{
    QVERIFY(QMetaObject::invokeMethod(window, "slotLoginSuccess", Q_ARG(QString, uid), Q_ARG(QString, "t"),
                                      Q_ARG(QString, "casid-" + uid), Q_ARG(QImage, QImage())));
}

void tst_TavomcPresenterMainWgt::nextTeacherSeesOnlyOwnResources()
{
    const QString path = "/channel/getChannelListByUserId";
    TavomcPresenterMainWgt* window = start(true);
    const QJsonObject tile{{"ID", "ID_MY_RESOURCE"}};
    signIn(window, "u1");
    QTRY_COMPARE_WITH_TIMEOUT(window->channelLists().myResourceChannels.size(), 1, 10000);
    QVERIFY(QMetaObject::invokeMethod(window, "slotChannelItemClicked", Q_ARG(QJsonObject, tile)));
    QCOMPARE(window->myResourcePage()->getWebData().size(), 1);

    window->toolBar()->slotLogOut();
    QCOMPARE(window->userId(), QString());
    QVERIFY(window->channelLists().myResourceChannels.isEmpty());
    QVERIFY(!window->myResourcePage() || window->myResourcePage()->getWebData().isEmpty());

    // The first teacher's answer is slow; the next one switches account
    // meanwhile, gets an answer first, and keeps it.
    NxCloudFault slow;
    slow.delayMs = 1500;
    slow.times = 1;
    m_world->cloud().server().setFault(path, slow);
    int answers = 0;
    QObject listener;
    connect(m_web, &NxWebCmdCtrl::sigRecvUserChannelList, &listener, [&answers] { ++answers; });
    signIn(window, "u1");
    QTRY_COMPARE_WITH_TIMEOUT(requests(path), 2, 10000);
    signIn(window, "u2");
    QTRY_COMPARE_WITH_TIMEOUT(answers, 2, 10000);
    QCOMPARE(window->userId(), QString("u2"));
    QVERIFY(QMetaObject::invokeMethod(window, "slotChannelItemClicked", Q_ARG(QJsonObject, tile)));
    for (const QJsonArray& list : {window->channelLists().myResourceChannels, window->myResourcePage()->getWebData()}) {
        QCOMPARE(list.size(), 2);
        QCOMPARE(list.at(0).toObject().value("name").toString(), QString("Notes"));
    }
}

void tst_TavomcPresenterMainWgt::signInCodeIsPolledOnlyWhileShown()
{
    TavomcPresenterMainWgt* window = start(true);
    m_login = new NxLoginToWebController;
    m_login->setWebCommandCtrl(m_web);
    m_manager->setLoginToWebCtrl(m_login);
    QSignalSpy codes(m_login, &NxLoginToWebController::sglQRLocation);
    window->toolBar()->slotLogin();
    QVERIFY(window->toolBar()->qrWidget()->isVisible());
    QVERIFY(m_login->isPolling());

    // The teacher turns to another program: the popup goes, and its code
    // is no longer asked about.
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QEvent change(QEvent::ActivationChange);
    QApplication::sendEvent(window->toolBar()->qrWidget(), &change);
    QVERIFY(window->toolBar()->qrWidget()->isHidden());
    QVERIFY(!m_login->isPolling());

    window->toolBar()->slotLogin();
    QVERIFY(window->toolBar()->qrWidget()->isVisible());
    QVERIFY(m_login->isPolling());
    QCOMPARE(codes.size(), 2);
    QVERIFY(codes.at(0).first().value<QPixmap>().toImage() != codes.at(1).first().value<QPixmap>().toImage());
}

void tst_TavomcPresenterMainWgt::tvPageBeforeAndAfterItsList()
{
    TavomcPresenterMainWgt* window = start(true);
    QTRY_VERIFY_WITH_TIMEOUT(NxConfig::getInstance()->getNetworkStatus(), 10000);
    const QJsonObject tile{{"ID", "ID_TV"}};
    QVERIFY(QMetaObject::invokeMethod(window, "slotChannelItemClicked", Q_ARG(QJsonObject, tile)));
    QVERIFY(window->tvPage() && window->tvPage()->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(window->tvPage()->getWebData().size(), 2, 10000); // the answer fills the open page
    QVERIFY(QMetaObject::invokeMethod(window, "slotCloseTVList"));
    QVERIFY(window->tvPage()->isHidden());
    // Catalogue requests only: the tiles' pictures may still be on their way.
    const int asked = requests("/channel/getNxtChannelInfo");
    QVERIFY(QMetaObject::invokeMethod(window, "slotChannelItemClicked", Q_ARG(QJsonObject, tile)));
    QTest::qWait(200);
    QCOMPARE(requests("/channel/getNxtChannelInfo"), asked); // known now: not asked again
    QVERIFY(window->tvPage()->isVisible());
}

void tst_TavomcPresenterMainWgt::offeredListProcessedOnce()
{
    TavomcPresenterMainWgt* window = start(false);
    QSharedPointer<NxChannelSet> first(NxChannelSet::create());
    QSharedPointer<NxChannelSet> second(NxChannelSet::create());
    QVERIFY(QMetaObject::invokeMethod(window, "slotRecvAddedChannelList", Q_ARG(void*, nullptr),
                                      Q_ARG(QList<QSharedPointer<NxChannelSet> >, QList<QSharedPointer<NxChannelSet>>{first})));
    QVERIFY(NxConfig::getInstance()->getNetworkStatus());
    QVERIFY(window->tavoChannelPage() && window->tavoChannelPage()->isHidden()); // made, not shown
    NxConfig::getInstance()->setNetworkStatus(false);
    QVERIFY(QMetaObject::invokeMethod(window, "slotRecvAddedChannelList", Q_ARG(void*, nullptr),
                                      Q_ARG(QList<QSharedPointer<NxChannelSet> >, QList<QSharedPointer<NxChannelSet>>{second})));
    QVERIFY(!NxConfig::getInstance()->getNetworkStatus());
}

// A first own-channel answer without channels (and a negative banner count)
// leaves the banner its way to the own-channel page; the page, opened
// empty, asks again and shows the channels of the later answer.
void tst_TavomcPresenterMainWgt::ownChannelsOfALaterAnswer()
{
    const QJsonObject empty{{"type", "getNxtChannelInfo_ACK"}, {"msg", "ok"},
                            {"result", QJsonObject{{"bannerCount", -1}, {"data", NxTestCloud::channel("nxtchannel", "Own")}}}};
    NxCloudFault once;
    once.body = NxCloudFault::Replaced;
    once.replacement = QJsonDocument(empty).toJson();
    once.times = 1;
    m_world->cloud().server().setFault("/channel/getNxtChannelInfo", once);
    TavomcPresenterMainWgt* window = start(true);
    QTRY_VERIFY_WITH_TIMEOUT(window->tavoChannelPage(), 10000); // the offered list came
    QCOMPARE(window->banner()->shownCount(), 1);
    QVERIFY(window->channelLists().tavoChannels.isEmpty());

    const QJsonObject own{{"ID", "ID_TAVO_CHANNEL"}};
    QVERIFY(QMetaObject::invokeMethod(window, "slotChannelItemClicked", Q_ARG(QJsonObject, own)));
    QVERIFY(window->tavoChannelPage()->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(window->tavoChannelPage()->getWebData().size(), 3, 10000);
    QCOMPARE(window->banner()->shownCount(), 3);
}

void tst_TavomcPresenterMainWgt::addToHomePageKeepsTheTappedSlot_data()
{
    QTest::addColumn<bool>("online");
    QTest::newRow("catalogue opened between the two answers") << true;
    QTest::newRow("offline, a channel of one's own") << false;
}

// The slot tapped receives the channel, once: whether the offered list
// arrives while the catalogue is open (and fills its groups) or the
// catalogue opened offline.
void tst_TavomcPresenterMainWgt::addToHomePageKeepsTheTappedSlot()
{
    QFETCH(bool, online);
    NxCloudFault slow;
    slow.delayMs = 1500;
    m_world->cloud().server().setFault("/channel/getChannelListToAdd", slow);
    TavomcPresenterMainWgt* window = start(online);
    if (online)
        QTRY_COMPARE_WITH_TIMEOUT(window->channelLists().tavoChannels.size(), 3, 10000);
    else
        QTRY_VERIFY_WITH_TIMEOUT(!window->isNetworkCheckRunning(), 10000);
    const QJsonObject slot{{"ID", "ID_MAINPAGE_ADD_CHANNEL"}, {"page", 0}, {"index", 3}, {"name", "Add"}};
    QVERIFY(QMetaObject::invokeMethod(window, "slotOpenAddChannel", Q_ARG(QJsonObject, slot)));
    NxAddChannelListWidget* catalogue = window->addChannelList();
    QVERIFY(catalogue->isVisible());
    QJsonObject picked{{"ID", "ID_CHANNEL"}, {"channelid", "own-1"}, {"name", "Own"}, {"from", "local"},
                       {"url", "https://own.example/"}};
    if (online) {
        const auto offered = [catalogue] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            for (NxChannelWidget* tile : catalogue->findChildren<NxChannelWidget*>()) {
                if (tile->getData().value("channelid") == "reading")
                    return tile->getData();
            }
            return QJsonObject();
        };
        QTRY_VERIFY_WITH_TIMEOUT(!offered().isEmpty(), 10000);
        picked = offered();
        picked.insert("isAdd", true);
        picked.insert("from", "local");
    }
    QVERIFY(QMetaObject::invokeMethod(catalogue, "slotAddChannel", Q_ARG(QJsonObject, picked)));
    QVERIFY(window->homeSlot(3)->isChannelMode());
    QCOMPARE(window->homeSlot(3)->getData().value("channelid"), picked.value("channelid"));
    const QJsonArray saved = NxLocalChannelFile::read(m_world->channelDir(), "FirstPage");
    QCOMPARE(saved.size(), 1);
    QCOMPARE(saved.first().toObject().value("index"), QJsonValue(3));
}

void tst_TavomcPresenterMainWgt::restartRestoresWhatCanBeShown_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QList<int>>("filled");
    QTest::addColumn<QList<int>>("pages");
    const QByteArray good = R"([{"channelid":"a","name":"A","page":0,"index":1},
                                {"channelid":"b","name":"B","page":0,"index":4}])";
    QTest::newRow("two slots") << good << QList<int>{1, 4} << QList<int>{};
    QTest::newRow("hostile entries") << QByteArray(R"([{"channelid":"x","page":0,"index":999},
        {"channelid":"y","page":-1,"index":1},{"channelid":"z","page":"0","index":"3"},7,"text",
        {"channelid":"b","name":"B","page":0,"index":2}])") << QList<int>{2} << QList<int>{};
    QTest::newRow("invalid JSON") << QByteArray("[{\"channelid\":") << QList<int>{} << QList<int>{};
    QTest::newRow("object") << QByteArray(R"({"channelid":"a","page":0,"index":1})") << QList<int>{} << QList<int>{};
    // Pages are made up to the last one named, and one more after a full one.
    QTest::newRow("page 2 named, page 1 emptied") << QByteArray(R"([{"channelid":"a","page":2,"index":5}])")
                                                  << QList<int>{} << QList<int>{1, 2};
    QJsonArray full;
    for (int index = 0; index < 18; ++index)
        full.append(QJsonObject{{"channelid", QString("c%1").arg(index)}, {"page", 2}, {"index", index}});
    QTest::newRow("full page 2") << QJsonDocument(full).toJson() << QList<int>{} << QList<int>{1, 2, 3};
    QTest::newRow("beyond the last page") << QByteArray(R"([{"channelid":"a","page":51,"index":0}])") << QList<int>{}
                                          << QList<int>{};
}

void tst_TavomcPresenterMainWgt::restartRestoresWhatCanBeShown()
{
    QFETCH(QByteArray, file);
    QFETCH(QList<int>, filled);
    QFETCH(QList<int>, pages);
    QFile saved(m_world->channelDir() + "/FirstPage_Local.jdx");
    QVERIFY(saved.open(QIODevice::WriteOnly));
    saved.write(file);
    saved.close();
    TavomcPresenterMainWgt* window = start(false);
    for (int index = 1; index <= 4; ++index)
        QCOMPARE(window->homeSlot(index)->isChannelMode(), filled.contains(index));
    for (int page = 1; page <= 52; ++page)
        QCOMPARE(window->gridPage(page) != nullptr, pages.contains(page));
}

void tst_TavomcPresenterMainWgt::homePagesGrowAsTheyFillAndSurviveRestart()
{
    TavomcPresenterMainWgt* window = start(false);
    const auto pin = [&window](int page, int index) {
        const QJsonObject channel{{"ID", "ID_CHANNEL"}, {"channelid", QString("c%1-%2").arg(page).arg(index)},
                                  {"name", "Pin"}, {"url", "https://pin.example/"}, {"page", page}, {"index", index}};
        QVERIFY(QMetaObject::invokeMethod(window, "slotAddChannelToFirstPage", Q_ARG(QJsonObject, channel)));
    };
    for (int index = 1; index <= 4; ++index) {
        QVERIFY(!window->gridPage(1));
        pin(0, index);
    }
    QVERIFY(window->gridPage(1));
    for (int index = 0; index < 17; ++index)
        pin(1, index);
    QVERIFY(!window->gridPage(2));
    QCOMPARE(window->scrollPosition(), 0);
    pin(1, 17);
    QVERIFY(window->gridPage(2));
    QCOMPARE(window->scrollPosition(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(window->scrollPosition() > 0, 2000); // 200 ms later
    QCOMPARE(NxLocalChannelFile::read(m_world->channelDir(), "FirstPage").size(), 22);

    // A second start on the same files shows the same pages.
    stop();
    window = start(false);
    for (int index = 1; index <= 4; ++index)
        QVERIFY(window->homeSlot(index)->isChannelMode());
    QVERIFY(window->gridPage(1) && window->gridPage(2) && !window->gridPage(3));
    QCOMPARE(window->gridPage(1)->getChannelCount(), 18);
    QCOMPARE(window->gridPage(2)->getChannelCount(), 0);
}

void tst_TavomcPresenterMainWgt::exitEndsTheEventLoopWithZero()
{
    TavomcPresenterMainWgt* window = start(false);
    // The checker is the process's: an answer still on its way would reach the next test's window.
    QTRY_VERIFY_WITH_TIMEOUT(!window->isNetworkCheckRunning(), 10000);
    const QJsonObject tv{{"ID", "ID_TV"}};
    QVERIFY(QMetaObject::invokeMethod(window, "slotChannelItemClicked", Q_ARG(QJsonObject, tv)));
    QVERIFY(window->tvPage() && window->toolBar());
    QEventLoop loop;
    QMetaObject::invokeMethod(window, "slotToolBarClicked", Qt::QueuedConnection, Q_ARG(QString, tr("ID_EXIT")));
    QTimer::singleShot(5000, &loop, [&loop] { loop.exit(7); });
    QCOMPARE(loop.exec(), 0);
    QVERIFY(!window->tvPage());
    QVERIFY(!window->toolBar());
}

void tst_TavomcPresenterMainWgt::dragOnATileDoesNotScroll()
{
    TavomcPresenterMainWgt* window = start(false);
    QWidget* viewport = window->findChild<QScrollArea*>("MyScrollArea")->viewport();
    QGestureEvent gesture{QList<QGesture*>()};
    qApp->setProperty("gesture", true);
    QVERIFY(window->eventFilter(viewport, &gesture));
    qApp->setProperty("gesture", false);
    QVERIFY(!window->eventFilter(viewport, &gesture));
}

// Pages and other programs in front of the home page stop the banner; it
// moves on again once the home page is in view.
void tst_TavomcPresenterMainWgt::bannerStandsStillWhileCovered()
{
    TavomcPresenterMainWgt* window = start(true);
    NxBannerWidget* banner = window->banner();
    QTRY_COMPARE_WITH_TIMEOUT(banner->shownCount(), 3, 10000);
    QVERIFY(banner->isRotating());
    const auto call = [window](const char* slot, QGenericArgument argument = QGenericArgument()) {
        QVERIFY(QMetaObject::invokeMethod(window, slot, argument));
    };
    const QJsonObject tv{{"ID", "ID_TV"}};
    call("slotChannelItemClicked", Q_ARG(QJsonObject, tv));
    QVERIFY(window->tvPage()->isVisible());
    QVERIFY(!banner->isRotating());
    call("slotCloseTVList");
    QVERIFY(banner->isRotating());
    const QJsonObject slot{{"ID", "ID_MAINPAGE_ADD_CHANNEL"}, {"page", 0}, {"index", 1}};
    call("slotOpenAddChannel", Q_ARG(QJsonObject, slot));
    QVERIFY(!banner->isRotating());
    call("slotCloseChannelList");
    QVERIFY(banner->isRotating());
    // A browser or player in front, then gone again.
    call("slotActiveEnable", Q_ARG(bool, false));
    QVERIFY(!banner->isRotating());
    call("slotChannelItemClicked", Q_ARG(QJsonObject, tv));
    call("slotCloseTVList");
    QVERIFY(!banner->isRotating());
    call("slotActiveEnable", Q_ARG(bool, true));
    QVERIFY(banner->isRotating());
}

QList<NxChannelWidget*> tst_TavomcPresenterMainWgt::bannerTiles(TavomcPresenterMainWgt* window)
{
    return window->banner()->findChildren<NxChannelWidget*>(QString(), Qt::FindDirectChildrenOnly);
}

// The catalogue's banner is kept: the next start shows it before any answer,
// and without network; an unchanged answer leaves the tiles alone.
void tst_TavomcPresenterMainWgt::bannerOfTheLastRunComesFirst()
{
    const QVariant cloud = qApp->property("appHost");
    TavomcPresenterMainWgt* window = start(true);
    QTRY_COMPARE_WITH_TIMEOUT(window->banner()->shownCount(), 3, 10000);
    const QString name = bannerTiles(window).first()->getData().value("name").toString();
    QVERIFY(QFile::exists(NxLocalChannelFile::path(m_world->channelDir(), "Banner")));
    stop();

    window = start(false);
    QTRY_COMPARE_WITH_TIMEOUT(window->banner()->shownCount(), 3, 5000);
    QCOMPARE(bannerTiles(window).first()->getData().value("name").toString(), name);
    QTRY_VERIFY_WITH_TIMEOUT(!window->isNetworkCheckRunning(), 10000);
    stop();

    qApp->setProperty("appHost", cloud);
    window = start(true);
    NxChannelWidget* shown = bannerTiles(window).first();
    QTRY_COMPARE_WITH_TIMEOUT(window->channelLists().tavoChannels.size() > 0, true, 10000);
    QCOMPARE(bannerTiles(window).first(), shown);
    QCOMPARE(window->banner()->shownCount(), 3);
    stop();

    // A damaged or hostile file: the built-in item, as on a first start.
    QJsonArray many;
    for (int i = 0; i < 500; ++i)
        many.append(QJsonObject{{"ID", "ID_CHANNEL"}, {"name", QString::number(i)}});
    for (const QJsonArray& saved : {many, QJsonArray{QJsonObject{{"ID", "ID_MAINPAGE_ADD_CHANNEL"}}}}) {
        QVERIFY(NxLocalChannelFile::write(m_world->channelDir(), "Banner", saved));
        window = start(false);
        QCOMPARE(window->banner()->shownCount(), 1);
        QCOMPARE(bannerTiles(window).first()->getData().value("ID").toString(), QString("ID_TAVO_CHANNEL"));
        QTRY_VERIFY_WITH_TIMEOUT(!window->isNetworkCheckRunning(), 10000);
        stop();
    }
}

// Once the catalogue is shown: the background decoded at the screen's size
// (not the 3840 x 2160 original), and no widget timer running but the
// banner's rotation, so nothing else wakes an idle panel.
void tst_TavomcPresenterMainWgt::completeHomePageIsLean()
{
    TavomcPresenterMainWgt* window = start(true);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTRY_COMPARE_WITH_TIMEOUT(window->channelLists().tavoChannels.size(), 3, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(requests("/channel/getChannelListToAdd"), 1, 10000);
    auto* background = window->findChild<NxPictureBackground*>("BackWidget");
    QVERIFY(background);
    QTRY_VERIFY(!background->pixmap().isNull());
    QCOMPARE(background->pixmap().size(), window->size() * window->devicePixelRatioF());

    QStringList running;
    for (QWidget* widget : QApplication::allWidgets()) {
        for (const QAbstractEventDispatcher::TimerInfo& timer : QAbstractEventDispatcher::instance()->registeredTimers(widget))
            running << QString("%1 %2 ms").arg(widget->metaObject()->className()).arg(timer.interval);
        for (QTimer* timer : widget->findChildren<QTimer*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (timer->isActive() && timer->interval() != 3000)
                running << QString("%1's timer %2 ms").arg(widget->metaObject()->className()).arg(timer->interval());
        }
    }
    QVERIFY2(running.isEmpty(), qPrintable(running.join(", ")));
}

void tst_TavomcPresenterMainWgt::fileDialogComesAfterTheFirstFrame_data()
{
    QTest::addColumn<bool>("stickFirst");
    QTest::newRow("after the first frame") << false;
    QTest::newRow("a stick before it") << true;
}

// The file dialog is not built before the first frame; a stick that comes
// earlier makes it at once and reaches it, and it is never made twice.
void tst_TavomcPresenterMainWgt::fileDialogComesAfterTheFirstFrame()
{
    QFETCH(bool, stickFirst);
    TavomcPresenterMainWgt* window = start(true);
    QVERIFY(!window->findChild<NxFileDialog*>());
    if (stickFirst) {
        emit window->signalUDiskStateChanged("/media/stick", true);
        QCOMPARE(window->findChildren<NxFileDialog*>().size(), 1);
        QCOMPARE(window->findChild<NxLocalMediaOpener*>()->uDiskState(),
                 QJsonObject({{"name", "/media/stick"}, {"isRemove", true}}));
    }
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTRY_VERIFY_WITH_TIMEOUT(window->findChild<NxFileDialog*>(), 5000);
    QTest::qWait(1500);
    QCOMPARE(window->findChildren<NxFileDialog*>().size(), 1);
}

QTEST_MAIN(tst_TavomcPresenterMainWgt)
#include "tst_TavomcPresenterMainWgt.moc"

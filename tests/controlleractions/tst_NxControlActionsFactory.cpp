#include "INxActiveWinController.h"
#include "INxAddChannelController.h"
#include "INxControllerManager.h"
#include "INxLiveCodeController.h"
#include "INxLivePlayerController.h"
#include "INxLoadWebPageController.h"
#include "INxLoginToWebController.h"
#include "INxWebCommandController.h"
#include "NxControlActionsFactory.h"
#include "NxTestEnvironment.h"

#include <QThread>
#include <QtTest>

// One instance per controller, reached through its interface.
class tst_NxControlActionsFactory : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sameInstanceWhateverTheParent();
    void webCommandInitialisedOnEveryRequest();
    void managerStartsEmptyAndStores();
    void interfaceCastByIdentifier();
    void cleanupTestCase();

private:
    NxTestEnvironment m_env;
    QObject m_firstParent;
    QObject m_secondParent;
};

void tst_NxControlActionsFactory::initTestCase()
{
    qApp->setProperty("scalefactor", 1.0);
    qApp->setProperty("channelDir", m_env.dataRoot());
}

void tst_NxControlActionsFactory::sameInstanceWhateverTheParent()
{
    // First calls one by one: the first parent is the one that counts.
    INxControllerManager* manager = NxControlActionsFactory::getControllerManager(&m_firstParent);
    INxLivePlayerController* player = NxControlActionsFactory::getLivePlayerCtrl(&m_firstParent);
    INxActiveWinController* activeWin = NxControlActionsFactory::getActiveWinController(&m_firstParent);
    INxLoginToWebController* login = NxControlActionsFactory::getLoginToWebCtrl(&m_firstParent);

    QCOMPARE(NxControlActionsFactory::getControllerManager(&m_secondParent), manager);
    QCOMPARE(dynamic_cast<QObject*>(manager)->parent(), &m_firstParent);
    QCOMPARE(NxControlActionsFactory::getLivePlayerCtrl(&m_secondParent), player);
    QCOMPARE(player->getObject()->parent(), &m_firstParent);
    QCOMPARE(NxControlActionsFactory::getActiveWinController(&m_secondParent), activeWin);
    QCOMPARE(activeWin->getObject()->parent(), &m_firstParent);
    QCOMPARE(NxControlActionsFactory::getLoginToWebCtrl(&m_secondParent), login);
    QCOMPARE(login->getObject()->parent(), nullptr);
    INxLoadWebPageController* web = NxControlActionsFactory::getLoadWebPageCtrl(&m_firstParent);
    QCOMPARE(NxControlActionsFactory::getLoadWebPageCtrl(nullptr), web);
    INxLiveCodeController* live = NxControlActionsFactory::getLiveCodeCtrl(&m_firstParent);
    QCOMPARE(NxControlActionsFactory::getLiveCodeCtrl(nullptr), live);
    INxAddChannelController* add = NxControlActionsFactory::getAddChannelCtrl(&m_firstParent);
    QCOMPARE(NxControlActionsFactory::getAddChannelCtrl(nullptr), add);
}

void tst_NxControlActionsFactory::webCommandInitialisedOnEveryRequest()
{
    INxWebCommandController* first = NxControlActionsFactory::getWebCommandCtrl(&m_firstParent);
    QThread* worker = first->getObject()->thread();
    QVERIFY(worker != qApp->thread());
    QVERIFY(worker->isRunning());
    first->stop();
    QVERIFY(!worker->isRunning());
    QCOMPARE(NxControlActionsFactory::getWebCommandCtrl(nullptr), first);
    QVERIFY(worker->isRunning()); // init() ran again
}

void tst_NxControlActionsFactory::managerStartsEmptyAndStores()
{
    INxControllerManager* manager = NxControlActionsFactory::getControllerManager(nullptr);
    QVERIFY(!manager->getLoadWebPageCtrl());
    QVERIFY(!manager->getLoginToWebCtrl());
    QVERIFY(!manager->getLiveCodeCtrl());
    QVERIFY(!manager->getAddChannelCtrl());
    QVERIFY(!manager->getWebCommandCtrl());
    QVERIFY(!manager->getLivePlayerCtrl());
    QVERIFY(!manager->getUserActionManager());
    QVERIFY(!manager->getActiveWinController());
    INxAddChannelController* addChannel = NxControlActionsFactory::getAddChannelCtrl(nullptr);
    manager->setAddChannelCtrl(addChannel);
    QCOMPARE(manager->getAddChannelCtrl(), addChannel);
    manager->setAddChannelCtrl(nullptr);
}

void tst_NxControlActionsFactory::interfaceCastByIdentifier()
{
    INxAddChannelController* addChannel = NxControlActionsFactory::getAddChannelCtrl(nullptr);
    QObject* object = addChannel->getObject();
    void* byId = object->qt_metacast("com.nxt.TavomcPresenterPro.INxAddChannelController/1.0");
    QCOMPARE(byId, static_cast<void*>(addChannel));
    QVERIFY(byId != static_cast<void*>(object)); // the interface part, not the object
    QCOMPARE(object->qt_metacast("INxAddChannelController"), byId);
    QCOMPARE(object->qt_metacast("NxAddChannelController"), static_cast<void*>(object));
    QCOMPARE(qobject_cast<INxAddChannelController*>(object), addChannel);

    QObject* login = NxControlActionsFactory::getLoginToWebCtrl(nullptr)->getObject();
    QCOMPARE(qobject_cast<INxLoginToWebController*>(login), NxControlActionsFactory::getLoginToWebCtrl(nullptr));
    QObject* web = NxControlActionsFactory::getWebCommandCtrl(nullptr)->getObject();
    QCOMPARE(web->qt_metacast("com.nxt.TavomcPresenterPro.INxWebCommandController/1.0"),
             static_cast<void*>(NxControlActionsFactory::getWebCommandCtrl(nullptr)));
    QVERIFY(NxControlActionsFactory::getActiveWinController(nullptr)->getObject()->qt_metacast(
        "com.nxt.TavomcPresenterPro.INxActiveWinController/1.0"));
    QVERIFY(NxControlActionsFactory::getLiveCodeCtrl(nullptr)->getObject()->qt_metacast(
        "com.nxt.TavomcPresenterPro.INxLiveCodeController/1.0"));
    QVERIFY(NxControlActionsFactory::getLivePlayerCtrl(nullptr)->getObject()->qt_metacast(
        "com.nxt.TavomcPresenterPro.INxLivePlayerController/1.0"));
    QVERIFY(NxControlActionsFactory::getLoadWebPageCtrl(nullptr)->getObject()->qt_metacast(
        "com.nxt.TavomcPresenterPro.INxLoadWebPageController/1.0"));
}

void tst_NxControlActionsFactory::cleanupTestCase()
{
    // The worker logs as its cache starts; it must be done before the test
    // logger closes, or a late line races its teardown.
    NxControlActionsFactory::getWebCommandCtrl(nullptr)->stop();
}

QTEST_MAIN(tst_NxControlActionsFactory)
#include "tst_NxControlActionsFactory.moc"

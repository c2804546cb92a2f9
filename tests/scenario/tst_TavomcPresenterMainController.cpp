#include "INxAddChannelController.h"
#include "INxLiveCodeController.h"
#include "INxLoginToWebController.h"
#include "INxUserActionManager.h"
#include "NxControllerManager.h"
#include "TavomcPresenterMainController.h"
#include "TavomcPresenterMainWgt.h"

#include <QImage>
#include <QPixmap>
#include <QtTest>

namespace {

class FakeLogin : public QObject, public INxLoginToWebController
{
    Q_OBJECT
    Q_INTERFACES(INxLoginToWebController)
public:
    int starts = 0;
    QObject* getObject() override { return this; }
    void startLogging() override { ++starts; }
    void stopLogging() override {}
    void setWebCommandCtrl(INxWebCommandController*) override {}
    int successReceivers() { return receivers(SIGNAL(sglLoginSuccess(QString, QString, QString, QImage))); }
    int pictureReceivers() { return receivers(SIGNAL(sglQRLocation(QPixmap))); }
signals:
    void sglQRLocation(QPixmap url);
    void sglLoginSuccess(QString uid, QString token, QString casid, QImage image);
};

class FakeAddChannel : public QObject, public INxAddChannelController
{
    Q_OBJECT
    Q_INTERFACES(INxAddChannelController)
public:
    QStringList calls;
    QObject* getObject() override { return this; }
    void setWebCommandCtrl(INxWebCommandController*) override {}
    void saveLocalChannels(const QJsonObject&) override { calls << "save"; }
    void addChannel(const QJsonObject&) override { calls << "add"; }
    void deleteChannel(const QJsonObject&) override { calls << "delete"; }
};

class FakeLiveCode : public QObject, public INxLiveCodeController
{
    Q_OBJECT
    Q_INTERFACES(INxLiveCodeController)
public:
    QList<QWidget*> inputs;
    QObject* getObject() override { return this; }
    void showLiveCodeInput(QWidget* parent) override { inputs << parent; }
    int showLiveCodeFailure(QWidget*) override { return 0; }
    void setWebCommandCtrl(INxWebCommandController*) override {}
    void setLivePlayerCtrl(INxLivePlayerController*) override {}
};

class RecordingActions : public INxUserActionManager
{
public:
    QStringList actions;
    void setAppInfo(QString, QString, QString) override {}
    void setUploadSize(int) override {}
    void recordAction(QString actionId, QJsonObject data) override
    {
        QVERIFY(data.isEmpty());
        actions << actionId;
    }
};

} // namespace

// The main window's requests turned into controller calls and user actions.
class tst_TavomcPresenterMainController : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void loginConnectsOncePerProcess();
    void addChannelRoutes_data();
    void addChannelRoutes();
    void userActionsReported();
    void withoutRecorderControllersStillCalled();

private:
    void call(const char* slot) { QVERIFY(QMetaObject::invokeMethod(m_controller, slot)); }

    NxControllerManager* m_manager = nullptr;
    TavomcPresenterMainWgt* m_window = nullptr;
    TavomcPresenterMainController* m_controller = nullptr;
    FakeLogin m_login;
    FakeAddChannel m_addChannel;
    FakeLiveCode m_liveCode;
    RecordingActions m_actions;
};

void tst_TavomcPresenterMainController::init()
{
    m_manager = new NxControllerManager;
    m_manager->setLoginToWebCtrl(&m_login);
    m_manager->setAddChannelCtrl(&m_addChannel);
    m_manager->setLiveCodeCtrl(&m_liveCode);
    m_manager->setUserActionManager(&m_actions);
    m_window = new TavomcPresenterMainWgt(nullptr, nullptr);
    m_controller = new TavomcPresenterMainController;
    m_controller->setMainWindow(m_window);
    m_controller->setControllerManager(m_manager);
    m_actions.actions.clear();
    m_addChannel.calls.clear();
    m_liveCode.inputs.clear();
}

void tst_TavomcPresenterMainController::cleanup()
{
    delete m_controller;
    delete m_window;
    delete m_manager;
}

void tst_TavomcPresenterMainController::loginConnectsOncePerProcess()
{
    call("slotLogin");
    call("slotLogin");
    QCOMPARE(m_login.starts, 2);
    QCOMPARE(m_login.successReceivers(), 1);
    QCOMPARE(m_login.pictureReceivers(), 1);
    QCOMPARE(m_actions.actions, (QStringList{"MCP_LOGIN", "MCP_LOGIN"}));
    emit m_login.sglLoginSuccess("u7", "token", "casid-7", QImage());
    QCOMPARE(m_window->userId(), QString("u7"));
    QCOMPARE(m_window->cookie(), QString("casid-7"));

    // A second controller in the same process makes no new connections.
    TavomcPresenterMainController other;
    other.setMainWindow(m_window);
    other.setControllerManager(m_manager);
    QVERIFY(QMetaObject::invokeMethod(&other, "slotLogin"));
    QCOMPARE(m_login.successReceivers(), 1);
    QCOMPARE(m_login.starts, 3);
}

void tst_TavomcPresenterMainController::addChannelRoutes_data()
{
    QTest::addColumn<QString>("saveType");
    QTest::addColumn<QString>("operate");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("local") << "LOCAL" << "" << QStringList{"save"};
    QTest::newRow("web add") << "WEB" << "add" << QStringList{"add"};
    QTest::newRow("web delete") << "WEB" << "delete" << QStringList{"delete"};
    QTest::newRow("web update") << "WEB" << "update" << QStringList{};
    QTest::newRow("lower-case local") << "local" << "" << QStringList{};
    QTest::newRow("none") << "" << "add" << QStringList{};
}

void tst_TavomcPresenterMainController::addChannelRoutes()
{
    QFETCH(QString, saveType);
    QFETCH(QString, operate);
    QFETCH(QStringList, calls);
    const QJsonObject request{{"saveType", saveType}, {"operate", operate}, {"funcType", "TV"}};
    QVERIFY(QMetaObject::invokeMethod(m_controller, "slotAddChannel", Q_ARG(QJsonObject, request)));
    QCOMPARE(m_addChannel.calls, calls);
    QCOMPARE(m_actions.actions, QStringList{"MCP_ADD_CHANNEL"});
}

void tst_TavomcPresenterMainController::userActionsReported()
{
    call("slotLive");
    call("slotUserActionMyResource");
    call("slotUserActionTVList");
    call("slotUserActionVelmar");
    call("slotUserActionLocalChannel");
    QVERIFY(QMetaObject::invokeMethod(m_controller, "slotLoadWebPage", Q_ARG(QString, "u"), Q_ARG(QString, "c")));
    QVERIFY(QMetaObject::invokeMethod(m_controller, "slotChannelList", Q_ARG(QString, "TV")));
    call("slotChannelDetail");
    QCOMPARE(m_actions.actions, (QStringList{"MCP_LIVE", "MCP_MYRESOURCE", "MCP_TV", "MCP_NXTCHANNEL", "MCP_LOCAL_MEDIA"}));
    QCOMPARE(m_liveCode.inputs, QList<QWidget*>{m_window});
}

void tst_TavomcPresenterMainController::withoutRecorderControllersStillCalled()
{
    m_manager->setUserActionManager(nullptr);
    call("slotLive");
    const QJsonObject local{{"saveType", "LOCAL"}};
    QVERIFY(QMetaObject::invokeMethod(m_controller, "slotAddChannel", Q_ARG(QJsonObject, local)));
    QCOMPARE(m_liveCode.inputs.size(), 1);
    QCOMPARE(m_addChannel.calls, QStringList{"save"});
    QVERIFY(m_actions.actions.isEmpty());

    m_controller->setControllerManager(nullptr); // nothing at all: silently skipped
    call("slotLive");
    call("slotLogin");
}

QTEST_MAIN(tst_TavomcPresenterMainController)
#include "tst_TavomcPresenterMainController.moc"

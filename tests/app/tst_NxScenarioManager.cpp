#include "INxActiveWinController.h"
#include "INxControllerManager.h"
#include "INxLoadWebPageController.h"
#include "INxNetWorkManager.h"
#include "INxShell.h"
#include "NxActiveWinController.h"
#include "NxNativeEventFilter.h"
#include "NxPlatform.h"
#include "NxScenarioManager.h"
#include "NxTestEnvironment.h"
#include "NxToolTipHelp.h"
#include "TavomcPresenterScenarioMain.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QScopeGuard>
#include <QTimer>
#include <QSignalSpy>
#include <QtTest>

namespace {

// A network library without network check and without recorder.
class BareNetworkManager : public INxNetWorkManager
{
public:
    INxNetWorkChecker* getNetChecker() override { return nullptr; }
    INxUserActionManager* getUserActionManager() override { return nullptr; }
};

class SilentShell : public INxShell
{
public:
    QStringList opened;
    QStringList started;
    bool open(const QString& target, Show, QObject*, const Failure&) override
    {
        opened << target;
        return true;
    }
    bool startProgram(const QString& program, const QString&, Show) override
    {
        started << program;
        return true;
    }
    QString onScreenKeyboard() const override { return QString(); }
};

} // namespace

// Wiring of the controllers at start and routing of scenario events.
class tst_NxScenarioManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void nullRecorderIsLoggedAndStored();
    void interfaceByIdentifier();
    void filterReachesWebPageController();
    void browserStartReachesActiveWindowController();
    void noBrowserTellsTheTeacher();
    void routingByScenarioOnly();
    void oneMainScenarioForRepeatedEvents();

private:
    NxTestEnvironment m_env;
    SilentShell m_shell;
    BareNetworkManager m_network;
    NxNativeEventFilter m_filter;
    NxScenarioManager* m_manager = nullptr;
};

void tst_NxScenarioManager::initTestCase()
{
    NxPlatform::setShell(&m_shell);
    qApp->setProperty("scalefactor", 1.0);
    qApp->setProperty("channelDir", m_env.dataRoot());
    QTest::ignoreMessage(QtDebugMsg, "NxScenarioManager::initControlManager pUserActionManager null");
    m_manager = new NxScenarioManager(&m_network, nullptr, &m_filter);
}

void tst_NxScenarioManager::cleanupTestCase()
{
    NxPlatform::setShell(nullptr);
}

void tst_NxScenarioManager::nullRecorderIsLoggedAndStored()
{
    INxControllerManager* controllers = m_manager->controllerManager();
    QVERIFY(controllers);
    QVERIFY(!controllers->getUserActionManager());
    QVERIFY(controllers->getWebCommandCtrl());
    QVERIFY(controllers->getLoadWebPageCtrl());
    QVERIFY(controllers->getLoginToWebCtrl());
    QVERIFY(controllers->getAddChannelCtrl());
    QVERIFY(controllers->getLiveCodeCtrl());
    QVERIFY(controllers->getLivePlayerCtrl());
    QVERIFY(controllers->getActiveWinController());
}

void tst_NxScenarioManager::interfaceByIdentifier()
{
    INxScenarioManager* asInterface = m_manager;
    QCOMPARE(m_manager->qt_metacast("com.nxt.qtSlatepad.INxScenarioManager/1.0"), static_cast<void*>(asInterface));
    QCOMPARE(m_manager->qt_metacast("INxScenarioManager"), static_cast<void*>(asInterface));
    QCOMPARE(m_manager->qt_metacast("NxScenarioManager"), static_cast<void*>(m_manager));
    QCOMPARE(asInterface->getObject(), m_manager);
}

void tst_NxScenarioManager::filterReachesWebPageController()
{
    QObject* webPage = m_manager->controllerManager()->getLoadWebPageCtrl()->getObject();
    QSignalSpy spy(webPage, SIGNAL(sigIsBottomBarShow(QPoint)));
    qputenv("isBottomBarShow", "true");
    m_filter.leftButtonPressed(QPoint(12, 34));
    qunsetenv("isBottomBarShow");
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.first().first().toPoint(), QPoint(12, 34));
}

void tst_NxScenarioManager::browserStartReachesActiveWindowController()
{
    INxLoadWebPageController* webPage = m_manager->controllerManager()->getLoadWebPageCtrl();
    auto* activeWin = qobject_cast<NxActiveWinController*>(m_manager->controllerManager()->getActiveWinController()->getObject());
    QVERIFY(activeWin);
    webPage->openInBrowser(nullptr, "https://maths.example/", QString());
    QCOMPARE(m_shell.opened.last(), QString("https://maths.example/"));
    QCOMPARE(activeWin->sourceFile(), QString("https://maths.example/"));
}

// No browser installed: the real shell hears xdg-open give up, and the
// teacher is told instead of seeing nothing happen.
void tst_NxScenarioManager::noBrowserTellsTheTeacher()
{
    NxTestEnvironment desktop;
    desktop.useBareDesktop();
    NxPlatform::setShell(nullptr);
    const auto restore = qScopeGuard([this] { NxPlatform::setShell(&m_shell); });
    QLabel* toast = NxToolTipHelp::Instance().findChild<QLabel*>();
    toast->clear();
    m_manager->controllerManager()->getLoadWebPageCtrl()->openInBrowser(nullptr, "https://maths.example/", QString());
    QTRY_COMPARE(toast->text(), QString("ID_NO_PROGRAM_TO_OPEN"));
}

void tst_NxScenarioManager::routingByScenarioOnly()
{
    m_manager->handleEvent({{"scenario", "ID_SCENARIO_HOME"}});
    QCOMPARE(m_manager->currentScenario(), 2);
    m_manager->dispatchEvent({{"eventid", "ID_SCENARIO_SHOW"}, {"from", "x"}, {"scenario", "ID_SCENARIO_POP"}});
    QCOMPARE(m_manager->currentScenario(), 5);
    m_manager->handleEvent({{"eventid", "ID_SCENARIO_SHOW"}, {"scenario", "ID_SCENARIO_HONOR"}});
    QCOMPARE(m_manager->currentScenario(), 4);
    m_manager->handleEvent({{"eventid", "ID_SCENARIO_SHOW"}});
    QCOMPARE(m_manager->currentScenario(), 0);
    m_manager->handleEvent({{"scenario", "id_scenario_main"}});
    QCOMPARE(m_manager->currentScenario(), 0);
    m_manager->notifyEvent({{"scenario", "ID_SCENARIO_MAIN"}});
    QCOMPARE(m_manager->currentScenario(), 0);
    QVERIFY(!m_manager->mainScenario());
}

void tst_NxScenarioManager::oneMainScenarioForRepeatedEvents()
{
    m_manager->handleEvent({{"eventid", "ID_SCENARIO_SHOW"}, {"from", ""}, {"scenario", "ID_SCENARIO_MAIN"}});
    QCOMPARE(m_manager->currentScenario(), 1);
    TavomcPresenterScenarioMain* main = m_manager->mainScenario();
    QVERIFY(main);
    QVERIFY(main->mainWindow());
    QVERIFY(static_cast<QWidget*>(qobject_cast<QWidget*>(main->mainWindow()))->isVisible());

    QSignalSpy udisk(main, SIGNAL(signalUDiskStateChanged(QString, bool)));
    // A stick opens the file dialog on it; the teacher closes it again.
    QTimer closer;
    int closed = 0;
    connect(&closer, &QTimer::timeout, [&closed] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QDialog*>(window);
            if (dialog && dialog->isVisible()) {
                dialog->reject();
                ++closed;
            }
        }
    });
    closer.start(200);
    m_filter.volumeArrived("E:");
    QCOMPARE(udisk.size(), 1);
    QCOMPARE(udisk.first(), (QVariantList{"E:", false}));
    m_filter.volumeRemoved("E:");
    closer.stop();
    QCOMPARE(closed, 1);

    const int updaterStarts = m_shell.started.size();
    m_manager->handleEvent({{"scenario", "ID_SCENARIO_MAIN"}});
    QCOMPARE(m_manager->mainScenario(), main);
    QCOMPARE(m_shell.started.size(), updaterStarts + 1); // shown again
}

QTEST_MAIN(tst_NxScenarioManager)
#include "tst_NxScenarioManager.moc"

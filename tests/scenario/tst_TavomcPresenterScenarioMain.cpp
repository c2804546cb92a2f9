#include "INxShell.h"
#include "NxChannelSet.h"
#include "NxControllerManager.h"
#include "NxPlatform.h"
#include "NxTestEnvironment.h"
#include "NxWebCmdCtrl.h"
#include "TavomcPresenterScenarioMain.h"

#include <QJsonDocument>
#include <QScreen>
#include <QWidget>
#include <QtTest>

namespace {

class RecordingShell : public INxShell
{
public:
    QList<QPair<QString, QString>> started;
    bool open(const QString&, Show, QObject*, const Failure&) override { return false; }
    bool startProgram(const QString& program, const QString& parameters, Show) override
    {
        started.append({program, parameters});
        return false;
    }
    QString onScreenKeyboard() const override { return QString(); }
};

} // namespace

// The main scenario: window, wiring and the updater command.
class tst_TavomcPresenterScenarioMain : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void showBeforeInitStartsUpdaterOnly();
    void updaterCommandDecodes();
    void initBuildsFullScreenFramelessWindow();
    void bothChannelSignalsReachOneSlot();
    void updaterFollowsTheFirstFrame();

private:
    NxTestEnvironment m_env;
    RecordingShell m_shell;
};

void tst_TavomcPresenterScenarioMain::initTestCase()
{
    NxPlatform::setShell(&m_shell);
    qApp->setProperty("scalefactor", 1.0);
    qApp->setProperty("channelDir", m_env.dataRoot());
}

void tst_TavomcPresenterScenarioMain::cleanupTestCase()
{
    NxPlatform::setShell(nullptr);
}

void tst_TavomcPresenterScenarioMain::showBeforeInitStartsUpdaterOnly()
{
    TavomcPresenterScenarioMain scenario;
    scenario.showScenario(QJsonObject());
    QVERIFY(!scenario.mainWindow());
    QCOMPARE(m_shell.started.size(), 1);
    QCOMPARE(m_shell.started.first().first, QCoreApplication::applicationDirPath() + "/TavoSoftwareUpdate");
}

void tst_TavomcPresenterScenarioMain::updaterCommandDecodes()
{
    const QString text = TavomcPresenterScenarioMain::updateCommand("/opt/mc", "2.1.0");
    const QByteArray json = QByteArray::fromBase64(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    QVERIFY(!json.isEmpty());
    QVERIFY(json.contains("\n    ")); // indented form
    const QJsonObject command = QJsonDocument::fromJson(json).object();
    QCOMPARE(command.keys(), (QStringList{"eventid", "from", "property", "scenario"}));
    QCOMPARE(command.value("eventid").toString(), QString("ID_TAVOMCPRESENTERPRO_UPDATE_CMD"));
    QCOMPARE(command.value("from").toString(), QString("ID_PC_TAVOMCPRESENTERPRO"));
    QCOMPARE(command.value("scenario").toString(), QString("ID_SCENARIO_UNKNOW"));
    const QJsonObject property = command.value("property").toObject();
    QVERIFY(property.value("autoupdate").isBool());
    QCOMPARE(property.value("autoupdate").toBool(), false);
    QVERIFY(property.value("style").isString());
    QCOMPARE(property.value("style").toString(), QString("1"));
    QCOMPARE(property.value("versionInfoFilePath").toString(), QString("/opt/mc/version.ini"));
    QCOMPARE(property.value("apppath").toString(), QString("/opt/mc"));
    QCOMPARE(property.value("appname").toString(), QString("TavomcPresenterPro"));
    QCOMPARE(property.value("regeditversion").toString(), QString("2.1.0"));
    QCOMPARE(property.value("backPicPath").toString(), QString("/opt/mc/images/update_back_pic.png"));
}

void tst_TavomcPresenterScenarioMain::initBuildsFullScreenFramelessWindow()
{
    NxControllerManager manager;
    TavomcPresenterScenarioMain scenario;
    scenario.initScenario(QJsonObject(), &manager, nullptr);
    auto* window = qobject_cast<QWidget*>(scenario.mainWindow());
    QVERIFY(window);
    QVERIFY(scenario.mainController());
    QVERIFY(scenario.isWired());
    QVERIFY(window->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(window->size(), QGuiApplication::primaryScreen()->geometry().size());
    QVERIFY(!window->isVisible());
    scenario.showScenario(QJsonObject());
    QVERIFY(window->isVisible());
    delete window;
}

void tst_TavomcPresenterScenarioMain::bothChannelSignalsReachOneSlot()
{
    NxControllerManager manager;
    NxWebCmdCtrl web;
    web.init();
    manager.setWebCommandCtrl(&web);
    TavomcPresenterScenarioMain scenario;
    scenario.initScenario(QJsonObject(), &manager, nullptr);
    QVERIFY(scenario.isWired());
    QObject* window = scenario.mainWindow();
    QSharedPointer<NxChannelSet> set(NxChannelSet::create());
    // Connected after the window, so seen after the window's slots ran.
    int delivered = 0;
    QObject witness;
    connect(&web, &NxWebCmdCtrl::sigRecvChannelList, &witness, [&delivered] { ++delivered; });
    connect(&web, &NxWebCmdCtrl::sigRecvUserChannelList, &witness, [&delivered] { ++delivered; });
    connect(&web, &NxWebCmdCtrl::sigRecvAddedChannelList, &witness, [&delivered] { ++delivered; });
    // Emitted on the client's worker thread, as real answers are.
    QMetaObject::invokeMethod(&web, [&web, set] {
        emit web.sigRecvChannelList(nullptr, set);
        emit web.sigRecvUserChannelList(nullptr, set);
        emit web.sigRecvAddedChannelList(nullptr, {set});
    }, Qt::QueuedConnection);
    QTRY_COMPARE_WITH_TIMEOUT(delivered, 3, 10000);
    // A disconnect succeeds only for a connection that was made.
    QVERIFY(QObject::disconnect(&web, SIGNAL(sigRecvChannelList(void*, QSharedPointer<NxChannelSet>)), window,
                                SLOT(slotRecvChannelList(void*, QSharedPointer<NxChannelSet>))));
    QVERIFY(QObject::disconnect(&web, SIGNAL(sigRecvUserChannelList(void*, QSharedPointer<NxChannelSet>)), window,
                                SLOT(slotRecvChannelList(void*, QSharedPointer<NxChannelSet>))));
    QVERIFY(QObject::disconnect(&web, SIGNAL(sigRecvAddedChannelList(void*, QList<QSharedPointer<NxChannelSet> >)), window,
                                SLOT(slotRecvAddedChannelList(void*, QList<QSharedPointer<NxChannelSet> >))));
    QVERIFY(QObject::disconnect(&web, SIGNAL(sigRecvChAdded(void*, int, QString)), window,
                                SLOT(slotRecvChAdded(void*, int, QString))));
    QVERIFY(QObject::disconnect(&web, SIGNAL(sigRecvChDeleted(void*, int, QString)), window,
                                SLOT(slotRecvChDeleted(void*, int, QString))));
    delete window;
}

// A process started before the first frame would copy the page tables of
// one still building its window; a later showing starts it at once.
void tst_TavomcPresenterScenarioMain::updaterFollowsTheFirstFrame()
{
    m_shell.started.clear();
    NxControllerManager manager;
    TavomcPresenterScenarioMain scenario;
    scenario.initScenario(QJsonObject(), &manager, nullptr);
    auto* window = qobject_cast<QWidget*>(scenario.mainWindow());
    QVERIFY(window);
    scenario.showScenario(QJsonObject());
    QVERIFY(m_shell.started.isEmpty());
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTRY_COMPARE(m_shell.started.size(), 1);
    QCOMPARE(m_shell.started.first().first, QCoreApplication::applicationDirPath() + "/TavoSoftwareUpdate");
    scenario.showScenario(QJsonObject());
    QCOMPARE(m_shell.started.size(), 2);
    delete window;
}

QTEST_MAIN(tst_TavomcPresenterScenarioMain)
#include "tst_TavomcPresenterScenarioMain.moc"

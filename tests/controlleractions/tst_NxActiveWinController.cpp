#include "INxNativeEventFilter.h"
#include "INxWindows.h"
#include "NxActiveWinController.h"
#include "NxLoadWebPageController.h"
#include "NxPlatform.h"
#include "NxWebAddress.h"
#include "NxX11Session.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QtTest>

#include <xcb/xcb.h>

namespace {

// The mouse-activate flag, as the native event filter keeps it.
class MouseFlag : public QObject, public INxNativeEventFilter
{
public:
    bool active = true;
    QObject* getObject() override { return this; }
    void setMouseActivate(bool activate) override { active = activate; }
    bool isMouseActivate() override { return active; }
};

QStringList g_log;
QtMessageHandler g_previous = nullptr;

void keepLog(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    g_log.append(message);
    g_previous(type, context, message);
}

INxWindows* windows()
{
    return NxPlatform::windows();
}

} // namespace

// Web channels and local files open in other programs: their window is found,
// maximised and watched on a real X11 desktop with a real window manager.
class tst_NxActiveWinController : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void addressRules_data();
    void addressRules();
    void browserWindowSearch_data();
    void browserWindowSearch();
    void refusedAddressesStartNothing();
    void watchFollowsMinimiseRestoreAndClose();
    void homePageStepsBackWhileAnotherIsInFront();

private:
    bool needsDesktop();
    QProcess* startWindow(const QString& program, const QString& title);
    INxWindows::Handle windowOf(QProcess* process, int timeoutMs = 10000);
    static QString command(int delayMs, const QString& pidFile);

    NxX11Session* m_session = nullptr;
    MouseFlag* m_flag = nullptr;
    NxActiveWinController* m_controller = nullptr;
    NxLoadWebPageController* m_webPage = nullptr;
    QList<QProcess*> m_windows;
};

void tst_NxActiveWinController::initTestCase()
{
    g_previous = qInstallMessageHandler(keepLog);
    m_session = new NxX11Session;
}

void tst_NxActiveWinController::cleanupTestCase()
{
    delete m_session;
    qInstallMessageHandler(g_previous);
}

void tst_NxActiveWinController::init()
{
    m_flag = new MouseFlag;
    m_controller = new NxActiveWinController;
    m_controller->setNativeEventFilter(m_flag);
    m_webPage = new NxLoadWebPageController;
    QVERIFY(connect(m_webPage, SIGNAL(sigBrowserStarted(QString)), m_controller, SLOT(slotBrowserStarted(QString))));
    g_log.clear();
}

void tst_NxActiveWinController::cleanup()
{
    for (QProcess* process : qAsConst(m_windows)) {
        process->kill();
        process->waitForFinished(3000);
    }
    qDeleteAll(m_windows);
    m_windows.clear();
    m_session->endStartedPrograms();
    delete m_webPage;
    delete m_controller;
    delete m_flag;
}

bool tst_NxActiveWinController::needsDesktop()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return false;
    if (!m_session->problem().isEmpty())
        qWarning() << m_session->problem();
    return m_session->problem().isEmpty();
}

QString tst_NxActiveWinController::command(int delayMs, const QString& pidFile)
{
    return QStringLiteral("%1 --delay %2 --pidfile %3 %u").arg(QStringLiteral(NX_TEST_WINDOW_PROGRAM)).arg(delayMs).arg(pidFile);
}

QProcess* tst_NxActiveWinController::startWindow(const QString& program, const QString& title)
{
    auto* process = new QProcess;
    m_windows.append(process);
    process->start(program, {QStringLiteral("--title"), title});
    process->waitForStarted(5000);
    return process;
}

INxWindows::Handle tst_NxActiveWinController::windowOf(QProcess* process, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        for (INxWindows::Handle window : windows()->topLevelWindows()) {
            if (windows()->processId(window) == process->processId() && windows()->isVisible(window))
                return window;
        }
        QTest::qWait(50);
    }
    return 0;
}

void tst_NxActiveWinController::addressRules_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("searchRule");
    QTest::addColumn<bool>("browserAccepts");
    QTest::addColumn<QString>("program");
    QTest::newRow("upper case") << "HTTP://maths.example/" << true << true << "HTTP://maths.example/";
    QTest::newRow("mixed case") << "Https://maths.example/a?b=c/d" << true << true << "Https://maths.example/a?b=c/d";
    QTest::newRow("ftp") << "ftp://host/x.mp4" << false << false << "ftp://host/x.mp4";
    QTest::newRow("quoted command") << "\"C:\\Program Files\\Browser\\browser.exe\" --single-argument %1" << false << false
                                    << "C:\\Program Files\\Browser\\browser.exe";
    QTest::newRow("unquoted command") << "/usr/lib/firefox-esr/firefox-esr %u" << false << false << "/usr/lib/firefox-esr/firefox-esr";
    QTest::newRow("program") << "C:/Windows/notepad.exe" << false << false << "C:/Windows/notepad.exe";
    QTest::newRow("file") << "file:///etc/passwd" << false << false << "file:///etc/passwd";
    QTest::newRow("script") << "javascript:alert(1)" << false << false << "javascript:alert(1)";
    QTest::newRow("no host") << "http://" << true << false << "http://";
    QTest::newRow("bar and stray percent") << "https://maths.example/a|b?p=100%" << true << true
                                           << "https://maths.example/a|b?p=100%";
    QTest::newRow("drive path") << "D:\\lesson.mp4" << false << false << "D:\\lesson.mp4";
    QTest::newRow("empty") << "" << false << false << "";
}

void tst_NxActiveWinController::addressRules()
{
    QFETCH(QString, text);
    QFETCH(bool, searchRule);
    QFETCH(bool, browserAccepts);
    QFETCH(QString, program);
    QCOMPARE(NxActiveWinController::isWebAddress(text), searchRule);
    QCOMPARE(NxWebAddress(text).isValid(), browserAccepts);
    QCOMPARE(NxActiveWinController::programOfCommandLine(text), program);
}

void tst_NxActiveWinController::browserWindowSearch_data()
{
    QTest::addColumn<int>("delayMs");
    QTest::addColumn<bool>("found");
    QTest::newRow("window after 4 s") << 4000 << true;
    QTest::newRow("window after 6.5 s") << 6500 << false;
}

void tst_NxActiveWinController::browserWindowSearch()
{
    QFETCH(int, delayMs);
    QFETCH(bool, found);
    if (!needsDesktop())
        QSKIP("needs an X11 display");
    for (const char* scheme : {"x-scheme-handler/http", "x-scheme-handler/https"})
        m_session->registerHandler(QStringLiteral("nxbrowser"), QLatin1String(scheme), command(delayMs, m_session->pidFile()));
    QSignalSpy enable(m_controller, &NxActiveWinController::sigActiveEnable);

    m_webPage->openInBrowser(nullptr, QStringLiteral("https://maths.example/lesson?unit=3"), QString());
    const auto searches = [] { return g_log.filter(QStringLiteral("find no window.")).size(); };
    if (found) {
        QTRY_COMPARE_WITH_TIMEOUT(m_controller->watchedWindows().size(), 1, 8000);
        const INxWindows::Handle window = m_controller->watchedWindows().first();
        QCOMPARE(enable.size(), 1);
        QCOMPARE(enable.first().first().toBool(), false);
        QVERIFY(!m_flag->active);
        QVERIFY(m_controller->isMonitoring());
        const int screenWidth = QGuiApplication::primaryScreen()->geometry().width();
        QTRY_VERIFY_WITH_TIMEOUT(windows()->geometry(window).width() >= screenWidth - 16, 3000); // maximised
        QVERIFY(searches() > 10 && searches() < 21);
    } else {
        QTRY_COMPARE_WITH_TIMEOUT(searches(), 21, 9000);
        QTest::qWait(1500);
        QCOMPARE(searches(), 21); // and then no more
        QVERIFY(m_controller->watchedWindows().isEmpty());
        QCOMPARE(enable.size(), 0);
        QVERIFY(m_flag->active);
    }
}

void tst_NxActiveWinController::refusedAddressesStartNothing()
{
    if (!needsDesktop())
        QSKIP("needs an X11 display");
    // A handler for everything the shell could be asked to open.
    for (const char* type : {"x-scheme-handler/http", "x-scheme-handler/https", "x-scheme-handler/file",
                             "x-scheme-handler/javascript", "text/plain", "application/x-executable"})
        m_session->registerHandler(QStringLiteral("nxany"), QLatin1String(type), command(0, m_session->pidFile()));
    QSignalSpy started(m_webPage, &NxLoadWebPageController::sigBrowserStarted);
    for (const QString& refused : {QString(), QStringLiteral("/etc/hostname"), QStringLiteral("file:///etc/hostname"),
                                   QStringLiteral("javascript:alert(1)"), QStringLiteral(NX_TEST_WINDOW_PROGRAM),
                                   QStringLiteral("C:/Windows/notepad.exe")})
        m_webPage->openInBrowser(nullptr, refused, QString());
    QTest::qWait(2000);
    QCOMPARE(started.size(), 0);
    QVERIFY2(!QFile::exists(m_session->pidFile()), "a refused address started a program");
}

void tst_NxActiveWinController::watchFollowsMinimiseRestoreAndClose()
{
    if (!needsDesktop())
        QSKIP("needs an X11 display");
    // Two players, so that two windows are watched at once.
    QTemporaryDir dir;
    const QString second = dir.filePath("nx_test_player");
    QVERIFY(QFile::copy(QStringLiteral(NX_TEST_WINDOW_PROGRAM), second));
    QVERIFY(QFile::setPermissions(second, QFile::permissions(QStringLiteral(NX_TEST_WINDOW_PROGRAM))));
    m_session->registerHandler(QStringLiteral("nxplayer"), QStringLiteral("video/mp4"), QStringLiteral(NX_TEST_WINDOW_PROGRAM) + " %f");
    m_session->registerHandler(QStringLiteral("nxplayer2"), QStringLiteral("video/webm"), second + " %f");
    QProcess* first = startWindow(QStringLiteral(NX_TEST_WINDOW_PROGRAM), QStringLiteral("first lesson"));
    QProcess* other = startWindow(second, QStringLiteral("second lesson"));
    const INxWindows::Handle firstWindow = windowOf(first);
    const INxWindows::Handle otherWindow = windowOf(other);
    QVERIFY(firstWindow && otherWindow);

    QSignalSpy enable(m_controller, &NxActiveWinController::sigActiveEnable);
    // Not a web address: a file whose suffix is mp4.
    QVERIFY(QMetaObject::invokeMethod(m_controller, "slotLocalVideoStarted", Q_ARG(QString, "ftp://host/x.mp4")));
    QVERIFY(QMetaObject::invokeMethod(m_controller, "slotLocalVideoStarted", Q_ARG(QString, "/media/usb/lesson.webm")));
    QCOMPARE(m_controller->watchedWindows(), (QList<INxWindows::Handle>{firstWindow, otherWindow}));
    QVERIFY(!m_flag->active);
    // Let the window manager finish maximising and raising before the
    // teacher minimises: a late raise would restore the window.
    const int screenWidth = QGuiApplication::primaryScreen()->geometry().width();
    QTRY_VERIFY_WITH_TIMEOUT(windows()->geometry(firstWindow).width() >= screenWidth - 16
                                 && windows()->geometry(otherWindow).width() >= screenWidth - 16, 5000);
    QTest::qWait(500);
    enable.clear();

    first->write("minimize\n");
    other->write("minimize\n");
    QTRY_VERIFY_WITH_TIMEOUT(m_flag->active, 5000);
    QCOMPARE(enable.size(), 1);
    QCOMPARE(enable.last().first().toBool(), true);
    QCOMPARE(m_controller->watchedWindows().size(), 2); // still watched

    other->write("restore\n");
    QTRY_VERIFY_WITH_TIMEOUT(!m_flag->active, 5000);
    QCOMPARE(enable.last().first().toBool(), false);

    first->write("restore\n");
    // An unwatched window in front: closing a watched one must raise the other.
    const INxWindows::Handle bystander = windowOf(startWindow(second, QStringLiteral("bystander")));
    QVERIFY(bystander);
    windows()->bringToFront(bystander);
    QTRY_COMPARE_WITH_TIMEOUT(windows()->activeWindow(), bystander, 5000);
    other->write("quit\n");
    QVERIFY(other->waitForFinished(5000));
    QTRY_COMPARE_WITH_TIMEOUT(m_controller->watchedWindows(), QList<INxWindows::Handle>{firstWindow}, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(windows()->activeWindow(), firstWindow, 5000);

    first->write("quit\n");
    QVERIFY(first->waitForFinished(5000));
    QTRY_VERIFY_WITH_TIMEOUT(!m_controller->isMonitoring(), 5000);
    QVERIFY(m_flag->active);
    QCOMPARE(enable.last().first().toBool(), true);
}

void tst_NxActiveWinController::homePageStepsBackWhileAnotherIsInFront()
{
    if (!needsDesktop() || QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs Qt on an X11 display");
    QWidget home;
    home.show();
    QVERIFY(QTest::qWaitForWindowExposed(&home));
    // WM_HINTS input: what the window manager reads before giving the focus.
    const auto acceptsInput = [&home] {
        xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
        xcb_get_property_reply_t* reply = xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, xcb_window_t(home.winId()), XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 0, 9), nullptr);
        const bool input = reply && xcb_get_property_value_length(reply) >= 8
            && static_cast<const uint32_t*>(xcb_get_property_value(reply))[1] != 0;
        free(reply);
        xcb_disconnect(connection);
        return input;
    };
    QVERIFY(acceptsInput());
    windows()->setAcceptsActivation(home.winId(), false);
    QVERIFY(!acceptsInput());
    windows()->setAcceptsActivation(home.winId(), true);
    QVERIFY(acceptsInput());
}

QTEST_MAIN(tst_NxActiveWinController)
#include "tst_NxActiveWinController.moc"

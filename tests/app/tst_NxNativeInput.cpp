#include "INxNativeEvents.h"
#include "INxShell.h"
#include "INxSystemInfo.h"
#include "NxNativeEventFilter.h"
#include "NxPlatform.h"
#include "NxSystemInfoNative.h"
#include "NxWatchManager.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTextEdit>
#include <QtTest>

#include <xcb/xcb.h>

namespace {

// Native messages as a test wants them decoded.
class ScriptedEvents : public INxNativeEvents
{
public:
    NxNativeMessage next;
    mutable int refusals = 0;
    NxNativeMessage decode(const QByteArray&, void*) const override { return next; }
    void refuseActivation(void*, long* result) const override
    {
        ++refusals;
        *result = 3;
    }
    bool reportsCaptionActivation() const override { return false; }
};

class RecordingShell : public INxShell
{
public:
    QStringList started; // programs; the keyboard is never opened as a document
    bool open(const QString&, Show, QObject*, const Failure&) override { return false; }
    bool startProgram(const QString& program, const QString&, Show) override
    {
        started << program;
        return true;
    }
    QString onScreenKeyboard() const override { return QStringLiteral("/usr/bin/keyboard"); }
};

} // namespace

// The native event filter's rules and the touch keyboard of the watch manager.
class tst_NxNativeInput : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void driveNameFromUnitMask();
    void arrivalLatch();
    void decodedVolumesGoThroughTheLatch();
    void bottomBarTapFromXcb();
    void accessibilityAndActivation();
    void touchOnLineEditOpensKeyboard();
    void mouseReleaseDoesNotOpenKeyboard();
    void readOnlyTextViewNeedsNoKeyboard();
    void repeatedTapsRestartTheDelay();
    void buildRule();
    void disabledManagerIgnoresEvents();

private:
    QMouseEvent release(Qt::MouseEventSource source) const
    {
        return QMouseEvent(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                           Qt::NoButton, Qt::NoModifier, source);
    }

    ScriptedEvents m_events;
    RecordingShell m_shell;
};

void tst_NxNativeInput::init()
{
    m_events = ScriptedEvents();
    m_shell.started.clear();
    NxPlatform::setShell(&m_shell);
    qunsetenv("isBottomBarShow");
}

void tst_NxNativeInput::cleanup()
{
    NxPlatform::setShell(nullptr);
    NxPlatform::setNativeEvents(nullptr);
}

void tst_NxNativeInput::driveNameFromUnitMask()
{
    QCOMPARE(NxNativeEventFilter::driveName(1u << 4), QString("E:"));
    QCOMPARE(NxNativeEventFilter::driveName((1u << 6) | (1u << 25)), QString("G:"));
    QCOMPARE(NxNativeEventFilter::driveName(1u), QString("A:"));
    QCOMPARE(NxNativeEventFilter::driveName(1u << 25), QString("Z:"));
}

void tst_NxNativeInput::arrivalLatch()
{
    NxNativeEventFilter filter;
    QSignalSpy spy(&filter, &NxNativeEventFilter::signalUDiskStateChanged);
    filter.volumeRemoved("F:"); // reported without a preceding arrival
    filter.volumeArrived("E:");
    filter.volumeArrived("F:"); // second stick: latched
    filter.volumeRemoved("F:");
    filter.volumeArrived("G:"); // re-armed
    QCOMPARE(spy.size(), 4);
    QCOMPARE(spy.at(0), (QVariantList{"F:", true}));
    QCOMPARE(spy.at(1), (QVariantList{"E:", false}));
    QCOMPARE(spy.at(2), (QVariantList{"F:", true}));
    QCOMPARE(spy.at(3), (QVariantList{"G:", false}));
}

void tst_NxNativeInput::decodedVolumesGoThroughTheLatch()
{
    NxPlatform::setNativeEvents(&m_events);
    NxNativeEventFilter filter;
    QSignalSpy spy(&filter, &NxNativeEventFilter::signalUDiskStateChanged);
    long result = 0;
    m_events.next = {NxNativeMessage::VolumeArrival, 1u << 4};
    QVERIFY(!filter.nativeEventFilter("windows_generic_MSG", nullptr, &result));
    m_events.next = {NxNativeMessage::VolumeArrival, 1u << 5};
    QVERIFY(!filter.nativeEventFilter("windows_generic_MSG", nullptr, &result));
    m_events.next = {NxNativeMessage::VolumeRemoval, 1u << 4};
    QVERIFY(!filter.nativeEventFilter("windows_generic_MSG", nullptr, &result));
    QCOMPARE(spy.size(), 2);
    QCOMPARE(spy.at(0), (QVariantList{"E:", false}));
    QCOMPARE(spy.at(1), (QVariantList{"E:", true}));
}

void tst_NxNativeInput::bottomBarTapFromXcb()
{
    NxNativeEventFilter filter;
    QSignalSpy spy(&filter, &NxNativeEventFilter::sigIsBottomBarShow);
    xcb_button_press_event_t press{};
    press.response_type = XCB_BUTTON_PRESS;
    press.detail = XCB_BUTTON_INDEX_1;
    long result = 0;
    QVERIFY(!filter.nativeEventFilter("xcb_generic_event_t", &press, &result));
    qputenv("isBottomBarShow", "false");
    QVERIFY(!filter.nativeEventFilter("xcb_generic_event_t", &press, &result));
    QCOMPARE(spy.size(), 0);
    qputenv("isBottomBarShow", "true");
    QVERIFY(!filter.nativeEventFilter("xcb_generic_event_t", &press, &result));
    press.detail = XCB_BUTTON_INDEX_3; // right button
    QVERIFY(!filter.nativeEventFilter("xcb_generic_event_t", &press, &result));
    QCOMPARE(spy.size(), 1);
}

void tst_NxNativeInput::accessibilityAndActivation()
{
    NxPlatform::setNativeEvents(&m_events);
    NxNativeEventFilter filter;
    long result = 0;
    m_events.next = {NxNativeMessage::AccessibilityQuery, 0};
    QVERIFY(filter.nativeEventFilter("windows_generic_MSG", nullptr, &result));

    m_events.next = {NxNativeMessage::MouseActivate, 0};
    QVERIFY(filter.isMouseActivate());
    QVERIFY(!filter.nativeEventFilter("windows_generic_MSG", nullptr, &result));
    QCOMPARE(m_events.refusals, 0);
    filter.setMouseActivate(false);
    QVERIFY(filter.nativeEventFilter("windows_generic_MSG", nullptr, &result));
    QCOMPARE(m_events.refusals, 1);
    QCOMPARE(result, 3L);
}

void tst_NxNativeInput::touchOnLineEditOpensKeyboard()
{
    NxWatchManager watch;
    watch.setEnabled(true);
    QLineEdit edit;
    auto tap = release(Qt::MouseEventSynthesizedBySystem);
    QVERIFY(watch.filterEvent(&edit, &tap));
    QVERIFY(watch.isKeyboardPending());
    QTest::qWait(100);
    QVERIFY(m_shell.started.isEmpty());
    QTRY_COMPARE(m_shell.started, QStringList{"/usr/bin/keyboard"});
    QVERIFY(!watch.isKeyboardPending());
    QTest::qWait(300);
    QCOMPARE(m_shell.started.size(), 1); // once
}

void tst_NxNativeInput::mouseReleaseDoesNotOpenKeyboard()
{
    NxWatchManager watch;
    watch.setEnabled(true);
    QLineEdit edit;
    auto click = release(Qt::MouseEventNotSynthesized);
    watch.filterEvent(&edit, &click);
    QVERIFY(!watch.isKeyboardPending());
    QWidget plain;
    auto tap = release(Qt::MouseEventSynthesizedByQt);
    watch.filterEvent(&plain, &tap);
    QVERIFY(!watch.isKeyboardPending());
}

void tst_NxNativeInput::readOnlyTextViewNeedsNoKeyboard()
{
    NxWatchManager watch;
    watch.setEnabled(true);
    QTextEdit readOnly;
    readOnly.setReadOnly(true);
    QTextEdit inner(&readOnly);
    auto tap = release(Qt::MouseEventSynthesizedBySystem);
    watch.filterEvent(&inner, &tap);
    QVERIFY(!watch.isKeyboardPending());

    QTextEdit editable;
    watch.filterEvent(editable.viewport(), &tap); // the viewport of an editable text edit
    QVERIFY(watch.isKeyboardPending());
}

void tst_NxNativeInput::repeatedTapsRestartTheDelay()
{
    NxWatchManager watch;
    watch.setEnabled(true);
    QLineEdit edit;
    auto tap = release(Qt::MouseEventSynthesizedBySystem);
    QElapsedTimer timer;
    timer.start();
    watch.filterEvent(&edit, &tap);
    QTest::qWait(150);
    watch.filterEvent(&edit, &tap);
    QTRY_COMPARE(m_shell.started.size(), 1);
    QVERIFY(timer.elapsed() >= 340);
}

void tst_NxNativeInput::buildRule()
{
    QVERIFY(NxWatchManager::keyboardAllowed(false, "10.0.17763", "nxdeviceinputid"));
    QVERIFY(!NxWatchManager::keyboardAllowed(true, "10.0.17763", "nxdeviceinputid"));
    QVERIFY(!NxWatchManager::keyboardAllowed(true, "10.0.17134", "nxdeviceinputid"));
    QVERIFY(NxWatchManager::keyboardAllowed(true, "10.0.19041", "nxdeviceinputid"));
    QVERIFY(NxWatchManager::keyboardAllowed(true, "10.0.17763", "other"));
}

void tst_NxNativeInput::disabledManagerIgnoresEvents()
{
    NxWatchManager watch;
    QLineEdit edit;
    auto tap = release(Qt::MouseEventSynthesizedBySystem);
    QVERIFY(watch.filterEvent(&edit, &tap));
    QVERIFY(!watch.isKeyboardPending());
    watch.setEnabled(true);
    QVERIFY(watch.filterEvent(nullptr, &tap));
    QVERIFY(!watch.isKeyboardPending());
}

QTEST_MAIN(tst_NxNativeInput)
#include "tst_NxNativeInput.moc"

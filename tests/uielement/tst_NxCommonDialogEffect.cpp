#include "INxNativeEvents.h"
#include "NxCommonDialogEffect.h"
#include "NxPlatform.h"

#include <QFrame>
#include <QGraphicsDropShadowEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QtTest>

// The frameless dialog shell: its set-up, keys and mouse, and the sideways
// nudge on activation changes.
class tst_NxCommonDialogEffect : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void frameAndShadow();
    void centreWidgetFillsTheShell();
    void scaleComesFromTheApplication();
    void escapeLeavesItOpen();
    void cannotBeDragged();
    void nudgeOffsets_data();
    void nudgeOffsets();
    void sameStateTwiceMovesOnce();
    void notModalDoesNotMove();
    void modalAgainMovesAgain();
    void windowActivationNudges();
    void captionMessageNudgesWhereTheSystemSendsIt();

private:
    // Placed but not shown, so no real activation interferes.
    static QPoint placedAt(NxCommonDialogEffect& dialog, const QPoint& pos);
    static void dragWithLeftButton(QWidget* w, const QPoint& from, const QPoint& to);
};

void tst_NxCommonDialogEffect::cleanup()
{
    qApp->setProperty("scalefactor", QVariant());
}

QPoint tst_NxCommonDialogEffect::placedAt(NxCommonDialogEffect& dialog, const QPoint& pos)
{
    dialog.resize(200, 120);
    dialog.move(pos);
    return dialog.pos();
}

void tst_NxCommonDialogEffect::dragWithLeftButton(QWidget* w, const QPoint& from, const QPoint& to)
{
    QTest::mousePress(w, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, w->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
    QTest::mouseRelease(w, Qt::LeftButton, {}, to);
}

void tst_NxCommonDialogEffect::frameAndShadow()
{
    NxCommonDialogEffect dialog(nullptr, 1.0);
    QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(dialog.windowModality(), Qt::ApplicationModal);
    QVERIFY(dialog.testAttribute(Qt::WA_TranslucentBackground));

    auto* frame = dialog.findChild<QFrame*>("mainWidget");
    QVERIFY(frame);
    QVERIFY(frame->testAttribute(Qt::WA_TranslucentBackground));
    QCOMPARE(frame->styleSheet(), QString("QFrame#mainWidget{background-color:#FFFFFF;border-radius:15px}"));
    auto* shadow = qobject_cast<QGraphicsDropShadowEffect*>(frame->graphicsEffect());
    QVERIFY(shadow);
    QCOMPARE(shadow->offset(), QPointF(0, 0));
    QCOMPARE(shadow->color(), QColor(0, 0, 0, 255));
    QCOMPARE(shadow->blurRadius(), 0.0);

    auto* outer = dialog.layout();
    QCOMPARE(outer->contentsMargins(), QMargins());
    QCOMPARE(outer->spacing(), 0);
    QCOMPARE(outer->itemAt(0)->widget(), frame);
    QCOMPARE(frame->layout()->contentsMargins(), QMargins());
    QCOMPARE(frame->layout()->spacing(), 0);
}

void tst_NxCommonDialogEffect::centreWidgetFillsTheShell()
{
    NxCommonDialogEffect dialog(nullptr, 1.0);
    auto* content = new QWidget;
    dialog.setCenterWidget(content);
    dialog.resize(300, 200);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* frame = dialog.findChild<QFrame*>("mainWidget");
    QCOMPARE(content->parentWidget(), frame);
    QCOMPARE(content->geometry(), frame->rect());
    QCOMPARE(frame->geometry(), dialog.rect());
    // The translucent shell adds nothing around its content, so the
    // pictures the dialogs draw keep clean rounded corners.
    const QImage shot = dialog.grab().toImage();
    QCOMPARE(qAlpha(shot.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(shot.pixel(150, 100)), 0);
    content->setStyleSheet("background:#102030");
    content->setAttribute(Qt::WA_StyledBackground);
    QCOMPARE(dialog.grab().toImage().pixelColor(150, 100), QColor("#102030"));
}

void tst_NxCommonDialogEffect::scaleComesFromTheApplication()
{
    qApp->setProperty("scalefactor", 2.0);
    NxCommonDialogEffect big(nullptr, 0.71);
    QPoint start = placedAt(big, QPoint(300, 300));
    big.activationChanged(true);
    QCOMPARE(big.pos(), start - QPoint(4, 0));

    // Without the property the argument stands.
    qApp->setProperty("scalefactor", QVariant());
    NxCommonDialogEffect fallback(nullptr, 2.0);
    start = placedAt(fallback, QPoint(300, 300));
    fallback.activationChanged(true);
    QCOMPARE(fallback.pos(), start - QPoint(4, 0));
}

void tst_NxCommonDialogEffect::escapeLeavesItOpen()
{
    NxCommonDialogEffect dialog(nullptr, 1.0);
    QSignalSpy rejected(&dialog, &QDialog::rejected);
    dialog.resize(200, 120);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    QCOMPARE(rejected.count(), 0);
    dialog.setWidgetModal(false);
    dialog.hide();

    // A plain dialog closes on the same key.
    QDialog plain;
    plain.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plain));
    QTest::keyClick(&plain, Qt::Key_Escape);
    QVERIFY(!plain.isVisible());
}

void tst_NxCommonDialogEffect::cannotBeDragged()
{
    NxCommonDialogEffect dialog(nullptr, 1.0);
    placedAt(dialog, QPoint(200, 150));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    const QPoint start = dialog.pos();
    dragWithLeftButton(&dialog, QPoint(20, 20), QPoint(120, 90));
    QCOMPARE(dialog.pos(), start);
}

void tst_NxCommonDialogEffect::nudgeOffsets_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<int>("offset");
    QTest::newRow("0.71") << 0.71 << 2;
    QTest::newRow("0.8") << 0.8 << 2;
    QTest::newRow("1.0") << 1.0 << 2;
    QTest::newRow("1.6") << 1.6 << 3;
    QTest::newRow("2.0") << 2.0 << 4;
}

void tst_NxCommonDialogEffect::nudgeOffsets()
{
    QFETCH(double, scale);
    QFETCH(int, offset);
    QCOMPARE(NxCommonDialogEffect::nudgeOffset(scale), offset);

    qApp->setProperty("scalefactor", scale);
    NxCommonDialogEffect dialog(nullptr, 1.0);
    const QPoint start = placedAt(dialog, QPoint(400, 300));
    dialog.activationChanged(true);
    QCOMPARE(dialog.pos(), start - QPoint(offset, 0));
    dialog.activationChanged(false);
    QCOMPARE(dialog.pos(), start);
}

void tst_NxCommonDialogEffect::sameStateTwiceMovesOnce()
{
    qApp->setProperty("scalefactor", 0.71);
    NxCommonDialogEffect dialog(nullptr, 1.0);
    const QPoint start = placedAt(dialog, QPoint(400, 300));
    dialog.activationChanged(false);
    QCOMPARE(dialog.pos(), start);
    dialog.activationChanged(true);
    dialog.activationChanged(true);
    QCOMPARE(dialog.pos(), start - QPoint(2, 0));
    dialog.activationChanged(false);
    dialog.activationChanged(false);
    QCOMPARE(dialog.pos(), start);
}

void tst_NxCommonDialogEffect::notModalDoesNotMove()
{
    NxCommonDialogEffect dialog(nullptr, 1.0);
    dialog.setWidgetModal(false);
    QCOMPARE(dialog.windowModality(), Qt::NonModal);
    const QPoint start = placedAt(dialog, QPoint(400, 300));
    dialog.activationChanged(true);
    dialog.activationChanged(false);
    dialog.activationChanged(true);
    QCOMPARE(dialog.pos(), start);
}

void tst_NxCommonDialogEffect::modalAgainMovesAgain()
{
    NxCommonDialogEffect dialog(nullptr, 1.0);
    dialog.setWidgetModal(false);
    dialog.setWidgetModal(true);
    QCOMPARE(dialog.windowModality(), Qt::ApplicationModal);
    const QPoint start = placedAt(dialog, QPoint(400, 300));
    dialog.activationChanged(true);
    QCOMPARE(dialog.pos(), start - QPoint(2, 0));
}

void tst_NxCommonDialogEffect::windowActivationNudges()
{
    qApp->setProperty("scalefactor", 2.0);
    QWidget other;
    other.setGeometry(10, 10, 50, 50);
    NxCommonDialogEffect dialog(nullptr, 1.0);
    dialog.setWidgetModal(true);
    dialog.setWindowModality(Qt::NonModal); // lets the other window take focus
    const QPoint start = placedAt(dialog, QPoint(400, 300));
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTRY_COMPARE(dialog.pos(), start - QPoint(4, 0));

    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QTRY_COMPARE(dialog.pos(), start);
}

namespace {

// A system whose windows report activation as caption messages.
class CaptionEvents : public INxNativeEvents
{
public:
    bool active = false;
    NxNativeMessage decode(const QByteArray&, void*) const override
    {
        NxNativeMessage message;
        message.kind = NxNativeMessage::CaptionActivation;
        message.active = active;
        return message;
    }
    void refuseActivation(void*, long*) const override {}
    bool reportsCaptionActivation() const override { return true; }
};

class ExposedDialog : public NxCommonDialogEffect
{
public:
    ExposedDialog()
        : NxCommonDialogEffect(nullptr, 1.0)
    {
    }
    using NxCommonDialogEffect::nativeEvent;
};

} // namespace

void tst_NxCommonDialogEffect::captionMessageNudgesWhereTheSystemSendsIt()
{
    qApp->setProperty("scalefactor", 1.0);
    CaptionEvents events;
    NxPlatform::setNativeEvents(&events);
    ExposedDialog dialog;
    const QPoint start = placedAt(dialog, QPoint(400, 300));
    long result = 0;
    events.active = true;
    dialog.nativeEvent("windows_generic_MSG", nullptr, &result);
    QCOMPARE(dialog.pos(), start - QPoint(2, 0));
    // Qt's own activation event is not a second source there.
    QEvent change(QEvent::ActivationChange);
    QCoreApplication::sendEvent(&dialog, &change);
    events.active = false;
    dialog.nativeEvent("windows_generic_MSG", nullptr, &result);
    QCOMPARE(dialog.pos(), start);
    NxPlatform::setNativeEvents(nullptr);
}

QTEST_MAIN(tst_NxCommonDialogEffect)
#include "tst_NxCommonDialogEffect.moc"

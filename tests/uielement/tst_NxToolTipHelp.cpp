#include "NxToolTipHelp.h"

#include <QElapsedTimer>
#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QLayout>
#include <QRegularExpression>
#include <QScreen>
#include <QtTest>

// The process-wide toast: 200 ms delay, 1340 ms hold, 330 ms fade, restart
// on a new text, empty texts ignored, stopping.
class tst_NxToolTipHelp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void oneInstanceSetUp();
    void centredOnTheScreen();
    void cycleTimes();
    void emptyTextIsIgnored();
    void newTextRestartsTheCycleDuringFadeOut();
    void shownAtAPositionAtOnce();
    void stopHides();
    void stopDuringTheDelayKeepsItHidden();

private:
    static NxToolTipHelp& toast() { return NxToolTipHelp::Instance(); }
    static QLabel* label() { return toast().findChild<QLabel*>(); }
    // Fading out: the background alpha is a whole number of 255ths.
    static bool fading()
    {
        return QRegularExpression("rgba\\(67, 68, 71, \\d+\\);").match(label()->styleSheet()).hasMatch();
    }
    // Milliseconds from now until the toast is hidden (-1: not within limit).
    static qint64 untilHidden(qint64 limit);
};

void tst_NxToolTipHelp::initTestCase()
{
    qApp->setProperty("scalefactor", 1.0);
}

void tst_NxToolTipHelp::init()
{
    toast().stopToast();
    QTest::qWait(50);
    QVERIFY(!toast().isVisible());
}

qint64 tst_NxToolTipHelp::untilHidden(qint64 limit)
{
    QElapsedTimer clock;
    clock.start();
    while (toast().isVisible()) {
        if (clock.elapsed() > limit)
            return -1;
        QTest::qWait(5);
    }
    return clock.elapsed();
}

void tst_NxToolTipHelp::oneInstanceSetUp()
{
    QCOMPARE(&NxToolTipHelp::Instance(), &toast());
    QVERIFY(!toast().parent());
    const Qt::WindowFlags flags = toast().windowFlags();
    QCOMPARE(toast().windowType(), Qt::Tool);
    QVERIFY(flags & Qt::FramelessWindowHint);
    QVERIFY(flags & Qt::WindowStaysOnTopHint);
    QVERIFY(toast().testAttribute(Qt::WA_TranslucentBackground));
    QCOMPARE(toast().layout()->contentsMargins(), QMargins(3, 3, 3, 3));
    QCOMPARE(toast().layout()->spacing(), 0);
    QCOMPARE(label()->alignment(), Qt::AlignCenter);
    auto* shadow = qobject_cast<QGraphicsDropShadowEffect*>(toast().graphicsEffect());
    QVERIFY(shadow);
    QCOMPARE(shadow->offset(), QPointF(0, 0));
    QCOMPARE(shadow->color(), QColor(103, 104, 113));
    QCOMPARE(shadow->blurRadius(), 10.0);
}

void tst_NxToolTipHelp::centredOnTheScreen()
{
    const QString text = "The channel list could not be loaded";
    toast().setMesseage(text);
    QVERIFY(!toast().isVisible());
    const QRect bounds = label()->fontMetrics().boundingRect(text);
    QCOMPARE(label()->text(), text);
    QCOMPARE(label()->size(), QSize(bounds.width() + 80, bounds.height() + 20));
    QVERIFY(label()->styleSheet().contains(QString("border-radius:%1px").arg(label()->height() / 2)));
    QVERIFY(label()->styleSheet().contains("font:14px"));
    const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
    QCOMPARE(toast().pos(), QPoint(centre.x() - bounds.width() / 2 - 40, centre.y() - bounds.height() / 2 - 10));
    QTRY_VERIFY(toast().isVisible());
    QCOMPARE(toast().size(), label()->size() + QSize(6, 6));
}

void tst_NxToolTipHelp::cycleTimes()
{
    QElapsedTimer clock;
    clock.start();
    toast().setMesseage("Saved");
    QTest::qWait(120);
    QVERIFY(!toast().isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(toast().isVisible(), 1000);
    const qint64 shown = clock.elapsed();
    QVERIFY2(shown >= 180, qPrintable(QString::number(shown)));

    QTest::qWait(1100);
    QVERIFY(toast().isVisible());
    QVERIFY(label()->styleSheet().contains("rgba(67, 68, 71, 0.55)"));
    QTRY_VERIFY_WITH_TIMEOUT(fading(), 2000);
    const qint64 fadeStart = clock.elapsed() - shown;
    QVERIFY2(fadeStart >= 1250, qPrintable(QString::number(fadeStart)));
    QVERIFY(toast().isVisible());
    const qint64 fade = untilHidden(2000);
    QVERIFY2(fade >= 250 && fade < 1500, qPrintable(QString::number(fade)));
}

void tst_NxToolTipHelp::emptyTextIsIgnored()
{
    toast().setMesseage("");
    QTest::qWait(350);
    QVERIFY(!toast().isVisible());

    QElapsedTimer clock;
    clock.start();
    toast().setMesseage("Shown");
    QTRY_VERIFY(toast().isVisible());
    const QRect before = toast().geometry();
    QTest::qWait(700);
    toast().setMesseage("");
    QCOMPARE(label()->text(), QString("Shown"));
    QCOMPARE(toast().geometry(), before);
    // The cycle runs on from the first text: hidden near 1870 ms, not 2570.
    QVERIFY(untilHidden(3000) >= 0);
    QVERIFY2(clock.elapsed() < 2400, qPrintable(QString::number(clock.elapsed())));
}

void tst_NxToolTipHelp::newTextRestartsTheCycleDuringFadeOut()
{
    toast().setMesseage("First");
    QTRY_VERIFY(toast().isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(fading(), 3000);
    QTest::qWait(100);
    QVERIFY(toast().isVisible());

    QElapsedTimer clock;
    clock.start();
    toast().setMesseage("Second");
    QCOMPARE(label()->text(), QString("Second"));
    QTRY_VERIFY_WITH_TIMEOUT(label()->styleSheet().contains("0.55"), 1000);
    QVERIFY2(clock.elapsed() >= 180, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(toast().isVisible());
    QTest::qWait(1200);
    QVERIFY(toast().isVisible());
    QVERIFY(!fading());
    QVERIFY(untilHidden(3000) >= 0);
    QVERIFY2(clock.elapsed() >= 1700, qPrintable(QString::number(clock.elapsed())));
}

void tst_NxToolTipHelp::shownAtAPositionAtOnce()
{
    const QString text = "Copied";
    toast().setMesseage(text, QPoint(40, 30));
    QVERIFY(toast().isVisible());
    QCOMPARE(toast().pos(), QPoint(40, 30));
    const QRect bounds = label()->fontMetrics().boundingRect(text);
    QCOMPARE(label()->size(), QSize(bounds.width() + 80, bounds.height() + 40));
    QElapsedTimer clock;
    clock.start();
    QVERIFY(untilHidden(3000) >= 0);
    QVERIFY2(clock.elapsed() >= 1500, qPrintable(QString::number(clock.elapsed())));
}

void tst_NxToolTipHelp::stopHides()
{
    toast().setMesseage("Going");
    QTRY_VERIFY(toast().isVisible());
    toast().stopToast();
    QVERIFY(!toast().isVisible());
    QTest::qWait(300);
    QVERIFY(!toast().isVisible());
    toast().stopToast();
    QVERIFY(!toast().isVisible());
}

void tst_NxToolTipHelp::stopDuringTheDelayKeepsItHidden()
{
    toast().setMesseage("Too late");
    QTest::qWait(50);
    toast().stopToast();
    QTest::qWait(400);
    QVERIFY(!toast().isVisible());
}

QTEST_MAIN(tst_NxToolTipHelp)
#include "tst_NxToolTipHelp.moc"

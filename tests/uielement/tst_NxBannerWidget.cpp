#include "NxBannerDots.h"
#include "NxBannerWidget.h"
#include "NxChannelWidget.h"
#include "NxPointerDriver.h"
#include "NxTouchScrollArea.h"

#include <QScrollBar>
#include <QScroller>
#include <QSignalSpy>
#include <QtTest>

Q_DECLARE_METATYPE(NxPointerDriver::Kind)

// The banner: what shows, the order it rotates in, the dots, swipes and taps,
// by mouse and by touch.
class tst_NxBannerWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void oneItemAndLimit();
    void rotationOrder();
    void renewKeepsTheTileOnScreen();
    void dotClicks_data();
    void dotClicks();
    void swipe_data();
    void swipe();
    void tapDuringSlide_data();
    void tapDuringSlide();
    void standsStillWhileHiddenOrCovered();
    void scrollStartingOnItIsNoSwipe_data();
    void scrollStartingOnItIsNoSwipe();

private:
    NxBannerWidget* banner(int items, int limit);
    static QList<NxChannelWidget*> items(NxBannerWidget* b);
    static NxBannerDots* dots(NxBannerWidget* b);
    static void tapDot(NxPointerDriver& pointer, NxBannerWidget* b, int index);
    static bool atRest(NxBannerWidget* b);

    QWidget* m_host = nullptr;
};

void tst_NxBannerWidget::initTestCase()
{
    qApp->setProperty("scalefactor", 2.0);
}

void tst_NxBannerWidget::init()
{
    m_host = new QWidget;
    m_host->resize(900, 300);
    m_host->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_host));
}

void tst_NxBannerWidget::cleanup()
{
    delete m_host;
}

NxBannerWidget* tst_NxBannerWidget::banner(int count, int limit)
{
    auto* b = new NxBannerWidget(m_host);
    b->setGeometry(20 + m_host->findChildren<NxBannerWidget*>().size() * 440, 20, 400, 200);
    QList<QJsonObject> list;
    for (int i = 0; i < count; ++i)
        list << QJsonObject{{"ID", "ID_CHANNEL"}, {"name", QString("item %1").arg(i)}, {"index", i}};
    b->addinitItem(list);
    b->setDefaultSize(limit);
    b->show();
    return b;
}

QList<NxChannelWidget*> tst_NxBannerWidget::items(NxBannerWidget* b)
{
    return b->findChildren<NxChannelWidget*>(QString(), Qt::FindDirectChildrenOnly);
}

NxBannerDots* tst_NxBannerWidget::dots(NxBannerWidget* b)
{
    return b->findChild<NxBannerDots*>();
}

void tst_NxBannerWidget::tapDot(NxPointerDriver& pointer, NxBannerWidget* b, int index)
{
    pointer.tap(dots(b), dots(b)->dotRect(index).center());
}

// Only the current item is in view, at rest in the banner's origin.
bool tst_NxBannerWidget::atRest(NxBannerWidget* b)
{
    const QList<NxChannelWidget*> all = items(b);
    for (int i = 0; i < all.size(); ++i) {
        const bool inView = all.at(i)->isVisible() && b->rect().intersects(all.at(i)->geometry());
        if (inView != (i == b->currentIndex()))
            return false;
    }
    return all.at(b->currentIndex())->pos() == QPoint(0, 0);
}

void tst_NxBannerWidget::oneItemAndLimit()
{
    NxBannerWidget* single = banner(1, 5);
    NxBannerWidget* limited = banner(4, 2);
    QCOMPARE(single->shownCount(), 1);
    QVERIFY(dots(single)->size().isEmpty());
    QCOMPARE(limited->shownCount(), 2);
    QCOMPARE(dots(limited)->count(), 2);
    QCOMPARE(dots(limited)->current(), 0);
    QCOMPARE(dots(limited)->dotRect(0).size(), QSize(20, 20));
    // The dots sit at the bottom right: 16 + 8 design pixels from the right, 14 from the bottom.
    QCOMPARE(dots(limited)->mapTo(limited, dots(limited)->dotRect(1).bottomRight()), QPoint(400 - 48 - 1, 200 - 28 - 1));

    // The rotation timer moves the limited banner on; the single one never moves.
    QTRY_COMPARE_WITH_TIMEOUT(limited->currentIndex(), 1, 4000);
    QCOMPARE(dots(limited)->current(), 1);
    QCOMPARE(single->currentIndex(), 0);
    QVERIFY(atRest(single));
    limited->onImageChangeTimeout();
    QCOMPARE(limited->currentIndex(), 0);
    for (NxChannelWidget* hidden : items(limited).mid(2))
        QVERIFY(!hidden->isVisible());
}

void tst_NxBannerWidget::rotationOrder()
{
    NxBannerWidget* b = banner(3, 3);
    for (int expected : {1, 2, 0}) {
        b->onImageChangeTimeout();
        QCOMPARE(b->currentIndex(), expected);
        QCOMPARE(dots(b)->current(), expected);
        QTRY_VERIFY(atRest(b));
    }
}

// The catalogue's items replace the first one in the tile already shown.
void tst_NxBannerWidget::renewKeepsTheTileOnScreen()
{
    NxBannerWidget* b = banner(1, 1);
    NxChannelWidget* shown = items(b).first();
    QList<QJsonObject> list;
    for (int i = 0; i < 3; ++i)
        list << QJsonObject{{"ID", "ID_CHANNEL"}, {"name", QString("new %1").arg(i)}, {"index", i}};
    b->renewItem(list);
    b->setDefaultSize(3);
    QCOMPARE(items(b).size(), 3);
    QCOMPARE(items(b).first(), shown);
    QCOMPARE(shown->getData().value("name").toString(), QString("new 0"));
    QVERIFY(atRest(b));
    QCOMPARE(dots(b)->count(), 3);
    list.removeLast();
    b->renewItem(list);
    b->setDefaultSize(2);
    QCOMPARE(items(b).size(), 2);
    QVERIFY(atRest(b));
}

void tst_NxBannerWidget::dotClicks_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("target");
    QTest::addColumn<bool>("forward");
    QTest::newRow("first to last wraps backward") << 0 << 3 << false;
    QTest::newRow("last to first wraps forward") << 3 << 0 << true;
    QTest::newRow("ahead") << 1 << 2 << true;
    QTest::newRow("behind") << 2 << 1 << false;
}

void tst_NxBannerWidget::dotClicks()
{
    QFETCH(int, start);
    QFETCH(int, target);
    QFETCH(bool, forward);
    NxBannerWidget* b = banner(4, 4);
    NxPointerDriver pointer(NxPointerDriver::Touch);
    // Between two dots the banner itself is tapped.
    QSignalSpy clicked(b, &NxBannerWidget::sigItemClicked);
    pointer.tap(dots(b), (dots(b)->dotRect(0).center() + dots(b)->dotRect(1).center()) / 2);
    QCOMPARE(clicked.count(), 1);
    if (start != 0)
        tapDot(pointer, b, start);
    QCOMPARE(b->currentIndex(), start);
    tapDot(pointer, b, target);
    QCOMPARE(b->currentIndex(), target);
    QCOMPARE(dots(b)->current(), target);
    // The new item comes in from the right when moving forward.
    QCOMPARE(items(b).at(target)->x() > 0, forward);
    QVERIFY(items(b).at(target)->x() != 0);
    QTRY_VERIFY(atRest(b));
}

void tst_NxBannerWidget::swipe_data()
{
    QTest::addColumn<NxPointerDriver::Kind>("kind");
    QTest::addColumn<QPoint>("drag");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("clicks");
    for (auto kind : {NxPointerDriver::Mouse, NxPointerDriver::Touch}) {
        const char* name = kind == NxPointerDriver::Mouse ? "mouse" : "touch";
        QTest::addRow("%s past 20 to the left", name) << kind << QPoint(-44, 4) << 1 << 0;
        QTest::addRow("%s past 20 to the right", name) << kind << QPoint(44, -4) << 2 << 0;
        QTest::addRow("%s short of 20", name) << kind << QPoint(-36, 0) << 0 << 0;
        QTest::addRow("%s upwards", name) << kind << QPoint(8, -60) << 0 << 0;
        QTest::addRow("%s tap within 5 pixels", name) << kind << QPoint(4, -4) << 0 << 1;
    }
}

void tst_NxBannerWidget::swipe()
{
    QFETCH(NxPointerDriver::Kind, kind);
    QFETCH(QPoint, drag);
    QFETCH(int, index);
    QFETCH(int, clicks);
    NxBannerWidget* b = banner(3, 3);
    QSignalSpy clicked(b, &NxBannerWidget::sigItemClicked);
    NxPointerDriver pointer(kind);
    const QPoint from = b->rect().center();
    pointer.press(b, from);
    QCOMPARE(qApp->property("gesture").toInt(), 1);
    pointer.move(b, from + drag / 2);
    const bool across = qAbs(drag.x()) >= qAbs(drag.y());
    QCOMPARE(qApp->property("gesture").toInt(), across ? 1 : 0);
    if (across && qAbs(drag.x()) > 10)
        QCOMPARE(items(b).first()->x(), drag.x() / 2);
    pointer.move(b, from + drag);
    pointer.release(b, from + drag);
    QCOMPARE(b->currentIndex(), index);
    QCOMPARE(clicked.count(), clicks);
    if (clicks)
        QCOMPARE(clicked.first().first().toJsonObject().value("index").toInt(), 0);
    QCOMPARE(dots(b)->current(), index);
    QTRY_VERIFY(atRest(b));
}

void tst_NxBannerWidget::tapDuringSlide_data()
{
    QTest::addColumn<NxPointerDriver::Kind>("kind");
    QTest::newRow("mouse") << NxPointerDriver::Mouse;
    QTest::newRow("touch") << NxPointerDriver::Touch;
}

// A tap while the next item slides in opens that item, and the slide ends in place.
void tst_NxBannerWidget::tapDuringSlide()
{
    QFETCH(NxPointerDriver::Kind, kind);
    NxBannerWidget* b = banner(3, 3);
    QSignalSpy clicked(b, &NxBannerWidget::sigItemClicked);
    b->onImageChangeTimeout();
    QTest::qWait(100);
    NxPointerDriver(kind).tap(b);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.first().first().toJsonObject().value("index").toInt(), 1);
    QTRY_VERIFY(atRest(b));
    QCOMPARE(b->currentIndex(), 1);
}

// Behind a page or another program, or on a hidden window, the banner does
// not move on; it resumes with a full interval once in view again.
void tst_NxBannerWidget::standsStillWhileHiddenOrCovered()
{
    NxBannerWidget* b = banner(3, 3);
    QVERIFY(b->isRotating());
    m_host->hide();
    QVERIFY(!b->isRotating());
    m_host->show();
    QVERIFY(b->isRotating());
    b->setCovered(true);
    QVERIFY(!b->isRotating());
    // A tap on it while covered (the page in front took it) does not restart it.
    NxPointerDriver(NxPointerDriver::Mouse).tap(b);
    QVERIFY(!b->isRotating());
    m_host->hide();
    m_host->show();
    QVERIFY(!b->isRotating());
    b->setCovered(false);
    QVERIFY(b->isRotating());
}

void tst_NxBannerWidget::scrollStartingOnItIsNoSwipe_data()
{
    QTest::addColumn<NxPointerDriver::Kind>("kind");
    QTest::addColumn<QPoint>("drag");
    for (auto kind : {NxPointerDriver::Mouse, NxPointerDriver::Touch}) {
        const char* name = kind == NxPointerDriver::Mouse ? "mouse" : "touch";
        QTest::addRow("%s, straight up", name) << kind << QPoint(0, -200);
        QTest::addRow("%s, up and a little left", name) << kind << QPoint(-30, -200);
    }
}

// The home page scrolls when a drag starts up or down on the banner; the
// scroll area then takes the press back, which must not move the banner on.
void tst_NxBannerWidget::scrollStartingOnItIsNoSwipe()
{
    QFETCH(NxPointerDriver::Kind, kind);
    QFETCH(QPoint, drag);
    auto* area = new NxTouchScrollArea(m_host);
    area->setGeometry(0, 0, 900, 300);
    auto* content = new QWidget;
    content->setFixedSize(900, 1200);
    area->setWidget(content);
    auto* b = new NxBannerWidget(content);
    b->setGeometry(20, 20, 400, 200);
    QList<QJsonObject> list;
    for (int i = 0; i < 3; ++i)
        list << QJsonObject{{"ID", "ID_CHANNEL"}, {"name", QString("item %1").arg(i)}, {"index", i}};
    b->addinitItem(list);
    b->setDefaultSize(3);
    area->show();
    QSignalSpy clicked(b, &NxBannerWidget::sigItemClicked);
    NxPointerDriver pointer(kind);
    const QPoint from = b->mapTo(m_host, b->rect().center());
    pointer.press(m_host, from);
    for (int i = 1; i <= 12; ++i) {
        QTest::qWait(16);
        pointer.move(m_host, from + drag * i / 12);
    }
    pointer.release(m_host, from + drag);
    QTRY_COMPARE(QScroller::scroller(area->viewport())->state(), QScroller::Inactive);
    QVERIFY(area->verticalScrollBar()->value() > 100);
    QCOMPARE(b->currentIndex(), 0);
    QCOMPARE(clicked.count(), 0);
    QVERIFY(b->isRotating());
    QTRY_VERIFY(atRest(b));
}

QTEST_MAIN(tst_NxBannerWidget)
#include "tst_NxBannerWidget.moc"

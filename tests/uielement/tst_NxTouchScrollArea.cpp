#include "NxAddChannelListWidget.h"
#include "NxChannelListWidget.h"
#include "NxChannelWidget.h"
#include "NxDelConfirmDialog.h"
#include "NxMessagePromptDialog.h"
#include "NxPointerDriver.h"

#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QScroller>
#include <QSignalSpy>
#include <QtTest>

Q_DECLARE_METATYPE(NxPointerDriver::Kind)

namespace {

// In the scroll area, inside a tile of the first row and second column of
// every page here before it scrolls.
const QPoint kInTile(476, 160);

} // namespace

// Long pages scroll under a finger and the mouse: a drag moves the page and
// never taps or holds the tile it started on; taps, long presses and the
// delete overlay still work on a scrolled page; a flick runs on.
class tst_NxTouchScrollArea : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void dragScrolls_data();
    void dragScrolls();
    void tilesStillWork_data() { addKinds(); }
    void tilesStillWork();
    void flickRunsOn_data() { addKinds(); }
    void flickRunsOn();

private:
    static void addKinds();
    static QJsonObject station(int i, const QString& from);
    QWidget* stationPage(int count);
    QWidget* cataloguePage();
    static QScrollArea* areaOf(QWidget* page);
    static NxChannelWidget* tileAt(QWidget* page, const QPoint& pos);
    // Moves in steps a finger's events apart, holding the press throughout.
    static void slowDrag(NxPointerDriver& pointer, QWidget* on, QPoint from, QPoint to, int stepMs);
    static bool promptShown();

    QWidget* m_page = nullptr;
};

void tst_NxTouchScrollArea::initTestCase()
{
    qApp->setProperty("scalefactor", 1.0);
}

void tst_NxTouchScrollArea::init()
{
    qApp->setProperty("delWgtShow", false);
}

void tst_NxTouchScrollArea::cleanup()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<NxMessagePromptDialog*>(w) || qobject_cast<NxDelConfirmDialog*>(w))
            w->close();
    }
    delete m_page;
    m_page = nullptr;
}

void tst_NxTouchScrollArea::addKinds()
{
    QTest::addColumn<NxPointerDriver::Kind>("kind");
    QTest::newRow("mouse") << NxPointerDriver::Mouse;
    QTest::newRow("touch") << NxPointerDriver::Touch;
}

QJsonObject tst_NxTouchScrollArea::station(int i, const QString& from)
{
    const QString id = QString("tv-%1").arg(i);
    return {{"ID", "ID_CHANNEL"}, {"channelid", id}, {"name", id}, {"from", from}, {"channelType", "web"},
            {"url", "https://tv.example.org/" + id}, {"image", ":/images/customcover/ID_DEFAULT_BACKGROUND_2_LARGE.png"}};
}

// A hundred stations, the last ones the teacher's own.
QWidget* tst_NxTouchScrollArea::stationPage(int count)
{
    auto* page = new NxChannelListWidget(true, false, false);
    page->setFixedSize(1920, 1080);
    page->setParam(1284, 630, 290, 290, 2, 4);
    QJsonArray web, local;
    for (int i = 0; i < count; ++i)
        (i < count - 4 ? web : local).append(station(i, i < count - 4 ? "web" : "local"));
    page->setData(web, local, true);
    return page;
}

QWidget* tst_NxTouchScrollArea::cataloguePage()
{
    auto* page = new NxAddChannelListWidget(nullptr);
    page->setFixedSize(1920, 1080);
    QJsonArray sections;
    for (int s = 0; s < 3; ++s) {
        QJsonArray channels;
        for (int i = 0; i < 12; ++i)
            channels.append(station(s * 100 + i, "web"));
        sections.append(QJsonObject{{"title", QString("Section %1").arg(s)}, {"data", channels}});
    }
    page->setData(QJsonObject{{"page", 1}, {"index", 0}, {"data", sections}}, true);
    return page;
}

QScrollArea* tst_NxTouchScrollArea::areaOf(QWidget* page)
{
    return page->findChild<QScrollArea*>();
}

NxChannelWidget* tst_NxTouchScrollArea::tileAt(QWidget* page, const QPoint& pos)
{
    QWidget* w = page->childAt(pos);
    while (w && !qobject_cast<NxChannelWidget*>(w))
        w = w->parentWidget();
    return qobject_cast<NxChannelWidget*>(w);
}

void tst_NxTouchScrollArea::slowDrag(NxPointerDriver& pointer, QWidget* on, QPoint from, QPoint to, int stepMs)
{
    pointer.press(on, from);
    const int steps = 12;
    for (int i = 1; i <= steps; ++i) {
        QTest::qWait(stepMs);
        pointer.move(on, from + (to - from) * i / steps);
    }
}

bool tst_NxTouchScrollArea::promptShown()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<NxMessagePromptDialog*>(w) && w->isVisible())
            return true;
    }
    return false;
}

void tst_NxTouchScrollArea::dragScrolls_data()
{
    QTest::addColumn<NxPointerDriver::Kind>("kind");
    QTest::addColumn<bool>("catalogue");
    for (auto kind : {NxPointerDriver::Mouse, NxPointerDriver::Touch}) {
        const char* name = kind == NxPointerDriver::Mouse ? "mouse" : "touch";
        QTest::addRow("%s, station page", name) << kind << false;
        QTest::addRow("%s, catalogue", name) << kind << true;
    }
}

// Up by 300 pixels, held past the long-press time before letting go.
void tst_NxTouchScrollArea::dragScrolls()
{
    QFETCH(NxPointerDriver::Kind, kind);
    QFETCH(bool, catalogue);
    m_page = catalogue ? cataloguePage() : stationPage(100);
    m_page->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_page));
    QScrollArea* area = areaOf(m_page);
    NxChannelWidget* first = tileAt(m_page, area->mapTo(m_page, kInTile));
    QVERIFY(first);
    // On the name, which passes the press on to its tile.
    QWidget* name = first->findChild<QWidget*>("nameLabel");
    const QPoint start = name->mapTo(m_page, name->rect().center());
    QCOMPARE(m_page->childAt(start), name);
    QSignalSpy clicked(first, &NxChannelWidget::sigWidgetClicked);
    NxPointerDriver pointer(kind);
    slowDrag(pointer, m_page, start, start - QPoint(0, 300), 16);
    QTest::qWait(1200);
    pointer.release(m_page, start - QPoint(0, 300));
    QTRY_COMPARE(QScroller::scroller(area->viewport())->state(), QScroller::Inactive);
    const int moved = area->verticalScrollBar()->value();
    QVERIFY2(moved >= 250 && moved <= 300, qPrintable(QString::number(moved)));
    QCOMPARE(clicked.count(), 0);
    QVERIFY(!promptShown());
    QVERIFY(!first->isDelbtnShown());
}

// After a scroll: a tap opens the tile now under the finger, a long press
// on an own tile shows its delete overlay, whose button asks before deleting.
void tst_NxTouchScrollArea::tilesStillWork()
{
    QFETCH(NxPointerDriver::Kind, kind);
    m_page = stationPage(100);
    m_page->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_page));
    QScrollArea* area = areaOf(m_page);
    NxPointerDriver pointer(kind);
    const QPoint start = area->mapTo(m_page, kInTile);
    slowDrag(pointer, m_page, start, start - QPoint(0, 400), 16);
    pointer.release(m_page, start - QPoint(0, 400));
    QTRY_COMPARE(QScroller::scroller(area->viewport())->state(), QScroller::Inactive);
    QVERIFY(area->verticalScrollBar()->value() > 300);

    NxChannelWidget* now = nullptr;
    const QRect view(area->viewport()->mapTo(m_page, QPoint(0, 0)), area->viewport()->size());
    for (NxChannelWidget* t : m_page->findChildren<NxChannelWidget*>()) {
        if (!now && view.contains(QRect(t->mapTo(m_page, QPoint(0, 0)), t->size())))
            now = t;
    }
    QVERIFY(now && now->getData().value("name").toString() != "tv-0");
    QSignalSpy clicked(m_page, SIGNAL(sigChannelItemClicked(QJsonObject)));
    pointer.tap(now);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.first().first().toJsonObject().value("name").toString(), now->getData().value("name").toString());

    // To the end of the page, where the own tiles are.
    area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
    NxChannelWidget* own = nullptr;
    for (NxChannelWidget* t : m_page->findChildren<NxChannelWidget*>()) {
        if (t->getData().value("name").toString() == "tv-99")
            own = t;
    }
    QVERIFY(own && view.contains(own->mapTo(m_page, own->rect().center())));
    pointer.press(own, own->rect().center());
    pointer.move(own, own->rect().center() + QPoint(6, 6));
    QTRY_VERIFY_WITH_TIMEOUT(own->isDelbtnShown(), 2000);
    pointer.release(own, own->rect().center() + QPoint(6, 6));
    QVERIFY(own->isDelbtnShown());
    pointer.tap(own->findChild<QPushButton*>("delBtn"));
    QTRY_VERIFY(m_page->findChild<NxDelConfirmDialog*>() && m_page->findChild<NxDelConfirmDialog*>()->isVisible());
}

// Let go while moving: the page keeps going, then stops by itself.
void tst_NxTouchScrollArea::flickRunsOn()
{
    QFETCH(NxPointerDriver::Kind, kind);
    m_page = stationPage(100);
    m_page->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_page));
    QScrollArea* area = areaOf(m_page);
    QScroller* scroller = QScroller::scroller(area->viewport());
    NxPointerDriver pointer(kind);
    const QPoint start = area->mapTo(m_page, kInTile + QPoint(0, 300));
    slowDrag(pointer, m_page, start, start - QPoint(0, 300), 8);
    pointer.release(m_page, start - QPoint(0, 300));
    QCOMPARE(scroller->state(), QScroller::Scrolling);
    const int released = area->verticalScrollBar()->value();
    QTRY_COMPARE_WITH_TIMEOUT(scroller->state(), QScroller::Inactive, 10000);
    QVERIFY2(area->verticalScrollBar()->value() > released + 100,
             qPrintable(QString("%1 -> %2").arg(released).arg(area->verticalScrollBar()->value())));
}

QTEST_MAIN(tst_NxTouchScrollArea)
#include "tst_NxTouchScrollArea.moc"

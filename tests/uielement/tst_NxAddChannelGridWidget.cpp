#include "NxAddChanelWidget.h"
#include "NxAddChannelGridWidget.h"
#include "NxPointerDriver.h"

#include <QSignalSpy>
#include <QtTest>

// The home page's slot grid: its cells, when it rebuilds, the channel count
// and the taps it passes on.
class tst_NxAddChannelGridWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qApp->setProperty("scalefactor", 1.0); }
    void cells();
    void rebuildsOnlyForANewCount();
    void channelCount();

private:
    static QJsonArray cellData(int count);
    static QList<NxAddChanelWidget*> slotsOf(QWidget* grid);
};

QJsonArray tst_NxAddChannelGridWidget::cellData(int count)
{
    QJsonArray cells;
    for (int i = 0; i < count; ++i)
        cells.append(QJsonObject{{"ID", "ID_MAINPAGE_ADD_CHANNEL"}, {"page", 1}, {"index", i}, {"name", "Add"}});
    return cells;
}

QList<NxAddChanelWidget*> tst_NxAddChannelGridWidget::slotsOf(QWidget* grid)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return grid->findChildren<NxAddChanelWidget*>();
}

// 18 cells of 194 in 1292 with an 8-pixel right margin: 3 rows of 6, 24 apart.
void tst_NxAddChannelGridWidget::cells()
{
    NxAddChannelGridWidget grid;
    grid.setBaseParam(1292, 630, 194, 194, 3, 6);
    grid.setData(cellData(18));
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    const QList<NxAddChanelWidget*> cells = slotsOf(&grid);
    QCOMPARE(cells.size(), 18);
    QSet<int> lefts, tops;
    for (NxAddChanelWidget* cell : cells) {
        QCOMPARE(cell->size(), QSize(194, 194));
        QVERIFY(grid.rect().contains(cell->geometry()));
        lefts.insert(cell->x());
        tops.insert(cell->y());
    }
    QCOMPARE(lefts.size(), 6);
    QCOMPARE(tops.size(), 3);
    QCOMPARE(cells.at(7)->pos(), QPoint(194 + 24, 194 + 24));

    QSignalSpy asked(&grid, &NxAddChannelGridWidget::sigAddChannelClicked);
    NxPointerDriver(NxPointerDriver::Touch).tap(cells.at(7)->findChild<QWidget*>("m_pBackWidget"));
    QCOMPARE(asked.count(), 1);
    QCOMPARE(asked.first().first().toJsonObject().value("index").toInt(), 7);
}

void tst_NxAddChannelGridWidget::rebuildsOnlyForANewCount()
{
    NxAddChannelGridWidget grid;
    grid.setBaseParam(1292, 630, 194, 194, 3, 6);
    // The grid starts at a count of one: a first array of one still shows it.
    grid.setData(cellData(1));
    QCOMPARE(slotsOf(&grid).size(), 1);
    NxAddChanelWidget* first = slotsOf(&grid).first();
    grid.setData(cellData(1));
    QCOMPARE(slotsOf(&grid), QList<NxAddChanelWidget*>{first});
    grid.setData(cellData(4));
    QCOMPARE(slotsOf(&grid).size(), 4);
    QVERIFY(!slotsOf(&grid).contains(first));
}

// The count is the number of slots showing a channel, whatever the order of
// the calls; indexes outside the grid change nothing.
void tst_NxAddChannelGridWidget::channelCount()
{
    NxAddChannelGridWidget grid;
    grid.setBaseParam(1292, 630, 194, 194, 3, 6);
    grid.setData(cellData(18));
    QSignalSpy clicked(&grid, &NxAddChannelGridWidget::sigWidgetClicked);
    const QJsonObject maths{{"ID", "ID_CHANNEL"}, {"channelid", "m"}, {"name", "Maths"}, {"from", "local"}};
    grid.setChannelMode(0, maths);
    grid.setChannelMode(5, maths);
    QCOMPARE(grid.getChannelCount(), 2);
    grid.setChannelMode(0, maths);
    QCOMPARE(grid.getChannelCount(), 2);
    grid.setChannelMode(18, maths);
    grid.setAddMode(-1);
    QCOMPARE(grid.getChannelCount(), 2);
    grid.setAddMode(0);
    grid.setAddMode(0);
    QCOMPARE(grid.getChannelCount(), 1);
    QVERIFY(!slotsOf(&grid).at(0)->isChannelMode());
    QVERIFY(slotsOf(&grid).at(5)->isChannelMode());

    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    NxPointerDriver(NxPointerDriver::Mouse).tap(slotsOf(&grid).at(5));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.first().first().toJsonObject().value("name").toString(), QString("Maths"));
}

QTEST_MAIN(tst_NxAddChannelGridWidget)
#include "tst_NxAddChannelGridWidget.moc"

#include "NxAddChanelWidget.h"
#include "NxChannelBriefDialog.h"
#include "NxChannelCloud.h"
#include "NxChannelListConentWidget.h"
#include "NxChannelListWidget.h"
#include "NxConfig.h"
#include "NxGridWidget.h"
#include "NxToolTipHelp.h"
#include "NxWebCmdCtrl.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

// Channel pages: the grid's cells and spacing, sections, deletion and
// re-packing, marks, the page's own-channel flow against the local cloud,
// and the brief dialog.
class tst_NxChannelPages : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void gridSpacing_data();
    void gridSpacing();
    void sectionHeight_data();
    void sectionHeight();
    void deletionRepacks_data();
    void deletionRepacks();
    void addedMarks();
    void offlineChangesNothing();
    void localAddition();
    void cloudAddition_data();
    void cloudAddition();
    void cloudDeletion_data();
    void cloudDeletion();
    void longPageHoldsFewTiles();
    void briefDialog_data();
    void briefDialog();

private:
    static int px(double design) { return int(design * qApp->property("scalefactor").toDouble()); }
    static QJsonObject channel(const QString& id, const QString& from);
    static QJsonArray channels(const QStringList& webIds, const QStringList& localIds);
    static QList<NxChannelWidget*> tiles(QWidget* grid);
    static NxChannelWidget* tileOf(QWidget* grid, const QString& id);
    static int cellOf(QWidget* grid, QWidget* tile);
    static bool hasPicture(QWidget* tile);
    static QString toast();
    NxChannelListWidget* ownChannelPage(bool storeOnWeb, NxChannelCloud* world = nullptr);
};

void tst_NxChannelPages::init()
{
    qApp->setProperty("scalefactor", 1.0);
    NxConfig::getInstance()->setNetworkStatus(true);
    NxToolTipHelp::Instance().findChild<QLabel*>()->clear();
}

void tst_NxChannelPages::cleanup()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != &NxToolTipHelp::Instance())
            w->deleteLater();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QJsonObject tst_NxChannelPages::channel(const QString& id, const QString& from)
{
    return {{"ID", "ID_CHANNEL"}, {"channelid", id}, {"name", id}, {"from", from},
            {"url", "https://example.org/" + id}, {"channelType", "web"},
            {"pic_large", ":/images/customcover/ID_DEFAULT_BACKGROUND_3_LARGE.png"}};
}

QJsonArray tst_NxChannelPages::channels(const QStringList& webIds, const QStringList& localIds)
{
    QJsonArray all;
    for (const QString& id : webIds)
        all.append(channel(id, "web"));
    for (const QString& id : localIds)
        all.append(channel(id, "local"));
    return all;
}

QList<NxChannelWidget*> tst_NxChannelPages::tiles(QWidget* grid)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QList<NxChannelWidget*> found;
    for (NxChannelWidget* tile : grid->findChildren<NxChannelWidget*>()) {
        if (!qobject_cast<NxAddChanelWidget*>(tile))
            found << tile;
    }
    return found;
}

NxChannelWidget* tst_NxChannelPages::tileOf(QWidget* grid, const QString& id)
{
    for (NxChannelWidget* tile : tiles(grid)) {
        if (tile->getData().value("channelid").toString() == id)
            return tile;
    }
    return nullptr;
}

// Where a tile is drawn, as a cell of four columns of 290 + 41.
int tst_NxChannelPages::cellOf(QWidget* grid, QWidget* tile)
{
    QCoreApplication::sendPostedEvents();
    if (!tile || !grid->isAncestorOf(tile) || tile->isHidden())
        return -1;
    const int step = px(290) + px(41);
    return tile->y() / step * 4 + tile->x() / step;
}

// Picture area painted: a tile without its picture shows only its name band.
bool tst_NxChannelPages::hasPicture(QWidget* tile)
{
    QImage face(tile->size(), QImage::Format_ARGB32_Premultiplied);
    face.fill(Qt::transparent);
    tile->render(&face, QPoint(), QRegion(), QWidget::DrawChildren);
    return qAlpha(face.pixel(face.width() / 2, face.height() / 3)) == 255;
}

QString tst_NxChannelPages::toast()
{
    return NxToolTipHelp::Instance().findChild<QLabel*>()->text();
}

void tst_NxChannelPages::gridSpacing_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("spacing");
    QTest::newRow("four columns") << 1.0 << 4 << 41;
    QTest::newRow("four columns at 2.0") << 2.0 << 4 << 82;
    QTest::newRow("one column") << 1.0 << 1 << 0;
}

void tst_NxChannelPages::gridSpacing()
{
    QFETCH(double, scale);
    QFETCH(int, columns);
    QFETCH(int, spacing);
    qApp->setProperty("scalefactor", scale);
    NxGridWidget grid(true);
    grid.setBaseParam(px(1284), px(630), px(290), px(290), 2, columns);
    grid.setData(channels({"a", "b", "c", "d", "e"}, {}), true);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    const QRect first = tileOf(&grid, "a")->geometry();
    const QRect second = tileOf(&grid, "b")->geometry();
    const QRect fifth = tileOf(&grid, "e")->geometry();
    QCOMPARE(first.size(), QSize(px(290), px(290)));
    if (columns > 1)
        QCOMPARE(second.left() - first.right() - 1, spacing);
    QCOMPARE(fifth.top() - first.bottom() - 1, columns > 1 ? spacing : (px(290) + spacing) * 3 + spacing);
}

void tst_NxChannelPages::sectionHeight_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("height");
    QTest::newRow("five channels, two rows") << 1.0 << 5 << 32 + 24 + 621;
    QTest::newRow("four channels, one row") << 1.0 << 4 << 32 + 24 + 290;
    QTest::newRow("empty") << 1.0 << 0 << 32 + 24 + 32 + 24;
    QTest::newRow("five channels at 2.0") << 2.0 << 5 << 64 + 48 + 1242;
    // 41 design pixels truncate to 29 here, but the grid spaces its rows 30 apart.
    QTest::newRow("five channels at 0.71") << 0.71 << 5 << 22 + 17 + 205 * 2 + 30;
}

void tst_NxChannelPages::sectionHeight()
{
    QFETCH(double, scale);
    QFETCH(int, count);
    QFETCH(int, height);
    qApp->setProperty("scalefactor", scale);
    QStringList ids;
    for (int i = 0; i < count; ++i)
        ids << QString("c%1").arg(i);
    NxChannelListConentWidget section;
    QSignalSpy clicked(&section, &NxChannelListConentWidget::sigChannelItemClicked);
    section.setData("Science", channels(ids, {}));
    QCOMPARE(section.size(), QSize(px(1284), height));
    QCOMPARE(section.getContentHeight(), height);
    section.show();
    QVERIFY(QTest::qWaitForWindowExposed(&section));
    QCOMPARE(tiles(&section).size(), count);
    for (NxChannelWidget* tile : tiles(&section))
        QVERIFY(section.rect().contains(tile->mapTo(&section, tile->rect().bottomRight())));
    if (count) {
        QTest::mouseClick(tiles(&section).last(), Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
    }
}

void tst_NxChannelPages::deletionRepacks_data()
{
    QTest::addColumn<bool>("onCloud");
    QTest::addColumn<QStringList>("web");
    QTest::addColumn<QStringList>("local");
    QTest::addColumn<bool>("ownFirst");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("own channel on this panel") << false << QStringList{"a", "b"} << QStringList{"x", "y", "z"} << false
                                               << QStringList{"a", "b", "x", "z"};
    QTest::newRow("own channel on the cloud") << true << QStringList{"a", "b"} << QStringList{"x", "y", "z"} << false
                                              << QStringList{"a", "b", "x", "z"};
    // A teacher's resources come mixed, own ones first.
    QTest::newRow("own channels among the cloud's") << false << QStringList{"a", "b"} << QStringList{"x", "y"} << true
                                                    << QStringList{"a", "b", "y"};
}

// Deleting an own tile packs the cloud's tiles first, the own ones after
// them and the "add" tile last.
void tst_NxChannelPages::deletionRepacks()
{
    QFETCH(bool, onCloud);
    QFETCH(QStringList, web);
    QFETCH(QStringList, local);
    QFETCH(bool, ownFirst);
    QFETCH(QStringList, after);
    NxGridWidget grid(true);
    grid.setSupportAdd(true);
    grid.setNeedCheckNetwork(onCloud);
    grid.setBaseParam(1284, 630, 290, 290, 2, 4);
    QJsonArray data = channels(web, local);
    if (ownFirst) {
        // Own and cloud tiles taking turns, own first.
        data = QJsonArray();
        for (int i = 0; i < web.size(); ++i)
            data << channel(local.at(i), "local") << channel(web.at(i), "web");
    }
    grid.setData(data, true);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    auto* add = grid.findChild<NxAddChanelWidget*>();
    QCOMPARE(cellOf(&grid, add), data.size());
    QSignalSpy deleted(&grid, &NxGridWidget::sigDelChannel);

    const QString gone = local.at(ownFirst ? 0 : 1);
    emit tileOf(&grid, gone)->sigDelChannel(channel(gone, "local"));
    QCOMPARE(deleted.count(), 1);
    QCOMPARE(deleted.first().at(0).toBool(), !onCloud);
    if (onCloud) {
        // Nothing moves until the cloud has answered.
        QVERIFY(tileOf(&grid, gone));
        grid.deleteChannelSucess();
    }
    QVERIFY(!tileOf(&grid, gone));
    for (int cell = 0; cell < after.size(); ++cell)
        QCOMPARE(cellOf(&grid, tileOf(&grid, after.at(cell))), cell);
    QCOMPARE(cellOf(&grid, add), after.size());
    QVERIFY(!add->isHidden());

    grid.addChannel(channel("w", "local"), false);
    QCOMPARE(cellOf(&grid, tileOf(&grid, "w")), after.size());
    QCOMPARE(cellOf(&grid, add), after.size() + 1);
    // A second answer without a deletion pending changes nothing.
    grid.deleteChannelSucess();
    QCOMPARE(tiles(&grid).size(), after.size() + 1);
}

void tst_NxChannelPages::addedMarks()
{
    NxGridWidget grid(false);
    grid.setMarkLabelVisable(true);
    grid.setBaseParam(1284, 290, 290, 290, 1, 4);
    grid.setData(channels({"a", "b"}, {"c"}), true);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    const QMap<QString, QJsonObject> added{{"a", channel("a", "local")}, {"b", QJsonObject()}, {"c", channel("c", "local")}};
    grid.renewChannelStatus(added);
    for (const char* id : {"a", "b", "c"}) {
        NxChannelWidget* tile = tileOf(&grid, id);
        const bool marked = !added.value(id).isEmpty();
        QCOMPARE(tile->findChild<QLabel*>("markLabel")->isVisible(), marked);
        QCOMPARE(tile->getData().value("isAdd").toBool(), marked);
    }
    grid.renewChannelStatus({});
    QVERIFY(!tileOf(&grid, "a")->findChild<QLabel*>("markLabel")->isVisible());
}

NxChannelListWidget* tst_NxChannelPages::ownChannelPage(bool storeOnWeb, NxChannelCloud* world)
{
    auto* page = new NxChannelListWidget(true, storeOnWeb, storeOnWeb);
    if (world)
        page->setControlManager(world->manager());
    page->setParam(1284, 630, 290, 290, 2, 4);
    page->setData(channels({"web1"}, storeOnWeb ? QStringList() : QStringList{"own1"}),
                  storeOnWeb ? channels({}, {}) : channels({}, {"own2"}), true);
    // Tiles are made for a page on screen.
    page->show();
    if (!QTest::qWaitForWindowExposed(page))
        qWarning() << "tst_NxChannelPages::ownChannelPage" << "page not exposed";
    return page;
}

void tst_NxChannelPages::offlineChangesNothing()
{
    NxConfig::getInstance()->setNetworkStatus(false);
    QScopedPointer<NxChannelListWidget> page(new NxChannelListWidget(true, true, true));
    page->setParam(1284, 630, 290, 290, 2, 4);
    page->setData(channels({"web1"}, {"own1"}), QJsonArray(), true);
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page.data()));
    QCOMPARE(page->getLocalData().size(), 1);
    QSignalSpy added(page.data(), &NxChannelListWidget::sigChannelAdded);
    QSignalSpy deleted(page.data(), &NxChannelListWidget::sigDelChannel);

    page->slotDoAddChannel(channel("new", "local"));
    QCOMPARE(toast(), QString("ID_ADD_ERROR_BY_NET"));
    emit tileOf(page.data(), "own1")->sigDelChannel(channel("own1", "local"));
    QCOMPARE(toast(), QString("ID_DELETE_ERROR_BY_NET"));

    QCOMPARE(added.count(), 0);
    QCOMPARE(deleted.count(), 0);
    QCOMPARE(tiles(page.data()).size(), 2);
    QCOMPARE(page->getLocalData().size(), 1);
    // A late success answer finds nothing pending to add.
    page->setChannelAddDelResult(true, 0, "late");
    QCOMPARE(tiles(page.data()).size(), 2);
}

void tst_NxChannelPages::localAddition()
{
    QScopedPointer<NxChannelListWidget> page(ownChannelPage(false));
    QSignalSpy added(page.data(), &NxChannelListWidget::sigChannelAdded);
    QSignalSpy deleted(page.data(), &NxChannelListWidget::sigDelChannel);
    page->slotDoAddChannel(channel("own3", "local"));
    QCOMPARE(added.count(), 1);
    NxChannelWidget* tile = tileOf(page.data(), "own3");
    QVERIFY(tile);
    QCOMPARE(tile->getData().value("image").toString(), channel("own3", "local").value("pic_large").toString());
    QCOMPARE(cellOf(page.data(), tile), 3);
    QCOMPARE(cellOf(page.data(), page->findChild<NxAddChanelWidget*>()), 4);
    // Without splitting, the page's own channels are the second list.
    QCOMPARE(page->getLocalData().size(), 2);

    emit tileOf(page.data(), "own2")->sigDelChannel(tileOf(page.data(), "own2")->getData());
    QCOMPARE(deleted.count(), 1);
    QVERIFY(!tileOf(page.data(), "own2"));
    QCOMPARE(page->getLocalData().size(), 1);
}

void tst_NxChannelPages::cloudAddition_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::newRow("added") << QByteArray() << 0 << QString();
    QTest::newRow("refused with a message")
        << QByteArray(R"({"type":"reportUserCustomChannel_ACK","msg":"quota full","result":{"result":false}})") << 0
        << "quota full";
    QTest::newRow("failed without a message") << QByteArray() << 500 << "ID_ADD_CHANNEL_FAILED";
}

// The page asks, the main window's part is played here: the request goes to
// the local cloud and its answer comes back to the page.
void tst_NxChannelPages::cloudAddition()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, status);
    QFETCH(QString, message);
    NxChannelCloud world;
    if (!reply.isEmpty() || status)
        world.cloud().setReply("/channel/reportUserCustomChannel", reply, status);
    QScopedPointer<NxChannelListWidget> page(ownChannelPage(true, &world));
    NxWebCmdCtrl* client = &world.client();
    connect(page.data(), &NxChannelListWidget::sigChannelAdded, client, [client, &page](QJsonObject json) {
        client->addUserChannel("u1", "myresources",
                               QJsonObject{{"channelName", json.value("name")}, {"channelType", "web"},
                                           {"address", json.value("url")}},
                               page.data());
    });
    QStringList answered;
    connect(client, &NxWebCmdCtrl::sigRecvChAdded, page.data(), [&page, &answered](void*, int result, QString id) {
        page->setChannelAddDelResult(true, result, id);
        answered << id;
    });

    page->slotDoAddChannel(channel("physics", "local"));
    QTRY_COMPARE(answered.size(), 1);
    QCOMPARE(toast(), message);
    const QList<NxChannelWidget*> all = tiles(page.data());
    QCOMPARE(all.size(), message.isEmpty() ? 2 : 1);
    QCOMPARE(page->getLocalData().size(), message.isEmpty() ? 1 : 0);
    if (!message.isEmpty())
        return;
    const QJsonObject shown = all.last()->getData();
    QCOMPARE(shown.value("channelid").toString(), answered.first());
    QVERIFY(!shown.value("channelid").toString().isEmpty());
    // The tile shows the cover itself, not a blank.
    QCOMPARE(shown.value("image").toString(), channel("x", "local").value("pic_large").toString());
    QImage face(all.last()->size(), QImage::Format_ARGB32_Premultiplied);
    face.fill(Qt::transparent);
    all.last()->render(&face, QPoint(), QRegion(), QWidget::DrawChildren);
    QVERIFY(qAlpha(face.pixel(face.rect().center())) == 255);
}

void tst_NxChannelPages::cloudDeletion_data()
{
    QTest::addColumn<QStringList>("deleted");
    QTest::addColumn<QStringList>("refused");
    QTest::newRow("deleted") << QStringList{"mine"} << QStringList();
    QTest::newRow("refused") << QStringList{"mine"} << QStringList{"mine"};
    // Asked one after the other, before the first answer is back.
    QTest::newRow("two in a row") << QStringList{"mine", "ours"} << QStringList();
    QTest::newRow("two in a row, the second refused") << QStringList{"mine", "ours"} << QStringList{"ours"};
    QTest::newRow("two in a row, the first refused") << QStringList{"mine", "ours"} << QStringList{"mine"};
}

// The page asks, the main window's part is played here: each deletion goes
// to the local cloud, and each answer removes its own tile; a refusal keeps
// only its own.
void tst_NxChannelPages::cloudDeletion()
{
    QFETCH(QStringList, deleted);
    QFETCH(QStringList, refused);
    NxChannelCloud world;
    // The cloud refuses to delete what the teacher's list does not hold.
    QJsonArray held;
    for (const QString& id : deleted) {
        if (!refused.contains(id))
            held.append(NxTestCloud::channel(id, id));
    }
    world.cloud().server().catalogue().setUserChannels("u1", held);
    QScopedPointer<NxChannelListWidget> page(new NxChannelListWidget(true, true, true));
    page->setParam(1284, 630, 290, 290, 2, 4);
    QJsonArray data{channel("web1", "web")};
    for (const QString& id : deleted)
        data.append(channel(id, "local"));
    page->setData(data, QJsonArray(), true);
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page.data()));
    NxWebCmdCtrl* client = &world.client();
    connect(page.data(), &NxChannelListWidget::sigDelChannel, client, [client](QJsonObject json) {
        client->deleteUserChannel("u1", QJsonObject{{"id", json.value("channelid")}}, nullptr);
    });
    int answered = 0;
    connect(client, &NxWebCmdCtrl::sigRecvChDeleted, page.data(), [&page, &answered](void*, int result, QString ids) {
        page->setChannelAddDelResult(false, result, ids);
        ++answered;
    });

    for (const QString& id : deleted)
        emit tileOf(page.data(), id)->sigDelChannel(channel(id, "local"));
    QTRY_COMPARE(answered, deleted.size());
    QCOMPARE(world.cloud().server().requestCount("/channel/deleteCustomChannel"), deleted.size());
    QCOMPARE(toast(), refused.isEmpty() ? QString() : QString("ID_DEL_CHANNEL_FAILED"));
    QStringList kept;
    for (const QString& id : deleted) {
        if (tileOf(page.data(), id))
            kept << id;
    }
    QCOMPARE(kept, refused);
    QStringList listed;
    for (const QJsonValue& value : page->getLocalData())
        listed << value["channelid"].toString();
    QCOMPARE(listed, refused);
    QCOMPARE(page->getWebData().size(), 1);
}

// Twenty thousand stations: tiles exist only on screen and near it, their
// pictures are asked for a few at a time, and scrolling brings the tiles of
// the new place with their pictures.
void tst_NxChannelPages::longPageHoldsFewTiles()
{
    NxChannelCloud world;
    NxWebCmdCtrl* client = &world.client();
    int asked = 0;
    int answered = 0;
    int mostInFlight = 0;
    NxChannelListWidget page(true, false, false);
    // Counted before the page's tiles ask, so an answer is counted before the
    // next request it lets go; answers still queued go with the page.
    connect(client, &NxWebCmdCtrl::sigRecvChannelImage, &page, [&] { ++answered; });
    connect(client, &NxWebCmdCtrl::sigDownloadImage, &page, [&](QString, void*, bool internal) {
        if (!internal)
            mostInFlight = qMax(mostInFlight, ++asked - answered);
    }, Qt::DirectConnection);
    page.setControlManager(world.manager());
    page.setParam(1284, 630, 290, 290, 2, 4);
    page.setData(world.generatedTiles("s", 20000), QJsonArray(), true);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    const auto pictured = [&page](const QString& id) {
        NxChannelWidget* tile = tileOf(&page, id);
        return tile && tile->isVisible() && hasPicture(tile);
    };
    QTRY_VERIFY_WITH_TIMEOUT(pictured("s0") && pictured("s7"), 20000);
    QVERIFY2(tiles(&page).size() <= 48, qPrintable(QString::number(tiles(&page).size())));

    // A quick flick over thousands of rows, then a stop in the middle.
    QScrollBar* bar = page.findChild<QScrollArea*>()->verticalScrollBar();
    for (int row = 0; row <= 2500; row += 50) {
        bar->setValue(row * (290 + 41));
        QCoreApplication::processEvents();
    }
    QTRY_VERIFY_WITH_TIMEOUT(pictured("s10000") && pictured("s10007"), 20000);
    QVERIFY(!tileOf(&page, "s0"));
    QVERIFY2(tiles(&page).size() <= 48, qPrintable(QString::number(tiles(&page).size())));
    QVERIFY2(mostInFlight <= 8, qPrintable(QString::number(mostInFlight)));
    QVERIFY2(asked < 400, qPrintable(QString::number(asked)));
}

void tst_NxChannelPages::briefDialog_data()
{
    QTest::addColumn<bool>("added");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("playText");
    QTest::newRow("web channel") << false << "web" << "ID_OPEN_CHANNEL";
    QTest::newRow("added video") << true << "video" << "ID_PLAY";
}

void tst_NxChannelPages::briefDialog()
{
    QFETCH(bool, added);
    QFETCH(QString, type);
    QFETCH(QString, playText);
    QJsonObject json = channel("maths", "web");
    json.insert("channelType", type);
    json.insert("isAdd", added);
    json.insert("intro", "Numbers and shapes for every class.");
    auto* dialog = new NxChannelBriefDialog(nullptr);
    QPointer<NxChannelBriefDialog> alive(dialog);
    dialog->setChannel(json);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QCOMPARE(dialog->size(), QSize(1035, 615));
    QCOMPARE(dialog->findChild<QPushButton*>("briefPlay")->text(), playText);
    auto* addButton = dialog->findChild<QPushButton*>("briefAdd");
    QCOMPARE(addButton->text(), QString(added ? "ID_ADDED" : "ID_ADD_TO_MAINPAGE"));
    // The picture tile shows no name of its own: the dialog's title carries it.
    QCOMPARE(dialog->findChild<NxChannelWidget*>()->getData().value("name").toString(), QString());
    QSignalSpy addedSpy(dialog, &NxChannelBriefDialog::sigAddChannel);
    QTest::mouseClick(addButton, Qt::LeftButton);
    QCOMPARE(addedSpy.count(), added ? 0 : 1);
    if (added) {
        QVERIFY(dialog->isVisible());
        QSignalSpy played(dialog, &NxChannelBriefDialog::sigPlayVideo);
        QTest::mouseClick(dialog->findChild<QPushButton*>("briefPlay"), Qt::LeftButton);
        QCOMPARE(played.count(), 1);
    } else {
        const QJsonObject sent = addedSpy.first().first().toJsonObject();
        QCOMPARE(sent.value("isAdd").toBool(), true);
        QCOMPARE(sent.value("from").toString(), QString("local"));
    }
    QTRY_VERIFY(!alive);
}

QTEST_MAIN(tst_NxChannelPages)
#include "tst_NxChannelPages.moc"

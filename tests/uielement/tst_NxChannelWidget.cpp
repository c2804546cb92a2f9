#include "NxAddChanelWidget.h"
#include "NxChannelCloud.h"
#include "NxChannelWidget.h"
#include "NxDelConfirmDialog.h"
#include "NxMessagePromptDialog.h"
#include "NxPointerDriver.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

Q_DECLARE_METATYPE(NxPointerDriver::Kind)

// Tiles in the hand: taps and their slop, long presses, the delete overlay
// and its question, the "add" slot, marks and pictures, by mouse and by touch.
class tst_NxChannelWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void tapSlop_data();
    void tapSlop();
    void quickSecondTap_data() { addKinds(); }
    void quickSecondTap();
    void longPress_data();
    void longPress();
    void oneOverlayAtATime_data() { addKinds(); }
    void oneOverlayAtATime();
    void deletion_data();
    void deletion();
    void addSlot_data() { addKinds(); }
    void addSlot();
    void markLayout_data();
    void markLayout();
    void ownPictureOnly();
    void latePictureOfAnEarlierChannel();

private:
    static void addKinds();
    NxChannelWidget* tile(const QJsonObject& json, int x);
    static QJsonObject channel(const QString& name, const QString& from);
    static void holdUntil(const std::function<bool()>& done);
    static void closePrompts();

    QWidget* m_host = nullptr;
};

void tst_NxChannelWidget::initTestCase()
{
    qApp->setProperty("scalefactor", 2.0);
}

void tst_NxChannelWidget::init()
{
    qApp->setProperty("delWgtShow", false);
    qApp->setProperty("gesture", 1);
    m_host = new QWidget;
    m_host->resize(760, 260);
    m_host->setFocusPolicy(Qt::ClickFocus);
    m_host->show();
    m_host->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_host));
}

void tst_NxChannelWidget::cleanup()
{
    closePrompts();
    delete m_host;
}

void tst_NxChannelWidget::addKinds()
{
    QTest::addColumn<NxPointerDriver::Kind>("kind");
    QTest::newRow("mouse") << NxPointerDriver::Mouse;
    QTest::newRow("touch") << NxPointerDriver::Touch;
}

QJsonObject tst_NxChannelWidget::channel(const QString& name, const QString& from)
{
    QJsonObject json{{"ID", "ID_CHANNEL"}, {"channelid", name}, {"from", from}, {"url", "https://example.org/" + name}};
    if (!name.isEmpty())
        json.insert("name", name);
    return json;
}

NxChannelWidget* tst_NxChannelWidget::tile(const QJsonObject& json, int x)
{
    auto* t = new NxChannelWidget(m_host);
    t->setGeometry(x, 20, 200, 200);
    t->setItem(json);
    t->show();
    return t;
}

void tst_NxChannelWidget::holdUntil(const std::function<bool()>& done)
{
    QTRY_VERIFY_WITH_TIMEOUT(done(), 2000);
}

void tst_NxChannelWidget::closePrompts()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<NxMessagePromptDialog*>(w) || qobject_cast<NxDelConfirmDialog*>(w))
            w->close();
    }
    QTest::qWait(20);
}

// At scale 2 a tap may wander 39 pixels (19 design pixels) but not 42.
void tst_NxChannelWidget::tapSlop_data()
{
    QTest::addColumn<NxPointerDriver::Kind>("kind");
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<int>("clicks");
    for (auto kind : {NxPointerDriver::Mouse, NxPointerDriver::Touch}) {
        const char* name = kind == NxPointerDriver::Mouse ? "mouse" : "touch";
        QTest::addRow("%s 19 across", name) << kind << QPoint(38, 0) << 1;
        QTest::addRow("%s 19 down", name) << kind << QPoint(0, -38) << 1;
        QTest::addRow("%s 21 across", name) << kind << QPoint(-42, 0) << 0;
        QTest::addRow("%s 21 down", name) << kind << QPoint(0, 42) << 0;
    }
}

void tst_NxChannelWidget::tapSlop()
{
    QFETCH(NxPointerDriver::Kind, kind);
    QFETCH(QPoint, offset);
    QFETCH(int, clicks);
    NxChannelWidget* t = tile(channel("maths", "web"), 20);
    QSignalSpy clicked(t, &NxChannelWidget::sigWidgetClicked);
    NxPointerDriver pointer(kind);
    const QPoint centre = t->rect().center();
    pointer.press(t, centre);
    QCOMPARE(qApp->property("gesture").toInt(), 0);
    pointer.move(t, centre + offset);
    pointer.release(t, centre + offset);
    QCOMPARE(clicked.count(), clicks);
    if (clicks)
        QCOMPARE(clicked.first().first().toJsonObject().value("name").toString(), QString("maths"));
}

// A second tap within the double-click time is a tap, not lost and not doubled.
void tst_NxChannelWidget::quickSecondTap()
{
    QFETCH(NxPointerDriver::Kind, kind);
    NxChannelWidget* t = tile(channel("maths", "web"), 20);
    QSignalSpy clicked(t, &NxChannelWidget::sigWidgetClicked);
    NxPointerDriver pointer(kind);
    pointer.tap(t);
    pointer.tap(t);
    QCOMPARE(clicked.count(), 2);
}

void tst_NxChannelWidget::longPress_data()
{
    QTest::addColumn<NxPointerDriver::Kind>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("from");
    QTest::addColumn<bool>("overlay");
    QTest::addColumn<bool>("prompt");
    for (auto kind : {NxPointerDriver::Mouse, NxPointerDriver::Touch}) {
        const char* pointer = kind == NxPointerDriver::Mouse ? "mouse" : "touch";
        QTest::addRow("%s own channel", pointer) << kind << "mine" << "local" << true << false;
        QTest::addRow("%s cloud channel", pointer) << kind << "maths" << "web" << false << true;
        QTest::addRow("%s nameless", pointer) << kind << "" << "local" << false << false;
    }
}

void tst_NxChannelWidget::longPress()
{
    QFETCH(NxPointerDriver::Kind, kind);
    QFETCH(QString, name);
    QFETCH(QString, from);
    QFETCH(bool, overlay);
    QFETCH(bool, prompt);
    NxChannelWidget* t = tile(channel(name, from), 20);
    QSignalSpy clicked(t, &NxChannelWidget::sigWidgetClicked);
    NxPointerDriver pointer(kind);
    pointer.press(t, t->rect().center());
    // A finger never stays still: a few pixels must not cancel the hold.
    pointer.move(t, t->rect().center() + QPoint(18, 18));
    const auto promptShown = [] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (qobject_cast<NxMessagePromptDialog*>(w) && w->isVisible())
                return true;
        }
        return false;
    };
    if (overlay || prompt)
        holdUntil([&] { return t->isDelbtnShown() || promptShown(); });
    else
        QTest::qWait(1300);
    pointer.release(t, t->rect().center());
    QCOMPARE(t->isDelbtnShown(), overlay);
    QCOMPARE(qApp->property("delWgtShow").toBool(), overlay);
    QCOMPARE(promptShown(), prompt);
    auto* overlayWidget = t->findChild<QWidget*>("delwidget");
    QCOMPARE(overlayWidget && overlayWidget->isVisible(), overlay);
    if (overlay)
        QCOMPARE(overlayWidget->geometry(), t->rect());
    // Held without a result, the release is an ordinary tap.
    QCOMPARE(clicked.count(), overlay || prompt ? 0 : 1);
}

void tst_NxChannelWidget::oneOverlayAtATime()
{
    QFETCH(NxPointerDriver::Kind, kind);
    NxChannelWidget* mine = tile(channel("mine", "local"), 20);
    NxChannelWidget* other = tile(channel("maths", "web"), 280);
    QSignalSpy otherClicked(other, &NxChannelWidget::sigWidgetClicked);
    NxPointerDriver pointer(kind);
    pointer.press(mine, mine->rect().center());
    holdUntil([&] { return mine->isDelbtnShown(); });
    pointer.release(mine, mine->rect().center());

    // The first tap elsewhere only puts the overlay away.
    pointer.tap(other);
    QCOMPARE(otherClicked.count(), 0);
    QVERIFY(!mine->isDelbtnShown());
    QVERIFY(!mine->findChild<QWidget*>("delwidget")->isVisible());
    QCOMPARE(qApp->property("delWgtShow").toBool(), false);
    pointer.tap(other);
    QCOMPARE(otherClicked.count(), 1);
}

void tst_NxChannelWidget::deletion_data()
{
    QTest::addColumn<NxPointerDriver::Kind>("kind");
    QTest::addColumn<QString>("answer");
    QTest::newRow("mouse confirmed") << NxPointerDriver::Mouse << "m_okButton";
    QTest::newRow("mouse cancelled") << NxPointerDriver::Mouse << "m_cancelButton";
    QTest::newRow("touch confirmed") << NxPointerDriver::Touch << "m_okButton";
    QTest::newRow("touch cancelled") << NxPointerDriver::Touch << "m_cancelButton";
}

void tst_NxChannelWidget::deletion()
{
    QFETCH(NxPointerDriver::Kind, kind);
    QFETCH(QString, answer);
    const bool confirmed = answer == "m_okButton";
    const QJsonObject json = channel("mine", "local");
    NxChannelWidget* mine = tile(json, 20);
    QSignalSpy deleted(mine, &NxChannelWidget::sigDelChannel);
    NxPointerDriver pointer(kind);
    pointer.press(mine, mine->rect().center());
    holdUntil([&] { return mine->isDelbtnShown(); });
    pointer.release(mine, mine->rect().center());

    pointer.tap(mine->findChild<QPushButton*>("delBtn"));
    auto* question = mine->findChild<NxDelConfirmDialog*>();
    QVERIFY(question);
    QVERIFY(QTest::qWaitForWindowExposed(question));
    // The question stands in front of the overlay, which waits for the answer.
    QVERIFY(mine->isDelbtnShown());
    pointer.tap(question->findChild<QPushButton*>(answer));
    QTRY_VERIFY(!question->isVisible());
    QCOMPARE(deleted.count(), confirmed ? 1 : 0);
    if (confirmed)
        QCOMPARE(deleted.first().first().toJsonObject(), json);
    QCOMPARE(mine->isDelbtnShown(), !confirmed);
    QCOMPARE(qApp->property("delWgtShow").toBool(), !confirmed);
}

void tst_NxChannelWidget::addSlot()
{
    QFETCH(NxPointerDriver::Kind, kind);
    auto* slot = new NxAddChanelWidget(m_host);
    slot->move(20, 20);
    slot->setData(QJsonObject{{"ID", "ID_MAINPAGE_ADD_CHANNEL"}, {"name", "Add"}, {"index", 2}});
    slot->setWidgetSize(200, 200);
    slot->show();
    QSignalSpy addClicked(slot, &NxAddChanelWidget::sigAddChannelClicked);
    QSignalSpy channelClicked(slot, &NxChannelWidget::sigWidgetClicked);
    NxPointerDriver pointer(kind);
    QVERIFY(!slot->isChannelMode());
    QCOMPARE(slot->findChild<QLabel*>("addNameLabel")->text(), QString("Add"));
    pointer.tap(slot);
    pointer.tap(slot);
    QCOMPARE(addClicked.count(), 2);
    QCOMPARE(addClicked.first().first().toJsonObject().value("index").toInt(), 2);

    // A channel picked from the catalogue carries the "added" mark; the
    // emptied slot does not keep it.
    QJsonObject picked = channel("maths", "local");
    picked.insert("isAdd", true);
    slot->setItem(picked);
    QVERIFY(slot->isChannelMode());
    auto* mark = slot->findChild<QLabel*>("markLabel");
    QVERIFY(mark && mark->isVisible());
    pointer.tap(slot);
    QCOMPARE(channelClicked.count(), 1);
    QCOMPARE(addClicked.count(), 2);

    slot->setAddMode();
    QVERIFY(!slot->isChannelMode());
    QVERIFY(slot->getData().isEmpty());
    QVERIFY(!mark->isVisible());
    pointer.tap(slot);
    QCOMPARE(addClicked.count(), 3);
    QCOMPARE(channelClicked.count(), 1);
}

// A mark on a cloud tile insets the picture; an own tile stays full-size.
void tst_NxChannelWidget::markLayout_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("mark");
    QTest::addColumn<bool>("inset");
    QTest::newRow("cloud, added") << "web" << "isAdd" << true;
    QTest::newRow("cloud, signed in") << "web" << "isLogin" << true;
    QTest::newRow("own, added") << "local" << "isAdd" << false;
    QTest::newRow("no mark") << "web" << "" << false;
}

void tst_NxChannelWidget::markLayout()
{
    QFETCH(QString, from);
    QFETCH(QString, mark);
    QFETCH(bool, inset);
    QJsonObject json = channel("maths", from);
    json.insert("image", ":/images/customcover/ID_DEFAULT_BACKGROUND_2_LARGE.png");
    if (!mark.isEmpty())
        json.insert(mark, false);
    NxChannelWidget* t = tile(json, 20);
    QVERIFY(QTest::qWaitForWindowExposed(m_host));
    QImage face(t->size(), QImage::Format_ARGB32_Premultiplied);
    face.fill(Qt::transparent);
    t->render(&face, QPoint(), QRegion(), QWidget::DrawChildren);
    // 4 pixels in: inside the rounded corner, outside the inset (16 at scale 2).
    QCOMPARE(qAlpha(face.pixel(6, 100)) == 0, inset);
    QVERIFY(qAlpha(face.pixel(100, 100)) > 0);

    auto* markLabel = t->findChild<QLabel*>("markLabel");
    QCOMPARE(markLabel != nullptr, !mark.isEmpty());
    if (!markLabel)
        return;
    QVERIFY(!markLabel->isVisible());
    if (mark == "isAdd")
        t->renewAddMark(true);
    else
        t->renewLoginMark(true);
    QVERIFY(markLabel->isVisible());
    QCOMPARE(markLabel->size(), QSize(168, 150));
    QCOMPARE(markLabel->geometry().topRight(), QPoint(t->width() - 1, 0));
    QVERIFY(!markLabel->pixmap(Qt::ReturnByValue).isNull());
    t->renewAddMark(false);
    QVERIFY(!markLabel->isVisible());
    QCOMPARE(t->getData().value("isAdd").toBool(), false);
}

// Pictures come from the local cloud through the client; each tile keeps
// its own, and a picture that never arrives leaves the default in place.
void tst_NxChannelWidget::ownPictureOnly()
{
    NxChannelCloud world;
    const QString red = world.addPicture("red.png", QColor(220, 40, 40));
    const QString green = world.addPicture("green.png", QColor(40, 200, 60));
    QList<NxChannelWidget*> tiles;
    const QStringList urls{red, green, world.cloud().pictureUrl("missing.png")};
    for (int i = 0; i < urls.size(); ++i) {
        QJsonObject json = channel(QString("t%1").arg(i), "web");
        json.insert("image", ":/images/customcover/ID_DEFAULT_BACKGROUND_1_LARGE.png");
        json.insert("web_image", urls.at(i));
        auto* t = new NxChannelWidget(m_host);
        t->setGeometry(20 + i * 240, 20, 200, 200);
        t->setNameLabelVisable(false);
        t->setControlManager(world.manager());
        t->setItem(json);
        t->show();
        tiles << t;
    }
    const QImage before = tiles.at(2)->grab().toImage();
    const auto centre = [](NxChannelWidget* t) { return QColor(t->grab().toImage().pixel(100, 100)); };
    QTRY_COMPARE(centre(tiles.at(0)), QColor(220, 40, 40));
    QTRY_COMPARE(centre(tiles.at(1)), QColor(40, 200, 60));
    QTRY_COMPARE(world.cloud().server().requestCount("/pictures/missing.png"), 1);
    QTest::qWait(100);
    QCOMPARE(tiles.at(2)->grab().toImage(), before);
    QCOMPARE(world.cloud().server().requestCount("/pictures/red.png"), 1);
}

// A tile that changes or empties its channel before the old picture comes
// neither shows it nor files it under the new address, where every tile of
// that address would take it.
void tst_NxChannelWidget::latePictureOfAnEarlierChannel()
{
    NxChannelCloud world;
    const QString red = world.addPicture("red.png", QColor(220, 40, 40));
    const QString green = world.addPicture("green.png", QColor(40, 200, 60));
    const QString blue = world.addPicture("blue.png", QColor(40, 60, 220));
    NxCloudFault slow;
    slow.delayMs = 500;
    world.cloud().server().setFault("/pictures/green.png", slow);
    m_host->resize(1000, 260);
    const auto pictured = [](const QString& name, const QString& url) {
        QJsonObject json = channel(name, "web");
        json.insert("web_image", url);
        return json;
    };
    const auto placed = [&](NxChannelWidget* t, int x) {
        t->setGeometry(x, 20, 200, 200);
        t->setNameLabelVisable(false);
        t->setControlManager(world.manager());
        t->show();
        return t;
    };
    const auto centre = [](NxChannelWidget* t) { return QColor(t->grab().toImage().pixel(100, 100)); };

    NxChannelWidget* moved = placed(new NxChannelWidget(m_host), 20);
    moved->setItem(pictured("art", red));
    moved->setItem(pictured("maths", green)); // before the red picture comes
    auto* emptied = static_cast<NxAddChanelWidget*>(placed(new NxAddChanelWidget(m_host), 260));
    emptied->setWidgetSize(200, 200);
    emptied->setItem(pictured("music", blue));
    emptied->setAddMode();
    const QImage emptyFace = emptied->grab().toImage();

    QTRY_COMPARE(centre(moved), QColor(40, 200, 60));
    NxChannelWidget* other = placed(new NxChannelWidget(m_host), 500);
    other->setItem(pictured("maths", green));
    QTRY_COMPARE(centre(other), QColor(40, 200, 60));
    NxChannelWidget* witness = placed(new NxChannelWidget(m_host), 740);
    witness->setItem(pictured("music", blue));
    QTRY_COMPARE(centre(witness), QColor(40, 60, 220));
    QTest::qWait(100);
    QCOMPARE(emptied->grab().toImage(), emptyFace);
}

QTEST_MAIN(tst_NxChannelWidget)
#include "tst_NxChannelWidget.moc"

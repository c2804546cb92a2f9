#include "NxAddChannelDialog.h"
#include "NxAddChannelListWidget.h"
#include "NxChannelBriefDialog.h"
#include "NxChannelListConentWidget.h"
#include "NxChannelWidget.h"
#include "NxConfig.h"
#include "NxPointerDriver.h"
#include "NxToolTipHelp.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

// The catalogue page: the failure picture, sections built per distinct
// content and sized from the new ones alone, a picked channel carrying the
// slot it was picked for, and the "added" marks.
class tst_NxAddChannelListWidget : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void failedFirstLoad();
    void sections_data();
    void sections();
    void pickedChannels();
    void slotHeldWhileOpen_data();
    void slotHeldWhileOpen();
    void addedMarks();
    void largeCatalogueHoldsFewTiles();

private:
    static QJsonObject channel(const QString& id);
    static QJsonObject section(const QString& title, int count);
    static QJsonObject catalogue(int page, int index, const QList<QJsonObject>& sections);
    static QList<NxChannelListConentWidget*> sectionsOf(QWidget* page);
    // Tiles are made near the screen once the page is laid out, and let go
    // later: count those alive now.
    static int tilesOf(QWidget* widget);
    template <typename T> static T* window();
};

void tst_NxAddChannelListWidget::init()
{
    qApp->setProperty("scalefactor", 1.0);
    NxConfig::getInstance()->setNetworkStatus(true);
    NxToolTipHelp::Instance().findChild<QLabel*>()->clear();
}

void tst_NxAddChannelListWidget::cleanup()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != &NxToolTipHelp::Instance())
            w->deleteLater();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QJsonObject tst_NxAddChannelListWidget::channel(const QString& id)
{
    return {{"ID", "ID_CHANNEL"}, {"channelid", id}, {"name", id}, {"from", "web"}, {"channelType", "web"},
            {"url", "https://example.org/" + id}, {"image", ":/images/customcover/ID_DEFAULT_BACKGROUND_2_LARGE.png"}};
}

QJsonObject tst_NxAddChannelListWidget::section(const QString& title, int count)
{
    QJsonArray channels;
    for (int i = 0; i < count; ++i)
        channels.append(channel(QString("%1-%2").arg(title).arg(i)));
    return {{"title", title}, {"data", channels}};
}

QJsonObject tst_NxAddChannelListWidget::catalogue(int page, int index, const QList<QJsonObject>& sections)
{
    QJsonArray data;
    for (const QJsonObject& s : sections)
        data.append(s);
    return {{"page", page}, {"index", index}, {"data", data}};
}

int tst_NxAddChannelListWidget::tilesOf(QWidget* widget)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return widget->findChildren<NxChannelWidget*>().size();
}

QList<NxChannelListConentWidget*> tst_NxAddChannelListWidget::sectionsOf(QWidget* page)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QList<NxChannelListConentWidget*> found = page->findChildren<NxChannelListConentWidget*>();
    std::sort(found.begin(), found.end(), [](QWidget* a, QWidget* b) { return a->y() < b->y(); });
    return found;
}

template <typename T> T* tst_NxAddChannelListWidget::window()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<T*>(w))
            return found;
    }
    return nullptr;
}

void tst_NxAddChannelListWidget::failedFirstLoad()
{
    NxAddChannelListWidget page(nullptr);
    page.setData(catalogue(0, 1, {}), false);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    auto* picture = page.findChild<QLabel*>("failPicture");
    auto* text = page.findChild<QLabel*>("failText");
    QVERIFY(picture && picture->isVisible() && !picture->pixmap(Qt::ReturnByValue).isNull());
    QCOMPARE(text->text(), QString("ID_LOAD_FAILED"));
    QVERIFY(qAbs(picture->geometry().center().x() - page.rect().center().x()) <= 1);
    QVERIFY(qAbs(picture->geometry().center().y() - page.rect().center().y()) <= 1);
    QCOMPARE(text->y(), picture->y() + 185);
    QVERIFY(!page.findChild<QScrollArea*>()->isVisible());

    // Loaded data, even after a failure, replaces the failure picture.
    page.setData(catalogue(0, 1, {section("Science", 2)}), true);
    QVERIFY(!picture->isVisible() && !text->isVisible());
    QVERIFY(page.findChild<QScrollArea*>()->isVisible());
    QCOMPARE(sectionsOf(&page).size(), 1);
}

void tst_NxAddChannelListWidget::sections_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<int>("finalHeight");
    // Sections of 5 and 1 channels, 24·s apart.
    QTest::newRow("1.0") << 1.0 << 24 + (32 + 24 + 621) + (32 + 24 + 290);
    QTest::newRow("0.71") << 0.71 << 17 + (22 + 17 + 440) + (22 + 17 + 205);
}

// One section first (the count the page starts with), then three, then two:
// each different count builds the page anew, sized from its own sections.
void tst_NxAddChannelListWidget::sections()
{
    QFETCH(double, scale);
    QFETCH(int, finalHeight);
    qApp->setProperty("scalefactor", scale);
    NxAddChannelListWidget page(nullptr);
    page.setFixedSize(1920, 1080);
    page.setData(catalogue(0, 1, {section("Science", 3)}), true);
    QCOMPARE(sectionsOf(&page).size(), 1);
    QCOMPARE(sectionsOf(&page).first()->findChild<QLabel*>("sectionTitle")->text(), QString("Science"));

    page.setData(catalogue(0, 1, {section("A", 9), section("B", 9), section("C", 9)}), true);
    QCOMPARE(sectionsOf(&page).size(), 3);
    page.setData(catalogue(0, 1, {section("Maths", 5), section("Art", 1)}), true);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    const QList<NxChannelListConentWidget*> shown = sectionsOf(&page);
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown.at(0)->findChild<QLabel*>("sectionTitle")->text(), QString("Maths"));
    QCOMPARE(shown.at(1)->findChild<QLabel*>("sectionTitle")->text(), QString("Art"));
    QCOMPARE(shown.at(1)->y() - shown.at(0)->geometry().bottom() - 1, int(24 * scale));
    QWidget* content = page.findChild<QScrollArea*>()->widget();
    QCOMPARE(content->size(), QSize(int(1284 * scale), finalHeight));
    QCOMPARE(shown.at(1)->geometry().bottom() + 1, finalHeight);

    // The same groups keep the sections; the same count with other channels
    // does not.
    page.setData(catalogue(3, 4, {section("Maths", 5), section("Art", 1)}), true);
    QCOMPARE(sectionsOf(&page), shown);
    page.setData(catalogue(3, 4, {section("Maths", 5), section("Art", 3)}), true);
    QCOMPARE(sectionsOf(&page).size(), 2);
    QTRY_COMPARE(tilesOf(sectionsOf(&page).at(1)), 3);
}

// Through the brief dialog and through the own-channel form, the channel
// goes out with the slot's page and index, then the page asks to return.
void tst_NxAddChannelListWidget::pickedChannels()
{
    NxAddChannelListWidget page(nullptr);
    page.setFixedSize(1920, 1080);
    page.setData(catalogue(0, 0, {section("Science", 4)}), true);
    // Same count: only the slot changes.
    page.setData(catalogue(2, 7, {section("Science", 4)}), true);
    page.setChannelsStatus({{"mine", QJsonObject{{"name", "Maths"}, {"url", "https://maths.example.com"}}}});
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QStringList order;
    QList<QJsonObject> picked;
    connect(&page, &NxAddChannelListWidget::sigAddChannel, this, [&](QJsonObject json) {
        order << "add";
        picked << json;
    });
    connect(&page, &NxAddChannelListWidget::sigReturn, this, [&] { order << "return"; });

    NxPointerDriver pointer(NxPointerDriver::Touch);
    pointer.tap(sectionsOf(&page).first()->findChildren<NxChannelWidget*>().at(1));
    QTRY_VERIFY(window<NxChannelBriefDialog>());
    QTest::mouseClick(window<NxChannelBriefDialog>()->findChild<QPushButton*>("briefAdd"), Qt::LeftButton);
    QCOMPARE(order, QStringList({"add", "return"}));
    QCOMPARE(picked.at(0).value("name").toString(), QString("Science-1"));
    QCOMPARE(picked.at(0).value("page"), QJsonValue(2));
    QCOMPARE(picked.at(0).value("index"), QJsonValue(7));
    QCOMPARE(picked.at(0).value("from").toString(), QString("local"));

    pointer.tap(page.findChild<QPushButton*>("customButton"));
    QTRY_VERIFY(window<NxAddChannelDialog>());
    NxAddChannelDialog* form = window<NxAddChannelDialog>();
    form->findChild<QLineEdit*>("nameEdit")->setText("Maths");
    form->findChild<QLineEdit*>("urlEdit")->setText("https://music.example.com");
    QTest::mouseClick(form->findChild<QPushButton*>("okButton"), Qt::LeftButton);
    QCOMPARE(NxToolTipHelp::Instance().findChild<QLabel*>()->text(), QString("ID_ADD_ERROR_BY_NAME"));
    form->findChild<QLineEdit*>("nameEdit")->setText("Music");
    QTest::mouseClick(form->findChild<QPushButton*>("okButton"), Qt::LeftButton);
    QCOMPARE(order, QStringList({"add", "return", "add", "return"}));
    QCOMPARE(picked.at(1).value("image").toString(), picked.at(1).value("pic_small").toString());
    QCOMPARE(picked.at(1).value("image").toString(), QString(":/images/customcover/ID_DEFAULT_BACKGROUND_1_SMALL.png"));
    QCOMPARE(picked.at(1).value("page"), QJsonValue(2));
    QCOMPARE(picked.at(1).value("index"), QJsonValue(7));
}

// The slot tapped holds while the page is open: a later answer (the
// offered list filling the empty groups) does not move it, and a page
// opened offline keeps it for a channel of one's own.
void tst_NxAddChannelListWidget::slotHeldWhileOpen_data()
{
    QTest::addColumn<bool>("online");
    QTest::newRow("groups filled while open") << true;
    QTest::newRow("offline") << false;
}

void tst_NxAddChannelListWidget::slotHeldWhileOpen()
{
    QFETCH(bool, online);
    NxAddChannelListWidget page(nullptr);
    page.setFixedSize(1920, 1080);
    page.setData(catalogue(1, 3, {section("Own", 2)}), true); // an earlier opening
    page.setData(online ? catalogue(2, 7, {section("Own", 2), section("TV", 0), section("Other", 0)})
                        : catalogue(2, 7, {}),
                 online);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    if (online) {
        page.setData(catalogue(0, 0, {section("Own", 2), section("TV", 3), section("Other", 1)}), true);
        QTRY_COMPARE(tilesOf(&page), 6);
    }
    QSignalSpy added(&page, &NxAddChannelListWidget::sigAddChannel);
    page.slotAddChannel(QJsonObject{{"ID", "ID_CHANNEL"}, {"channelid", "own"}, {"from", "local"}});
    QCOMPARE(added.size(), 1);
    QCOMPARE(added.first().first().toJsonObject().value("page"), QJsonValue(2));
    QCOMPARE(added.first().first().toJsonObject().value("index"), QJsonValue(7));
}

// Channels already on a home page show the "added" mark, the others none.
void tst_NxAddChannelListWidget::addedMarks()
{
    NxAddChannelListWidget page(nullptr);
    page.setFixedSize(1920, 1080);
    page.setData(catalogue(0, 1, {section("Science", 3)}), true);
    page.setChannelsStatus({{"Science-1", channel("Science-1")}});
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    const auto marked = [&page] {
        QStringList names;
        for (NxChannelWidget* tile : page.findChildren<NxChannelWidget*>()) {
            const QLabel* mark = tile->findChild<QLabel*>("markLabel");
            if (mark && mark->isVisible())
                names << tile->getData().value("channelid").toString();
        }
        return names;
    };
    QCOMPARE(marked(), QStringList{"Science-1"});
    QCOMPARE(sectionsOf(&page).first()->findChildren<NxChannelWidget*>().at(1)->getData().value("isAdd"), QJsonValue(true));
    page.setChannelsStatus({});
    QCOMPARE(marked(), QStringList());
}

// Sections of 20,000 and 2,000 channels: only the tiles on screen and near it
// exist, wherever the catalogue is scrolled to.
void tst_NxAddChannelListWidget::largeCatalogueHoldsFewTiles()
{
    NxAddChannelListWidget page(nullptr);
    page.setFixedSize(1920, 1080);
    page.setData(catalogue(0, 1, {section("Own", 20000), section("TV", 2000), section("Other", 3)}), true);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    const auto shown = [&page] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QStringList names;
        for (NxChannelWidget* tile : page.findChildren<NxChannelWidget*>())
            names << tile->getData().value("name").toString();
        return names;
    };
    QTRY_VERIFY(shown().contains("Own-0"));
    QVERIFY2(shown().size() <= 64, qPrintable(QString::number(shown().size())));

    const QList<NxChannelListConentWidget*> all = sectionsOf(&page);
    QScrollBar* bar = page.findChild<QScrollArea*>()->verticalScrollBar();
    // Row 100 of the TV section, then the last section.
    bar->setValue(all.at(1)->y() + 56 + 100 * (290 + 41));
    QTRY_VERIFY(shown().contains("TV-400"));
    QVERIFY(!shown().contains("Own-0"));
    QVERIFY2(shown().size() <= 64, qPrintable(QString::number(shown().size())));
    bar->setValue(bar->maximum());
    QTRY_VERIFY(shown().contains("Other-2"));
    QVERIFY2(shown().size() <= 64, qPrintable(QString::number(shown().size())));
}

QTEST_MAIN(tst_NxAddChannelListWidget)
#include "tst_NxAddChannelListWidget.moc"

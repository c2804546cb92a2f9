#include "NxAddChanelWidget.h"
#include "NxBannerDots.h"
#include "NxBannerWidget.h"
#include "NxChannelBriefDialog.h"
#include "NxChannelCloud.h"
#include "NxChannelListWidget.h"
#include "NxChannelWidget.h"
#include "NxConfig.h"
#include "NxFontSetup.h"
#include "NxScreenCheck.h"

#include "NxGridWidget.h"

#include <QFile>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QJsonDocument>
#include <QTranslator>
#include <QtTest>

// The channel widgets offscreen at the three panel scales in both languages,
// with the demo catalogue's pictures from the local cloud: saved for review
// and checked for size, content, and clipped, untranslated or stray texts.
class tst_NxChannelScreens : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void tiles();
    void tiles_data() { NxScreenCheck::addLanguageScaleRows(); }
    void banner();
    void banner_data() { NxScreenCheck::addLanguageScaleRows(); }
    void tvPage();
    void tvPage_data() { NxScreenCheck::addLanguageScaleRows(); }
    void longPage();
    void longPage_data();
    void briefDialog();
    void briefDialog_data() { NxScreenCheck::addLanguageScaleRows(); }

private:
    QString prepare();
    int px(double design) const { return int(design * m_scale); }
    QJsonObject station(int index) const;
    QJsonObject featured(int index, const QString& picture) const;
    NxChannelWidget* tile(QWidget* parent, const QJsonObject& json, const QSize& size, const QPoint& at);
    void waitForPictures(QWidget* window);
    void check(QWidget* window, const QString& name, const QSize& size, bool wholeWindow = true);

    NxChannelCloud* m_world = nullptr;
    QJsonObject m_catalogue;
    QTranslator m_translator;
    double m_scale = 1.0;
};

void tst_NxChannelScreens::initTestCase()
{
    NxFontSetup::install();
    const QString demo = QStringLiteral(NX_DEMO_CLOUD_DIR);
    m_catalogue = NxCloudServer::loadSeed(demo + "/demo-seed.json").value("categories").toObject();
    QVERIFY2(!m_catalogue.isEmpty(), "demo seed missing: build NxCloudDemoData");
    m_world = new NxChannelCloud(NxCloudServer::loadSeed(demo + "/demo-seed.json"));
    m_world->cloud().server().setPictureDir(demo + "/pictures");
    NxConfig::getInstance()->setNetworkStatus(true);
}

void tst_NxChannelScreens::cleanupTestCase()
{
    delete m_world;
}

void tst_NxChannelScreens::cleanup()
{
    QCoreApplication::removeTranslator(&m_translator);
}

QString tst_NxChannelScreens::prepare()
{
    return NxScreenCheck::prepareRow(m_translator, &m_scale);
}

// Tile JSON as the main window builds it from the catalogue.
QJsonObject tst_NxChannelScreens::station(int index) const
{
    const QJsonObject c = m_catalogue.value("tvstation").toObject().value("data").toObject().value("children").toArray().at(index).toObject();
    const QString picture = c.value("images").toArray().first().toObject().value("url").toString();
    return {{"ID", "ID_CHANNEL"}, {"channelid", c.value("channelId")}, {"channelType", "web"}, {"from", "web"},
            {"intro", c.value("introduction")}, {"url", c.value("address")}, {"name", c.value("channelName")},
            {"web_image", m_world->cloud().baseUrl() + "/" + picture}};
}

QJsonObject tst_NxChannelScreens::featured(int index, const QString& picture) const
{
    const QJsonObject c = m_catalogue.value("nxtchannel").toObject().value("data").toObject().value("children").toArray().at(index).toObject();
    const QString id = c.value("channelId").toString();
    return {{"ID", "ID_CHANNEL"}, {"channelid", id}, {"channelType", c.value("channelType")}, {"from", "web"},
            {"intro", c.value("introduction")}, {"url", c.value("address")}, {"name", c.value("channelName")},
            {"web_image", m_world->cloud().pictureUrl(id + "_" + picture + ".png")}};
}

NxChannelWidget* tst_NxChannelScreens::tile(QWidget* parent, const QJsonObject& json, const QSize& size, const QPoint& at)
{
    auto* t = new NxChannelWidget(parent);
    t->setControlManager(m_world->manager());
    t->setGeometry(QRect(at, size));
    t->setItem(json);
    return t;
}

// Every tile holds a picture before the shot is taken.
void tst_NxChannelScreens::waitForPictures(QWidget* window)
{
    const auto painted = [window] {
        QList<QWidget*> tiles;
        for (NxChannelWidget* t : window->findChildren<NxChannelWidget*>()) {
            if (!qobject_cast<NxAddChanelWidget*>(t))
                tiles << t;
        }
        return NxScreenCheck::painted(tiles);
    };
    QTRY_VERIFY_WITH_TIMEOUT(painted(), 10000);
}

void tst_NxChannelScreens::check(QWidget* window, const QString& name, const QSize& size, bool wholeWindow)
{
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    waitForPictures(window);
    QTest::qWait(50);
    const QImage shot = NxScreenCheck::save(window, name);
    QCOMPARE(shot.size(), size);
    QVERIFY2(NxScreenCheck::colourCount(shot) > 8, "blank picture");
    const QStringList faults = NxScreenCheck::faults(
        window, wholeWindow ? NxScreenCheck::AllFaults : NxScreenCheck::Clipped | NxScreenCheck::Untranslated);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
}

// Every kind of tile on the page ground: a station, a channel marked as
// added, an own channel, one with its delete overlay, a home tile with the
// name at the left and the signed-in mark, and an empty home slot.
void tst_NxChannelScreens::tiles()
{
    const QString suffix = prepare();
    QWidget sheet;
    sheet.setObjectName("backwidget");
    sheet.setAttribute(Qt::WA_StyledBackground);
    sheet.setStyleSheet("QWidget#backwidget{border-image:url(:/images/ID_BACKGROUND_PIC.png);}");
    sheet.setFixedSize(px(1332), px(712));
    const QSize cell(px(290), px(290));
    const int x0 = px(24), y0 = px(24), step = px(290) + px(41);

    tile(&sheet, station(0), cell, QPoint(x0, y0));
    QJsonObject marked = featured(0, "middle");
    marked.insert("isAdd", false);
    tile(&sheet, marked, cell, QPoint(x0 + step, y0))->renewAddMark(true);
    QJsonObject own{{"ID", "ID_CHANNEL"}, {"channelid", "own-1"}, {"from", "local"},
                    {"name", NxScreenCheck::rowText("我的数学课件", "My maths lessons")},
                    {"image", ":/images/customcover/ID_DEFAULT_BACKGROUND_1_LARGE.png"}};
    tile(&sheet, own, cell, QPoint(x0 + 2 * step, y0));
    own.insert("name", NxScreenCheck::rowText("班级阅读角", "Class reading corner"));
    own.insert("image", ":/images/customcover/ID_DEFAULT_BACKGROUND_2_LARGE.png");
    tile(&sheet, own, cell, QPoint(x0 + 3 * step, y0))->showDelbtn(true);

    auto* home = new NxChannelWidget(&sheet);
    home->setControlManager(m_world->manager());
    home->setGeometry(x0, y0 + px(290) + px(24), px(428), px(364));
    home->setNameLabelPosition(false);
    QJsonObject resources = featured(1, "middle");
    resources.insert("isLogin", true);
    home->setItem(resources);
    home->renewLoginMark(true);

    auto* slot = new NxAddChanelWidget(&sheet);
    slot->move(x0 + px(428) + px(24), y0 + px(290) + px(24));
    slot->setWidgetSize(px(194), px(194));
    slot->setData({{"ID", "ID_MAINPAGE_ADD_CHANNEL"}, {"name", QCoreApplication::translate("NxGridWidget", "ID_CUSTOM_ADD_CHANNEL")}});
    auto* filled = new NxAddChanelWidget(&sheet);
    filled->setControlManager(m_world->manager());
    filled->move(x0 + px(428) + px(24) * 2 + px(194), y0 + px(290) + px(24));
    filled->setWidgetSize(px(194), px(194));
    filled->setItem(featured(2, "small"));

    check(&sheet, "NxChannelWidget_tiles" + suffix, QSize(px(1332), px(712)));
    QVERIFY(home->findChild<QWidget*>("markLabel")->isVisible());
}

void tst_NxChannelScreens::banner()
{
    const QString suffix = prepare();
    QWidget ground;
    ground.setObjectName("backwidget");
    ground.setAttribute(Qt::WA_StyledBackground);
    ground.setStyleSheet("QWidget#backwidget{border-image:url(:/images/ID_BACKGROUND_PIC.png);}");
    ground.setFixedSize(px(460), px(460));
    auto* b = new NxBannerWidget(&ground);
    b->setControlManager(m_world->manager());
    b->setGeometry(px(24), px(24), px(412), px(412));
    QList<QJsonObject> items{featured(3, "middle"), featured(4, "middle"), featured(5, "middle"), featured(6, "middle")};
    b->addinitItem(items);
    b->setDefaultSize(4);
    check(&ground, "NxBannerWidget" + suffix, QSize(px(460), px(460)));
    QCOMPARE(b->findChild<NxBannerDots*>()->count(), 4);
}

void tst_NxChannelScreens::tvPage()
{
    const QString suffix = prepare();
    NxChannelListWidget page(true, false, false);
    // The offscreen screen is small; the page takes the panel's size.
    page.setFixedSize(px(1920), px(1080));
    page.setControlManager(m_world->manager());
    page.setTitle(NxScreenCheck::rowText("电视", "TV"));
    page.setParam(px(1284), px(630), px(290), px(290), 2, 4);
    QJsonArray stations;
    for (int i = 0; i < 14; ++i)
        stations.append(station(i));
    page.setData(stations, QJsonArray(), true);
    // Rows scroll out of the page below the grid; they are not faults.
    check(&page, "NxChannelListWidget_tv" + suffix, QSize(px(1920), px(1080)), false);
    const QRect grid(page.findChild<NxGridWidget*>()->mapTo(&page, QPoint(0, 0)), QSize(px(1284), px(630)));
    QVERIFY(page.rect().contains(grid));
    QCOMPARE(grid.center().x(), page.rect().center().x());
}

void tst_NxChannelScreens::longPage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<double>("scale");
    QTest::newRow("zh_CN 1.0") << "zh_CN" << 1.0;
    QTest::newRow("en_US 1.0") << "en_US" << 1.0;
}

// Two thousand stations, scrolled far down: the tiles there are laid out as
// at the top, each with its own picture.
void tst_NxChannelScreens::longPage()
{
    const QString suffix = prepare();
    NxChannelListWidget page(true, false, false);
    page.setFixedSize(px(1920), px(1080));
    page.setControlManager(m_world->manager());
    page.setTitle(NxScreenCheck::rowText("电视", "TV"));
    page.setParam(px(1284), px(630), px(290), px(290), 2, 4);
    page.setData(m_world->generatedTiles("s", 2000), QJsonArray(), true);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QScrollBar* bar = page.findChild<QScrollArea*>()->verticalScrollBar();
    bar->setValue(250 * (px(290) + px(41)) + px(120));
    check(&page, "NxChannelListWidget_long" + suffix, QSize(px(1920), px(1080)), false);
    const QList<NxChannelWidget*> shown = page.findChildren<NxChannelWidget*>();
    const auto tileOf = [&shown](const QString& name) {
        for (NxChannelWidget* tile : shown) {
            if (tile->isVisible() && tile->getData().value("name").toString() == name)
                return tile;
        }
        return static_cast<NxChannelWidget*>(nullptr);
    };
    // Row 250 starts with station 1000, four to a row, 41 apart.
    NxChannelWidget* first = tileOf("Station 1000");
    NxChannelWidget* second = tileOf("Station 1001");
    NxChannelWidget* below = tileOf("Station 1004");
    QVERIFY(first && second && below);
    QCOMPARE(second->x() - first->geometry().right() - 1, px(41));
    QCOMPARE(below->y() - first->geometry().bottom() - 1, px(41));
}

void tst_NxChannelScreens::briefDialog()
{
    const QString suffix = prepare();
    QPointer<NxChannelBriefDialog> dialog = new NxChannelBriefDialog(nullptr);
    dialog->setControlManager(m_world->manager());
    QJsonObject json = featured(0, "middle");
    json.insert("isAdd", false);
    dialog->setChannel(json);
    check(dialog, "NxChannelBriefDialog" + suffix, QSize(px(1035), px(615)));
    dialog->close();
}

QTEST_MAIN(tst_NxChannelScreens)
#include "tst_NxChannelScreens.moc"

#include "NxAddChannelDialog.h"
#include "NxAddChannelListWidget.h"
#include "NxChannelCloud.h"
#include "NxChannelListConentWidget.h"
#include "NxChannelWidget.h"
#include "NxConfig.h"
#include "NxFontSetup.h"
#include "NxScreenCheck.h"
#include "NxToolTipHelp.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextDocument>
#include <QTranslator>
#include <QtTest>

// The add-channel form with a toast, the catalogue with three sections of
// demo channels and its failure picture, in both languages at the scale in
// NX_SCREEN_SCALE (the toast takes its scale once per process).
class tst_NxAddChannelScreens : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void dialogWithToast_data() { NxScreenCheck::addLanguageRows(); }
    void dialogWithToast();
    void catalogue_data() { NxScreenCheck::addLanguageRows(); }
    void catalogue();
    void longCatalogue_data() { NxScreenCheck::addLanguageRows(); }
    void longCatalogue();

private:
    QString prepare();
    int px(double design) const { return int(design * m_scale); }
    QJsonArray channels(const QString& category, int from, int count) const;
    static void checkTexts(QWidget* window);
    static bool pictured(QWidget* window);
    // The catalogue's three groups (featured, TV, more) with the given channels.
    QJsonObject catalogueOf(const QJsonArray& featured, const QJsonArray& tv) const;

    NxChannelCloud* m_world = nullptr;
    QJsonObject m_categories;
    QTranslator m_translator;
    double m_scale = 1.0;
};

void tst_NxAddChannelScreens::initTestCase()
{
    NxFontSetup::install();
    m_scale = qEnvironmentVariable("NX_SCREEN_SCALE", "1.0").toDouble();
    qApp->setProperty("scalefactor", m_scale);
    const QString demo = QStringLiteral(NX_DEMO_CLOUD_DIR);
    const QJsonObject seed = NxCloudServer::loadSeed(demo + "/demo-seed.json");
    m_categories = seed.value("categories").toObject();
    QVERIFY2(!m_categories.isEmpty(), "demo seed missing: build NxCloudDemoData");
    m_world = new NxChannelCloud(seed);
    m_world->cloud().server().setPictureDir(demo + "/pictures");
    NxConfig::getInstance()->setNetworkStatus(true);
}

void tst_NxAddChannelScreens::cleanupTestCase()
{
    delete m_world;
}

void tst_NxAddChannelScreens::cleanup()
{
    QCoreApplication::removeTranslator(&m_translator);
}

QString tst_NxAddChannelScreens::prepare()
{
    return NxScreenCheck::prepareLanguage(m_translator) + "_" + NxScreenCheck::scaleName(m_scale);
}

// Tile JSON as the main window makes it from the catalogue.
QJsonArray tst_NxAddChannelScreens::channels(const QString& category, int from, int count) const
{
    const QJsonArray children = m_categories.value(category).toObject().value("data").toObject().value("children").toArray();
    QJsonArray tiles;
    for (int i = from; i < from + count && i < children.size(); ++i) {
        const QJsonObject c = children.at(i).toObject();
        const QString picture = c.value("images").toArray().at(1).toObject().value("url").toString();
        tiles.append(QJsonObject{{"ID", "ID_CHANNEL"}, {"channelid", c.value("channelId")}, {"from", "web"},
                                 {"channelType", c.value("channelType")}, {"intro", c.value("introduction")},
                                 {"url", c.value("address")}, {"name", c.value("channelName")},
                                 {"web_image", m_world->cloud().baseUrl() + "/" + picture}});
    }
    return tiles;
}

// The captions are rich text (a red mark before the words): measured as
// they are drawn, the rest as the shared check does.
void tst_NxAddChannelScreens::checkTexts(QWidget* window)
{
    QStringList clipped;
    for (const QString& entry : NxScreenCheck::clippedTexts(window)) {
        if (!entry.contains("Caption:"))
            clipped << entry;
    }
    for (QLabel* label : window->findChildren<QLabel*>(QRegularExpression("Caption$"))) {
        QTextDocument drawn;
        drawn.setDefaultFont(label->font());
        drawn.setDocumentMargin(0);
        drawn.setHtml(label->text());
        if (drawn.idealWidth() > label->contentsRect().width())
            clipped << label->objectName() + ": " + drawn.toPlainText();
    }
    QVERIFY2(clipped.isEmpty(), qPrintable("clipped: " + clipped.join("; ")));
    const QStringList keys = NxScreenCheck::untranslatedTexts(window);
    QVERIFY2(keys.isEmpty(), qPrintable("untranslated: " + keys.join("; ")));
}

// Every tile on screen shows its picture.
bool tst_NxAddChannelScreens::pictured(QWidget* window)
{
    const QList<NxChannelWidget*> tiles = window->findChildren<NxChannelWidget*>();
    return NxScreenCheck::painted({tiles.begin(), tiles.end()});
}

// A duplicate address refused: the toast over the filled-in form.
void tst_NxAddChannelScreens::dialogWithToast()
{
    const QString suffix = prepare();
    QPointer<NxAddChannelDialog> dialog = new NxAddChannelDialog(nullptr, m_scale);
    dialog->setData(QJsonArray{QJsonObject{{"name", "Art"}, {"url", "https://www.geogebra.org/math"}}});
    dialog->findChild<QLineEdit*>("nameEdit")->setText(NxScreenCheck::rowText("数学乐园", "Maths"));
    dialog->findChild<QLineEdit*>("urlEdit")->setText("https://www.geogebra.org/math");
    dialog->findChild<QPushButton*>("cover3")->click();
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QCOMPARE(dialog->size(), QSize(px(908), px(540)));
    checkTexts(dialog);
    QTest::mouseClick(dialog->findChild<QPushButton*>("okButton"), Qt::LeftButton);
    NxToolTipHelp& toast = NxToolTipHelp::Instance();
    QTRY_VERIFY(toast.isVisible());
    QVERIFY(!toast.findChild<QLabel*>()->text().startsWith("ID_"));

    QImage shot = dialog->grab().toImage();
    QPainter painter(&shot);
    painter.drawImage(toast.mapToGlobal(QPoint(0, 0)) - dialog->mapToGlobal(QPoint(0, 0)), toast.grab().toImage());
    painter.end();
    QVERIFY(NxScreenCheck::saveImage(shot, "NxAddChannelDialog_toast" + suffix));
    QVERIFY(NxScreenCheck::colourCount(shot) > 8);
    dialog->close();
    toast.stopToast();
}

QJsonObject tst_NxAddChannelScreens::catalogueOf(const QJsonArray& featured, const QJsonArray& tv) const
{
    const QJsonArray sections{
        QJsonObject{{"title", NxScreenCheck::rowText("精品频道", "Featured")}, {"data", featured}},
        QJsonObject{{"title", NxScreenCheck::rowText("电视", "TV")}, {"data", tv}},
        QJsonObject{{"title", NxScreenCheck::rowText("其他频道", "More channels")},
                    {"data", channels("nxtchannel", 5, 4)}}};
    return QJsonObject{{"page", 1}, {"index", 0}, {"data", sections}};
}

// Three sections of demo channels with their pictures, two marked "added",
// then a catalogue that could not be loaded.
void tst_NxAddChannelScreens::catalogue()
{
    const QString suffix = prepare();
    NxAddChannelListWidget page(nullptr);
    // The offscreen screen is small; the page takes the panel's size.
    page.setFixedSize(px(1920), px(1080));
    page.setControlManager(m_world->manager());
    page.setData(catalogueOf(channels("nxtchannel", 0, 5), channels("tvstation", 0, 4)), true);
    // Two of them are on the home page already.
    QMap<QString, QJsonObject> added;
    for (const QJsonArray& group : {channels("nxtchannel", 1, 1), channels("tvstation", 0, 1)})
        added.insert(group.first().toObject().value("channelid").toString(), group.first().toObject());
    page.setChannelsStatus(added);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QTRY_VERIFY_WITH_TIMEOUT(pictured(&page), 10000);
    QVERIFY(NxScreenCheck::colourCount(NxScreenCheck::save(&page, "NxAddChannelListWidget" + suffix)) > 8);
    checkTexts(&page);
    // The last sections, scrolled into view.
    QScrollBar* bar = page.findChild<QScrollArea*>()->verticalScrollBar();
    bar->setValue(bar->maximum());
    QVERIFY(bar->value() > 0);
    QTRY_VERIFY_WITH_TIMEOUT(pictured(&page), 10000);
    NxScreenCheck::save(&page, "NxAddChannelListWidget_end" + suffix);

    NxAddChannelListWidget failed(nullptr);
    failed.setFixedSize(px(1920), px(1080));
    failed.setData(QJsonObject{{"page", 1}, {"index", 0}, {"data", QJsonArray()}}, false);
    failed.show();
    QVERIFY(QTest::qWaitForWindowExposed(&failed));
    QVERIFY(NxScreenCheck::colourCount(NxScreenCheck::save(&failed, "NxAddChannelListWidget_failed" + suffix)) > 8);
    checkTexts(&failed);
    QVERIFY(NxScreenCheck::overflowingChildren(&failed).isEmpty());
}

// The catalogue of 20,000 channels and 2,000 stations, scrolled into the
// stations: laid out as a short one, every tile with its picture.
void tst_NxAddChannelScreens::longCatalogue()
{
    const QString suffix = prepare();
    NxAddChannelListWidget page(nullptr);
    page.setFixedSize(px(1920), px(1080));
    page.setControlManager(m_world->manager());
    page.setData(catalogueOf(m_world->generatedTiles("c", 20000), m_world->generatedTiles("s", 2000)), true);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    // Where the channels end and the stations begin, 1.6 million pixels down.
    QList<NxChannelListConentWidget*> shown = page.findChildren<NxChannelListConentWidget*>();
    std::sort(shown.begin(), shown.end(), [](QWidget* a, QWidget* b) { return a->y() < b->y(); });
    QCOMPARE(shown.size(), 3);
    page.findChild<QScrollArea*>()->verticalScrollBar()->setValue(shown.at(1)->y() - px(300));
    QTRY_VERIFY_WITH_TIMEOUT(pictured(&page), 20000);
    QVERIFY(NxScreenCheck::colourCount(NxScreenCheck::save(&page, "NxAddChannelListWidget_long" + suffix)) > 8);
    checkTexts(&page);
}

QTEST_MAIN(tst_NxAddChannelScreens)
#include "tst_NxAddChannelScreens.moc"

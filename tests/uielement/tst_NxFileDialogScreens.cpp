#include "NxFileDialog.h"
#include "NxFileDialogFixture.h"
#include "NxFileDialogView.h"
#include "NxFileDialogViewMode.h"
#include "NxFileItemWidget.h"
#include "NxFilePictures.h"
#include "NxMessageWidget.h"
#include "NxRecentFiles.h"
#include "NxFontSetup.h"
#include "NxScreenCheck.h"

#include <QAbstractScrollArea>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTranslator>
#include <QtTest>

// The file dialog offscreen in both languages with real files: the list,
// the thumbnails, the recent list and an error. Each picture is saved for
// review and checked for clipped, untranslated or escaping texts.
class tst_NxFileDialogScreens : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void listMode_data() { addRows(); }
    void listMode();
    void thumbnailMode_data() { addRows(); }
    void thumbnailMode();
    void recentList_data() { addRows(); }
    void recentList();
    void error_data() { addRows(); }
    void error();

private:
    static void addRows();
    QString prepare();
    void shoot(QWidget* window, const QString& name);
    static QStringList outsideWindow(QWidget* window);
    QString show(const QString& start, std::function<void(NxFileDialog*)> look, const QString& typed = QString());

    NxFileWorld* m_world = nullptr;
    QTranslator m_translator;
};

void tst_NxFileDialogScreens::initTestCase()
{
    NxFontSetup::install(); // as the program does
    m_world = new NxFileWorld;
    qputenv("HOME", m_world->path("home").toUtf8());
    qputenv("XDG_CONFIG_HOME", m_world->path("home/.config").toUtf8());
    qApp->setProperty("recentFileDir", m_world->path("recent/"));
    m_world->drives.add(m_world->path("disk"), INxDrives::Type::Fixed, false);
    m_world->drives.add(m_world->path("stick"), INxDrives::Type::Removable, true);
    const QString desktop = "home/Desktop/";
    for (const char* folder : {"Lessons", "Unit 2 - Fractions", "课堂录像"})
        QDir().mkpath(m_world->path(desktop + folder));
    const struct {
        const char* name;
        int kilobytes;
    } files[] = {{"clip.mp4", 48213}, {"Photosynthesis explained.mkv", 812004}, {"Field trip 2024.avi", 1520},
                 {"分数的认识.mp4", 230117}, {"Morning assembly.wmv", 90},  {"Volcano eruption - a very long title for a clip.mov", 7008}};
    for (const auto& f : files) {
        QFile file(m_world->touch(desktop + QString::fromUtf8(f.name)));
        file.open(QIODevice::ReadWrite);
        file.resize(qint64(f.kilobytes) * 1024);
    }
    const QColor colours[] = {QColor(70, 130, 200), QColor(90, 170, 110), QColor(200, 120, 80), QColor(150, 100, 200)};
    for (int i = 0; i < 4; ++i)
        m_world->picture(desktop + QString("board %1.png").arg(i + 1), 640, 420, colours[i]);
    m_world->touch(desktop + "notes.txt");
}

void tst_NxFileDialogScreens::cleanup()
{
    QCoreApplication::removeTranslator(&m_translator);
}

void tst_NxFileDialogScreens::addRows()
{
    QTest::addColumn<QString>("language");
    for (const QString& language : {QString("zh_CN"), QString("en_US")})
        QTest::newRow(qPrintable(language)) << language;
}

QString tst_NxFileDialogScreens::prepare()
{
    QFETCH(QString, language);
    if (NxScreenCheck::loadLanguage(m_translator, language))
        QCoreApplication::installTranslator(&m_translator);
    else
        qWarning("no translation file for %s", qPrintable(language));
    return "_" + language;
}

// Children reaching outside the window, except rows of a scrolled view,
// which sit beyond the visible part by design.
QStringList tst_NxFileDialogScreens::outsideWindow(QWidget* window)
{
    QStringList outside;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        bool scrolled = false;
        for (QWidget* up = w->parentWidget(); up && up != window && !scrolled; up = up->parentWidget())
            scrolled = qobject_cast<QAbstractScrollArea*>(up) != nullptr;
        const QRect area(w->mapTo(window, QPoint(0, 0)), w->size());
        if (w->isVisible() && !scrolled && !window->rect().contains(area))
            outside.append(w->metaObject()->className() + QString(" ") + w->objectName());
    }
    return outside;
}

void tst_NxFileDialogScreens::shoot(QWidget* window, const QString& name)
{
    const QImage shot = NxScreenCheck::save(window, name);
    QVERIFY2(NxScreenCheck::colourCount(shot) > 8, "blank picture");
    const QStringList clipped = NxScreenCheck::clippedTexts(window);
    QVERIFY2(clipped.isEmpty(), qPrintable("clipped: " + clipped.join("; ")));
    const QStringList keys = NxScreenCheck::untranslatedTexts(window);
    QVERIFY2(keys.isEmpty(), qPrintable("untranslated: " + keys.join("; ")));
    const QStringList outside = outsideWindow(window);
    QVERIFY2(outside.isEmpty(), qPrintable("outside: " + outside.join("; ")));
}

// Opens the dialog at start, lets look inspect it while up, then cancels.
QString tst_NxFileDialogScreens::show(const QString& start, std::function<void(NxFileDialog*)> look, const QString& typed)
{
    QMap<QString, QVariant> params{{"scalefactor", 1.0}};
    NxFileDialog dialog(params, nullptr);
    NxDialogDriver driver(&dialog);
    driver.addStep([&] {
        if (!typed.isEmpty())
            dialog.findChild<QLineEdit*>("filenameedit")->setText(typed);
        look(&dialog);
    });
    driver.addStep([&] { dialog.reject(); });
    driver.start();
    return dialog.GetOpenFilePath(nullptr, RES_MEDIA, "ID_LOCAL_VIDEO", start,
                                  "Media Files(*.mp4 *.mkv *.avi *.mov *.wmv *.png *.txt);;Media Files(*.mp4)");
}

void tst_NxFileDialogScreens::listMode()
{
    const QString suffix = prepare();
    NxRecentFiles::instance().setThumbnailMode(false);
    show("ID_DESKTOP", [&](NxFileDialog* dialog) {
        auto* view = dialog->findChild<NxFileDialogView*>();
        QTRY_VERIFY(view->currentMode()->itemWidget(3));
        QTest::mouseClick(view->currentMode()->itemWidget(3), Qt::LeftButton);
        QTRY_COMPARE(view->pictures()->pendingCount(), 0);
        shoot(dialog, "NxFileDialog_list" + suffix);
    });
}

void tst_NxFileDialogScreens::thumbnailMode()
{
    const QString suffix = prepare();
    show("ID_DESKTOP", [&](NxFileDialog* dialog) {
        dialog->findChild<QPushButton*>("thumbbtn")->click();
        auto* view = dialog->findChild<NxFileDialogView*>();
        QVERIFY(view->isThumbnailMode());
        QTRY_VERIFY(view->currentMode()->itemWidget(5));
        QTest::mouseClick(view->currentMode()->itemWidget(5), Qt::LeftButton);
        QTRY_COMPARE(view->pictures()->pendingCount(), 0);
        shoot(dialog, "NxFileDialog_thumbnails" + suffix);
        dialog->findChild<QPushButton*>("listbtn")->click();
    });
}

void tst_NxFileDialogScreens::recentList()
{
    const QString suffix = prepare();
    for (const char* name : {"Morning assembly.wmv", "clip.mp4", "分数的认识.mp4"})
        NxRecentFiles::instance().add({"ID_DESKTOP", "", QString::fromUtf8(name), "", "", "courseware"});
    show("ID_OPEN_RECENT", [&](NxFileDialog* dialog) {
        QCOMPARE(dialog->currentLocation().strPass, QString("ID_OPEN_RECENT"));
        QTRY_VERIFY(dialog->findChild<NxFileDialogView*>()->currentMode()->itemWidget(2));
        shoot(dialog, "NxFileDialog_recent" + suffix);
        // Tiles show the folder on their second line.
        dialog->findChild<QPushButton*>("thumbbtn")->click();
        QTRY_VERIFY(dialog->findChild<NxFileDialogView*>()->currentMode()->itemWidget(2));
        shoot(dialog, "NxFileDialog_recent_thumbnails" + suffix);
        dialog->findChild<QPushButton*>("listbtn")->click();
    });
}

void tst_NxFileDialogScreens::error()
{
    const QString suffix = prepare();
    QMap<QString, QVariant> params{{"scalefactor", 1.0}};
    NxFileDialog dialog(params, nullptr);
    NxDialogDriver driver(&dialog);
    driver.onMessage([&](NxMessageWidget* message) {
        shoot(message, "NxFileDialog_error" + suffix);
        dialog.reject();
    });
    driver.addStep([&] {
        dialog.findChild<QLineEdit*>("filenameedit")->setText("a|b.mp4");
        dialog.findChild<QWidget*>("filterrow")->findChild<QPushButton*>("okbtn")->click();
    });
    driver.start();
    dialog.GetOpenFilePath(nullptr, RES_MEDIA, "ID_LOCAL_VIDEO", "ID_DESKTOP", QString());
    QCOMPARE(driver.messages.size(), 1);
}

QTEST_MAIN(tst_NxFileDialogScreens)
#include "tst_NxFileDialogScreens.moc"

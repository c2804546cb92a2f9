#include "NxFileDialog.h"
#include "NxFileDialogFixture.h"
#include "NxFileDialogView.h"
#include "NxFileDialogViewMode.h"
#include "NxFileItemWidget.h"
#include "NxFilePictures.h"
#include "NxMessageWidget.h"
#include "NxRecentFiles.h"
#include "INxWindows.h"
#include "NxFontSetup.h"
#include "NxPlatform.h"
#include "NxScreenCheck.h"
#include "NxSecWindow.h"
#include "NxX11Session.h"

#include <QAbstractScrollArea>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTranslator>
#include <QtTest>

#include <xcb/xcb.h>

#include <cstdlib>

namespace {

// Holds the compositing manager's selection of the default screen, as a
// compositing manager does, until destroyed.
class NxCompositorClaim
{
public:
    NxCompositorClaim()
    {
        int screen = 0;
        m_connection = xcb_connect(nullptr, &screen);
        const xcb_setup_t* setup = xcb_get_setup(m_connection);
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(setup);
        for (int i = 0; i < screen; ++i)
            xcb_screen_next(&it);
        const xcb_window_t window = xcb_generate_id(m_connection);
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, window, it.data->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(screen);
        xcb_intern_atom_reply_t* atom
            = xcb_intern_atom_reply(m_connection, xcb_intern_atom(m_connection, 0, uint16_t(name.size()), name.constData()), nullptr);
        xcb_set_selection_owner(m_connection, window, atom->atom, XCB_CURRENT_TIME);
        // A round trip: the server has handled the claim when this returns.
        free(xcb_get_selection_owner_reply(m_connection, xcb_get_selection_owner(m_connection, atom->atom), nullptr));
        free(atom);
    }
    ~NxCompositorClaim() { xcb_disconnect(m_connection); }

private:
    xcb_connection_t* m_connection = nullptr;
};

} // namespace

// The file dialog offscreen in both languages with real files: the list,
// the thumbnails, the recent list and an error. Each picture is saved for
// review and checked for clipped, untranslated or escaping texts.
class tst_NxFileDialogScreens : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void listMode_data() { NxScreenCheck::addLanguageRows(); }
    void listMode();
    void thumbnailMode_data() { NxScreenCheck::addLanguageRows(); }
    void thumbnailMode();
    void recentList_data() { NxScreenCheck::addLanguageRows(); }
    void recentList();
    void error_data() { NxScreenCheck::addLanguageRows(); }
    void error();
    void noBlackFrameWithoutCompositor_data();
    void noBlackFrameWithoutCompositor();

private:
    QString prepare();
    void shoot(QWidget* window, const QString& name);
    static QStringList outsideWindow(QWidget* window);
    QString show(const QString& start, std::function<void(NxFileDialog*)> look, const QString& typed = QString());
    static void checkNoBlackFrame(QWidget* window, int band, const QString& name);

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

QString tst_NxFileDialogScreens::prepare()
{
    return NxScreenCheck::prepareLanguage(m_translator);
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
    const QStringList faults = NxScreenCheck::faults(window, NxScreenCheck::Clipped | NxScreenCheck::Untranslated);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
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

void tst_NxFileDialogScreens::noBlackFrameWithoutCompositor_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::newRow("file dialog") << "file";
    QTest::newRow("its message") << "message";
    QTest::newRow("live notice") << "notice";
}

// A desktop without a compositing manager (openbox on Xvfb) shows the
// see-through shadow margins and corners of a window black: there the
// dialogs are cut to their panels. Only the x11 run has such a desktop;
// offscreen, windows are composed in memory with their alpha.
void tst_NxFileDialogScreens::noBlackFrameWithoutCompositor()
{
    QFETCH(QString, dialog);
    if (QGuiApplication::platformName() != "xcb")
        QSKIP("needs an X11 desktop: the x11 run of this test");
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    NxX11Session session;
    QVERIFY2(session.problem().isEmpty(), qPrintable(session.problem()));
    qputenv("XDG_CONFIG_HOME", config); // the dialog's desktop folder stays the test's
    QVERIFY(!NxPlatform::windows()->hasCompositing());
    {
        NxCompositorClaim compositor;
        QVERIFY(NxPlatform::windows()->hasCompositing());
    }
    QTRY_VERIFY(!NxPlatform::windows()->hasCompositing());

    // A backdrop neither black nor white, as the home page is.
    QWidget backdrop;
    backdrop.setStyleSheet("background:#3c4a8c");
    backdrop.setGeometry(QGuiApplication::primaryScreen()->geometry());
    backdrop.show();
    QVERIFY(QTest::qWaitForWindowExposed(&backdrop));
    const QString name = "NxDialog_no_compositor_" + dialog;
    if (dialog == "file") {
        show("ID_DESKTOP", [&](NxFileDialog* d) { checkNoBlackFrame(d, 8, name); });
    } else if (dialog == "message") {
        QMap<QString, QVariant> params{{"scalefactor", 1.0}};
        NxFileDialog files(params, nullptr);
        NxDialogDriver driver(&files);
        driver.onMessage([&](NxMessageWidget* message) {
            checkNoBlackFrame(message, 3, name);
            files.reject();
        });
        driver.addStep([&] {
            files.findChild<QLineEdit*>("filenameedit")->setText("a|b.mp4");
            files.findChild<QWidget*>("filterrow")->findChild<QPushButton*>("okbtn")->click();
        });
        driver.start();
        files.GetOpenFilePath(nullptr, RES_MEDIA, "ID_LOCAL_VIDEO", "ID_DESKTOP", QString());
        QCOMPARE(driver.messages.size(), 1);
    } else {
        QPointer<NxSecWindow> notice = new NxSecWindow(nullptr);
        notice->show();
        checkNoBlackFrame(notice, 7, name);
        notice->closeWin();
    }
}

// Reads the screen back around the shown window: no black in its outer band.
void tst_NxFileDialogScreens::checkNoBlackFrame(QWidget* window, int band, const QString& name)
{
    QVERIFY(QTest::qWaitForWindowExposed(window));
    // Where the X server has it: Qt's own idea of a fresh window's place is
    // at times still 0,0 under openbox.
    const QRect area = NxPlatform::windows()->geometry(window->winId());
    QImage screen;
    // Placed by the window manager and painted: its middle line on screen is
    // the line the window draws.
    const QRect line(area.width() / 4, area.height() / 2, area.width() / 2, 1);
    QTRY_VERIFY_WITH_TIMEOUT((screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32),
                              screen.copy(line.translated(area.topLeft()))
                                  == window->grab(line).toImage().convertToFormat(QImage::Format_RGB32)),
                             5000);
    NxScreenCheck::saveImage(screen.copy(area.adjusted(-24, -24, 24, 24)), name);
    const QRect inner = area.adjusted(band, band, -band, -band);
    int black = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = screen.pixel(x, y);
            black += !inner.contains(x, y) && qRed(p) < 20 && qGreen(p) < 20 && qBlue(p) < 20;
        }
    QVERIFY2(black == 0, qPrintable(QString("%1 black pixels in the outer %2 pixels").arg(black).arg(band)));
}

QTEST_MAIN(tst_NxFileDialogScreens)
#include "tst_NxFileDialogScreens.moc"

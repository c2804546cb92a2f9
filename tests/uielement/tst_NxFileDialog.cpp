#include "NxCloudUtils.h"
#include "NxConfig.h"
#include "NxFileDialogViewInitMode.h"
#include "NxFileDialog.h"
#include "NxFileDialogFixture.h"
#include "NxFileDialogView.h"
#include "NxFileDialogViewMode.h"
#include "NxFileFilters.h"
#include "NxFileItemWidget.h"
#include "NxFilePictures.h"
#include "NxFilePlaces.h"
#include "NxLocalMediaOpener.h"
#include "NxLocalPlayer.h"
#include "NxPlatform.h"
#include "NxRecentFiles.h"
#include "NxTestEnvironment.h"
#include "NxThumbnailMaker.h"
#include "NxToolTipHelp.h"

#include <QComboBox>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <sys/stat.h>

#include <memory>

// Stands in for the main window: it carries the USB signal.
class NxTestMainWindow : public QWidget
{
    Q_OBJECT

signals:
    void signalUDiskStateChanged(QString str, bool flag);
};

// The file dialog and the opening of local videos on real files: start
// places, USB sticks through the platform's drives, typed names, saving,
// the recent-file store, filters and pictures.
class tst_NxFileDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void startLocation_data();
    void startLocation();
    void sticksWhileOpen();
    void names_data();
    void names();
    void cancelRecordsNothing();
    void doubleTapIntoFolder();
    void multiSelection();
    void save_data();
    void save();
    void recentFiles();
    void recentOpensTheTappedRow_data();
    void recentOpensTheTappedRow();
    void filterTable_data();
    void filterTable();
    void choosingFilterChangesListing();
    void pictureReading_data();
    void pictureReading();
    void picturesAreBounded();
    void cloudPlaces_data();
    void cloudPlaces();
    void localVideo();
    void localVideoWithoutPlayer();

private:
    // Runs the dialog at start with the steps; returns what it gives back.
    QString run(const QString& start, const QList<std::function<void()> >& steps, int mode = 0, bool answerOk = true);
    void type(const QString& text);
    void pressOk();
    void doubleClick(const QString& name);
    NxFileItemWidget* row(const QString& name) const;
    QString diskOf(const QString& relative) const { return NxFilePlaces::diskPass(m_world->path(relative)); }

    std::unique_ptr<NxFileWorld> m_world;
    std::unique_ptr<NxFileDialog> m_dialog;
    QStringList m_messages;
};

void tst_NxFileDialog::init()
{
    m_world.reset(new NxFileWorld);
    qputenv("HOME", m_world->path("home").toUtf8());
    qputenv("XDG_CONFIG_HOME", m_world->path("home/.config").toUtf8());
    qputenv("ALLUSERSPROFILE", m_world->path("data").toUtf8());
    qApp->setProperty("recentFileDir", m_world->path("recent/"));
    NxFileDialog::reset();
    m_world->drives.add(m_world->path("disk"), INxDrives::Type::Fixed, false);
    m_world->touch("disk/Video/clip.mp4");
    m_world->touch("disk/Video/clip-notes.txt");
    m_world->touch("home/Desktop/lesson.mp4");
    QMap<QString, QVariant> params{{"scalefactor", 1.0}};
    m_dialog.reset(new NxFileDialog(params, nullptr));
    m_messages.clear();
}

void tst_NxFileDialog::cleanup()
{
    m_dialog.reset();
    m_world.reset();
}

QString tst_NxFileDialog::run(const QString& start, const QList<std::function<void()> >& steps, int mode, bool answerOk)
{
    NxDialogDriver driver(m_dialog.get());
    driver.setAnswer(answerOk);
    for (const auto& step : steps)
        driver.addStep(step);
    driver.start();
    const QString filter = "Media Files(*.mp4 *.txt);;Media Files(*.mp4)";
    const QString chosen = mode == 1 ? m_dialog->GetSaveFilePath(nullptr, RES_MEDIA, "ID_LOCAL_VIDEO", start, filter)
                                     : m_dialog->GetOpenFilePath(nullptr, RES_MEDIA, "ID_LOCAL_VIDEO", start, filter);
    m_messages = driver.messages;
    return chosen;
}

void tst_NxFileDialog::type(const QString& text)
{
    m_dialog->findChild<QLineEdit*>("filenameedit")->setText(text);
}

void tst_NxFileDialog::pressOk()
{
    m_dialog->findChild<QWidget*>("filterrow")->findChild<QPushButton*>("okbtn")->click();
}

NxFileItemWidget* tst_NxFileDialog::row(const QString& name) const
{
    NxFileDialogViewMode* mode = m_dialog->findChild<NxFileDialogView*>()->currentMode();
    for (int i = 0; i < mode->count(); ++i) {
        NxFileItemWidget* item = mode->itemWidget(i);
        if (item && item->entry().name == name)
            return item;
    }
    return nullptr;
}

void tst_NxFileDialog::doubleClick(const QString& name)
{
    NxFileItemWidget* item = row(name);
    QVERIFY2(item, qPrintable("no entry " + name));
    QTest::mouseDClick(item, Qt::LeftButton);
}

void tst_NxFileDialog::startLocation_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pass");
    QTest::addColumn<QString>("path");
    QTest::newRow("drive letter") << "D:/Video" << "ID_DISKD:" << "Video";
    QTest::newRow("lower-case drive") << "e:/Lessons/Unit 1/" << "ID_DISKE:" << "Lessons/Unit 1";
    QTest::newRow("named place") << "ID_MY_PICTURE" << "ID_MY_PICTURE" << "";
    QTest::newRow("directory on a volume") << "@disk/Video" << "@disk" << "Video";
    QTest::newRow("volume root") << "@disk" << "@disk" << "";
    QTest::newRow("deeper volume wins") << "@disk/stick/Clips" << "@disk/stick" << "Clips";
}

void tst_NxFileDialog::startLocation()
{
    QFETCH(QString, text);
    QFETCH(QString, pass);
    QFETCH(QString, path);
    const auto resolve = [this](QString s) { return s.replace("@disk", m_world->path("disk")); };
    const QStringList drives{"/", m_world->path("disk"), m_world->path("disk/stick")};
    const HistoryDir start = NxFilePlaces::startLocation(resolve(text), drives);
    const QString expected = pass.startsWith("@") ? NxFilePlaces::diskPass(resolve(pass)) : pass;
    QCOMPARE(start.strPass, expected);
    QCOMPARE(start.strPath, path);
}

void tst_NxFileDialog::sticksWhileOpen()
{
    m_world->touch("stickA/a.mp4");
    m_world->touch("stickB/b.mp4");
    QStringList seen;
    const auto plug = [&](const QString& stick, bool in) {
        if (in)
            m_world->drives.add(m_world->path(stick), INxDrives::Type::Removable, true);
        else
            m_world->drives.remove(m_world->path(stick));
        m_dialog->updateUDisk(m_world->path(stick), !in);
        seen << m_dialog->currentLocation().strPass;
    };
    run("ID_DESKTOP", {[&] { plug("stickA", true); },
                       [&] {
                           // The new stick has its place and is listed.
                           QVERIFY(m_dialog->findChild<QWidget*>(diskOf("stickA")));
                           QCOMPARE(m_dialog->findChild<NxFileDialogView*>()->currentMode()->count(), 1);
                           plug("stickB", true);
                       },
                       [&] { plug("stickB", false); }, [&] { plug("stickA", false); },
                       [&] {
                           QVERIFY(!m_dialog->findChild<QWidget*>(diskOf("stickA")));
                           plug("stickA", true);
                           QTest::mouseClick(m_dialog->findChild<QPushButton*>("ID_MY_DOCUMENTS"), Qt::LeftButton);
                           plug("stickA", false); // not on screen: the dialog stays
                       },
                       [&] { m_dialog->reject(); }});
    QCOMPARE(seen, QStringList({diskOf("stickA"), diskOf("stickB"), diskOf("stickA"), "ID_DESKTOP", diskOf("stickA"),
                                "ID_MY_DOCUMENTS"}));
}

void tst_NxFileDialog::names_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("shaken");
    QTest::newRow("base name of a listed file") << "clip" << "disk/Video/clip.mp4" << "" << false;
    QTest::newRow("full name") << "clip.mp4" << "disk/Video/clip.mp4" << "" << false;
    QTest::newRow("vertical bar") << "cl|ip.mp4" << "" << "ID_RES_SPECIAL" << false;
    QTest::newRow("question mark") << "clip?.mp4" << "" << "ID_RES_SPECIAL" << false;
    QTest::newRow("empty") << "" << "" << "ID_RES_SELECTFILE" << false;
    QTest::newRow("not there") << "other.mp4" << "" << "ID_RES_FILEISNOTEXIT" << false;
    QTest::newRow("base name not listed") << "other" << "" << "ID_RES_FILEISNOTEXIT" << false;
    QTest::newRow("program outside the filter") << "setup.exe" << "" << "" << true;
    QTest::newRow("upper-case suffix inside the filter") << "LESSON.MP4" << "disk/Video/LESSON.MP4" << "" << false;
}

void tst_NxFileDialog::names()
{
    QFETCH(QString, typed);
    QFETCH(QString, opened);
    QFETCH(QString, message);
    QFETCH(bool, shaken);
    m_world->touch("disk/Video/setup.exe");
    m_world->touch("disk/Video/LESSON.MP4");
    bool shook = false;
    QString kept;
    const QString chosen = run(m_world->path("disk/Video"), {[&] {
                                   QCOMPARE(m_dialog->currentLocation().strPath, QString("Video"));
                                   type(typed);
                                   // With no name the OK button is off; Return still confirms.
                                   QPushButton* ok = m_dialog->findChild<QWidget*>("filterrow")->findChild<QPushButton*>("okbtn");
                                   QCOMPARE(ok->isEnabled(), !typed.isEmpty());
                                   if (typed.isEmpty())
                                       QTest::keyClick(m_dialog.get(), Qt::Key_Return);
                                   else
                                       pressOk();
                                   shook = m_dialog->findChild<QPropertyAnimation*>() != nullptr;
                                   kept = m_dialog->findChild<QLineEdit*>("filenameedit")->text();
                               },
                               [&] { m_dialog->reject(); }});
    QCOMPARE(chosen, opened.isEmpty() ? QString() : m_world->path(opened));
    QCOMPARE(m_messages, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(shook, shaken);
    if (opened.isEmpty())
        QCOMPARE(kept, typed);
    QCOMPARE(NxRecentFiles::instance().entries("courseware").size(), opened.isEmpty() ? 0 : 1);
}

void tst_NxFileDialog::cancelRecordsNothing()
{
    const QString chosen = run(m_world->path("disk/Video"), {[&] {
        type("clip.mp4");
        m_dialog->findChild<QPushButton*>("cancelbtn")->click();
    }});
    QVERIFY(chosen.isEmpty());
    QVERIFY(NxRecentFiles::instance().entries("courseware").isEmpty());
    QVERIFY(!QFile::exists(NxRecentFiles::filePath("courseware")));
    // Double-clicking a file opens it and records it.
    QCOMPARE(run(m_world->path("disk/Video"), {[&] { doubleClick("clip.mp4"); }}), m_world->path("disk/Video/clip.mp4"));
    QCOMPARE(NxRecentFiles::instance().entries("courseware").first().strName, QString("clip.mp4"));
}

// The folder's row is let go when the listing is rebuilt inside its own
// double tap: it must outlive that signal (a sanitizer build sees any touch).
void tst_NxFileDialog::doubleTapIntoFolder()
{
    m_world->touch("disk/Video/Unit 1/lesson1.mp4");
    QPointer<NxFileItemWidget> folder;
    const QString chosen = run(m_world->path("disk/Video"), {[&] {
                                   folder = row("Unit 1");
                                   QVERIFY(folder);
                                   QTest::mouseDClick(folder, Qt::LeftButton);
                                   QCOMPARE(m_dialog->currentLocation().strPath, QString("Video/Unit 1"));
                                   QVERIFY(folder);
                               },
                               [&] {
                                   QVERIFY(!folder); // gone once the event loop ran
                                   doubleClick("lesson1.mp4");
                               }});
    QCOMPARE(chosen, m_world->path("disk/Video/Unit 1/lesson1.mp4"));
}

void tst_NxFileDialog::multiSelection()
{
    m_dialog->setMultiSelectMode();
    QStringList names;
    QStringList chosen;
    const auto edit = [&] { return m_dialog->findChild<QLineEdit*>("filenameedit")->text(); };
    NxDialogDriver driver(m_dialog.get());
    driver.addStep([&] {
        NxFileDialogViewMode* mode = m_dialog->findChild<NxFileDialogView*>()->currentMode();
        QTest::mouseClick(mode->itemWidget(0), Qt::LeftButton);
        QTest::mouseClick(mode->itemWidget(1), Qt::LeftButton);
        names << edit();
        QTest::mouseClick(mode->itemWidget(0), Qt::LeftButton);
        names << edit();
        // A tap on empty space clears the choice; Ctrl+A takes everything.
        QWidget* canvas = mode->findChild<QWidget*>("filelist");
        QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(10, canvas->height() - 5));
        names << edit();
        QTest::keyClick(m_dialog.get(), Qt::Key_A, Qt::ControlModifier);
        names << edit();
        pressOk();
    });
    driver.start();
    chosen = m_dialog->GetInsertFilePathMultiSel(nullptr, RES_MEDIA, "ID_LOCAL_VIDEO", m_world->path("disk/Video"),
                                                 "Media Files(*.mp4 *.txt)");
    QCOMPARE(names, QStringList({"clip-notes.txt/clip.mp4", "clip.mp4", "", "clip-notes.txt/clip.mp4"}));
    QCOMPARE(chosen, QStringList({m_world->path("disk/Video/clip-notes.txt"), m_world->path("disk/Video/clip.mp4")}));
    QCOMPARE(NxRecentFiles::instance().entries("courseware").size(), 2);
}

void tst_NxFileDialog::save_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("answerOk");
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("place"); // tapped before typing
    QTest::newRow("new name gets the suffix") << "report" << false << true << "disk/Video/report.mp4" << QStringList() << "";
    QTest::newRow("read-only folder") << "report.mp4" << true << true << "" << QStringList{"ID_FILE_SAVE_DISK_READONLY"} << "";
    QTest::newRow("overwrite confirmed") << "clip" << false << true << "disk/Video/clip.mp4" << QStringList{"ID_RES_FILEEXIT"} << "";
    QTest::newRow("overwrite refused") << "clip.mp4" << false << false << "" << QStringList{"ID_RES_FILEEXIT"} << "";
    QTest::newRow("recent list shown: the last real folder") << "report" << false << true << "disk/Video/report.mp4"
                                                             << QStringList() << "ID_OPEN_RECENT";
}

void tst_NxFileDialog::save()
{
    QFETCH(QString, typed);
    QFETCH(bool, readOnly);
    QFETCH(bool, answerOk);
    QFETCH(QString, saved);
    QFETCH(QStringList, messages);
    QFETCH(QString, place);
    std::unique_ptr<NxReadOnlyFolder> locked;
    if (readOnly) {
        locked.reset(new NxReadOnlyFolder(m_world->path("disk/Video")));
        if (!locked->isReadOnly())
            QSKIP("this system lets the test write into any folder");
    }
    const QString chosen = run(m_world->path("disk/Video"), {[&] {
                                   if (!place.isEmpty())
                                       QTest::mouseClick(m_dialog->findChild<QPushButton*>(place), Qt::LeftButton);
                                   type(typed);
                                   pressOk();
                               },
                               [&] { m_dialog->reject(); }},
                               1, answerOk);
    QCOMPARE(chosen, saved.isEmpty() ? QString() : m_world->path(saved));
    QCOMPARE(m_dialog->GetSaveStatus(), !saved.isEmpty());
    QCOMPARE(m_messages, messages);
    // The probe never leaves a file behind.
    QCOMPARE(QDir(m_world->path("disk/Video")).entryList(QDir::Files).size(), 2);
}

void tst_NxFileDialog::recentFiles()
{
    NxRecentFiles& store = NxRecentFiles::instance();
    for (int i = 0; i <= 20; ++i)
        store.add({"ID_DESKTOP", "", QString("f%1.mp4").arg(i), "", "", "courseware"});
    store.add({"ID_DESKTOP", "", "f5.mp4", "", "", "video"});
    store.add({"ID_MY_PICTURE", "", "p.png", "", "", "image"});
    const QString path = NxRecentFiles::filePath("courseware");
    QCOMPARE(NxCloudUtils::getJsonArray(path).size(), 20);
    store.reload();
    const QList<NxRecentFiles::Entry> entries = store.entries("courseware");
    QCOMPARE(entries.size(), 20);
    QCOMPARE(entries.first().strName, QString("f5.mp4"));
    QCOMPARE(entries.at(1).strName, QString("f20.mp4"));
    QCOMPARE(entries.last().strName, QString("f1.mp4"));
    QCOMPARE(std::count_if(entries.begin(), entries.end(), [](const NxRecentFiles::Entry& e) { return e.strName == "f5.mp4"; }), 1L);
    QCOMPARE(store.entries("image").size(), 1);

    // A damaged list starts empty and is replaced by the next save.
    QFile damaged(path);
    QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.write("[{\"strName\": \"f1.mp4\",");
    damaged.close();
    store.reload();
    QVERIFY(store.entries("courseware").isEmpty());
    store.add({"ID_DESKTOP", "", "new.mp4", "", "", "courseware"});
    QCOMPARE(NxCloudUtils::getJsonArray(path).size(), 1);

    // A write that cannot happen keeps the old list.
    const QByteArray before = [&] { QFile f(path); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    NxReadOnlyFolder locked(QFileInfo(path).absolutePath());
    if (!locked.isReadOnly())
        QSKIP("this system lets the test write into any folder");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^writeJson error\\."));
    NxCloudUtils::writeJsonArray(path, QJsonArray{QJsonObject{{"strName", "lost.mp4"}}});
    QFile after(path);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), before);
}

void tst_NxFileDialog::recentOpensTheTappedRow_data()
{
    QTest::addColumn<bool>("multi");
    QTest::addColumn<QList<int> >("taps"); // rows: Unit2/video.mp4, Unit1/video.mp4, lesson.mp4
    QTest::addColumn<QStringList>("opened");
    QTest::newRow("second of one name") << false << QList<int>{1} << QStringList{"disk/Unit1/video.mp4"};
    QTest::newRow("both of one name, multi-selection")
        << true << QList<int>{1, 0} << QStringList{"disk/Unit2/video.mp4", "disk/Unit1/video.mp4"};
}

// Rows of the recent list come from many folders: each opens its own file,
// shows its folder, and one file reached through two places is one row.
void tst_NxFileDialog::recentOpensTheTappedRow()
{
    QFETCH(bool, multi);
    QFETCH(QList<int>, taps);
    QFETCH(QStringList, opened);
    m_world->touch("disk/Unit1/video.mp4");
    m_world->touch("disk/Unit2/video.mp4");
    m_world->drives.add(m_world->path("home"), INxDrives::Type::Fixed, false);
    NxRecentFiles& store = NxRecentFiles::instance();
    store.add({"ID_DESKTOP", "", "lesson.mp4", "", "", "courseware"});
    store.add({NxFilePlaces::diskPass(m_world->path("home")), "Desktop", "lesson.mp4", "", "", "courseware"});
    store.add({diskOf("disk"), "Unit1", "video.mp4", "", "", "courseware"});
    store.add({diskOf("disk"), "Unit2", "video.mp4", "", "", "courseware"});
    QCOMPARE(store.entries("courseware").size(), 3);

    QStringList folders;
    NxDialogDriver driver(m_dialog.get());
    driver.addStep([&] {
        // Opening a file made its folder the start: go to the list.
        QTest::mouseClick(m_dialog->findChild<QPushButton*>("ID_OPEN_RECENT"), Qt::LeftButton);
        NxFileDialogViewMode* mode = m_dialog->findChild<NxFileDialogView*>()->currentMode();
        QCOMPARE(mode->count(), 3);
        for (int i = 0; i < mode->count(); ++i) {
            const QLabel* folder = mode->itemWidget(i)->findChild<QLabel*>("itemfolder");
            folders << (folder ? folder->toolTip() : QString());
        }
        for (int i : taps)
            QTest::mouseClick(mode->itemWidget(i), Qt::LeftButton);
        pressOk();
    });
    driver.addStep([&] { m_dialog->reject(); });
    driver.start();
    QStringList chosen;
    if (multi) {
        m_dialog->setMultiSelectMode();
        chosen = m_dialog->GetInsertFilePathMultiSel(nullptr, RES_MEDIA, "ID_LOCAL_VIDEO", "ID_OPEN_RECENT", QString());
    } else {
        chosen << m_dialog->GetOpenFilePath(nullptr, RES_MEDIA, "ID_LOCAL_VIDEO", "ID_OPEN_RECENT", QString());
    }
    QStringList expected;
    for (const QString& file : opened)
        expected << m_world->path(file);
    QCOMPARE(chosen, expected);
    QCOMPARE(folders, QStringList({QDir::toNativeSeparators(m_world->path("disk/Unit2")),
                                   QDir::toNativeSeparators(m_world->path("disk/Unit1")),
                                   QDir::toNativeSeparators(m_world->path("home/Desktop"))}));
}

void tst_NxFileDialog::filterTable_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("filter");
    QTest::newRow("0") << 0 << "Audio Files(*.mp3 *.wav *.wma);;Audio Files(*.mp3);;Audio Files(*.wav);;Audio Files(*.wma)";
    QString media = "Media Files(*.wmv *.avi *.mov *.mpeg *.mpg *.rm *.rmvb *.asf *.mp4 *.flv *.mkv *.vob *.swf)";
    for (const char* ext : {"swf", "vob", "mkv", "flv", "mp4", "asf", "rmvb", "rm", "mpg", "mpeg", "mov", "avi", "wmv"})
        media += QString(";;Media Files(*.%1)").arg(ext);
    QTest::newRow("1") << 1 << media;
    QString image = "Image Files(*.bmp *.cur *.dib *.ico *.gif *.jpg *.jpeg *.jpe *.jfif *.png)";
    for (const char* ext : {"png", "jfif", "jpe", "jpeg", "jpg", "gif", "ico", "dib", "cur", "bmp"})
        image += QString(";;Image Files(*.%1)").arg(ext);
    QTest::newRow("2") << 2 << image;
    QTest::newRow("10") << 10 << image;
    QTest::newRow("12") << 12 << image;
    QString doc = "Doc Files(*.pptx *.ppt *.pdf *.doc *.docx *.xlsx *.xls *.wps *.dps *.et *.kl)";
    for (const char* ext : {"pptx", "ppt", "pdf", "doc", "docx", "xlsx", "xls", "wps", "dps", "et", "kl"})
        doc += QString(";;Doc Files(*.%1)").arg(ext);
    QTest::newRow("3") << 3 << doc;
    QString sheet = "Sheet Files(*.pptx *.ppt *.pdf *.doc *.docx *.xlsx *.xls)";
    for (const char* ext : {"pptx", "ppt", "pdf", "doc", "docx", "xlsx", "xls"})
        sheet += QString(";;Sheet Files(*.%1)").arg(ext);
    QTest::newRow("4") << 4 << sheet;
    QTest::newRow("5") << 5 << "Flash Files(*.swf)";
    QTest::newRow("6") << 6 << "Files(*.pdf)";
    QTest::newRow("7") << 7 << "Files(*.nxtx)";
    QTest::newRow("8") << 8 << "Files(*.png)";
    QTest::newRow("9") << 9 << "Doc Files(*.pptx *.iwb *.pdf);;PPT Files(*.pptx);;PDF Files(*.pdf);;IWB Files(*.iwb))";
    QTest::newRow("11") << 11 << "ID_FILE_COURSE (*.nxtx)";
}

void tst_NxFileDialog::filterTable()
{
    QFETCH(int, type);
    QFETCH(QString, filter);
    QCOMPARE(NxFileFilters::filterFor(type), filter);
}

void tst_NxFileDialog::choosingFilterChangesListing()
{
    QStringList listed;
    const auto names = [&] {
        NxFileDialogViewMode* mode = m_dialog->findChild<NxFileDialogView*>()->currentMode();
        QStringList all;
        for (int i = 0; i < mode->count(); ++i)
            all << m_dialog->findChild<NxFileDialogView*>()->entries()->at(i).name;
        return all.join(",");
    };
    run(m_world->path("disk/Video"), {[&] {
                                          listed << names();
                                          auto* box = m_dialog->findChild<QComboBox*>("filtercomb");
                                          QCOMPARE(box->count(), 2);
                                          emit box->activated(1);
                                          listed << names();
                                      },
                                      [&] { m_dialog->reject(); }});
    QCOMPARE(listed, QStringList({"clip-notes.txt,clip.mp4", "clip.mp4"}));
}

namespace {

quint32 crc32(const QByteArray& data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (char byte : data) {
        crc ^= quint8(byte);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A PNG that declares its size and holds almost nothing after that.
QByteArray pngDeclaring(quint32 width, quint32 height)
{
    QByteArray chunk("IHDR");
    QDataStream(&chunk, QIODevice::Append) << width << height << quint8(8) << quint8(2) << quint8(0) << quint8(0) << quint8(0);
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    QDataStream out(&png, QIODevice::Append);
    out << quint32(13);
    out.writeRawData(chunk.constData(), chunk.size());
    out << crc32(chunk);
    return png;
}

} // namespace

void tst_NxFileDialog::pictureReading_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QSize>("read");
    QTest::newRow("large, scaled as read") << 2000 << 1000 << QSize(86, 43);
    QTest::newRow("tall") << 300 << 600 << QSize(43, 86);
    QTest::newRow("small, as it is") << 40 << 30 << QSize(40, 30);
    QTest::newRow("huge declared size") << 100000 << 100000 << QSize();
    QTest::newRow("named pipe") << -1 << -1 << QSize();
}

void tst_NxFileDialog::pictureReading()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QSize, read);
    QString path = read.isValid() ? m_world->picture("pic.png", width, height, Qt::darkCyan)
                                  : m_world->touch("pic.png", pngDeclaring(qMax(width, 1), qMax(height, 1)));
    if (width < 0) {
        QVERIFY(QFile::remove(path));
        QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    }
    const QImage image = NxThumbnailMaker::read(path, 86);
    QCOMPARE(image.size(), read.isValid() ? read : QSize(0, 0));
    QVERIFY(image.isNull() != read.isValid());
}

// Scrolling through a large picture folder: the thumbnails kept stay within
// their bound, the newest are kept, one let go is read again on return.
void tst_NxFileDialog::picturesAreBounded()
{
    const int count = 40;
    QVector<NxFileEntry> entries(count);
    for (int i = 0; i < count; ++i) {
        entries[i].name = QString("board%1.png").arg(i);
        entries[i].fullPath = m_world->picture("pictures/" + entries[i].name, 200, 200, Qt::darkCyan);
    }
    NxFilePictures pictures(nullptr, 1.0);
    pictures.reset(true);
    QSignalSpy made(&pictures, &NxFilePictures::sigPixmapCreated);
    const QSize side(86, 86);
    pictures.picture(0, entries[0], side);
    QVERIFY(made.wait());
    const QPixmap first = made.first().at(1).value<QPixmap>();
    const int one = first.width() * first.height() * first.depth() / 8;
    QVERIFY(one > 0);
    pictures.setByteLimit(10 * one);
    for (int i = 1; i < count; ++i)
        pictures.picture(i, entries[i], side);
    QTRY_COMPARE(made.size(), count);
    QVERIFY2(pictures.cachedBytes() <= 10 * one, qPrintable(QString::number(pictures.cachedBytes())));
    QVERIFY(pictures.cachedBytes() >= 9 * one);
    pictures.picture(count - 1, entries[count - 1], side);
    QCOMPARE(pictures.pendingCount(), 0);
    pictures.picture(0, entries[0], side);
    QCOMPARE(pictures.pendingCount(), 1);
    QTRY_COMPARE(made.size(), count + 1);
    QCOMPARE(made.last().first().toString(), QString("0"));
}

void tst_NxFileDialog::cloudPlaces_data()
{
    QTest::addColumn<QString>("pass");
    QTest::addColumn<QString>("request");
    QTest::addColumn<QJsonObject>("reply");
    QTest::addColumn<QStringList>("rows"); // name|date|size
    QTest::addColumn<QString>("opened");   // the cloud path asked for
    const QJsonObject disk{
        {"success", true},
        {"data", QJsonObject{{"folders", QJsonArray{QJsonObject{{"Folder_Name", "Units"}, {"Folder_Date", "2024/05/01 08:30:00"},
                                                                 {"Folder_ID", "f1"}, {"User_id", "u"}, {"full_path", "Units"}}}},
                             {"files", QJsonArray{QJsonObject{{"F_ID", "9"}, {"F_Filename", "clip"}, {"F_Ext", "mp4"},
                                                              {"F_Filesize", 1536}, {"F_Filedate", "2024-05-02 17:05:09"},
                                                              {"F_Url", "http://127.0.0.1/f/9"}, {"f_source", "pan"}}}}}}};
    QTest::newRow("cloud disk") << "ID_OPEN_CLOUD" << "api/pan/files" << disk
                                << QStringList({"Units|2024-5-1 8:30|", "clip.mp4|2024-5-2 17:05|1.5KB"}) << "clip.mp4";
    const QJsonObject resources{
        {"success", true},
        {"data", QJsonObject{{"resInfo", QJsonArray{QJsonObject{{"isForder", true}, {"col_name", "Saved"}, {"col_date", "2024-01-09 10:00:00"},
                                                                {"col_id", "c1"}},
                                                    QJsonObject{{"isForder", false}, {"col_date", "2024/01/10 09:15:00"}, {"col_id", "c2"},
                                                                {"file_full_path", "res/volcano.mp4"}, {"R_Title", "volcano"},
                                                                {"R_Filetype", "mp4"}, {"R_Size", "2048"}, {"R_url", "http://x"}}}}}}};
    QTest::newRow("saved resources") << "ID_CLOUD_RESOURCE" << "api/rescollect/collectlist" << resources
                                     << QStringList({"Saved|2024-1-9 10:00|", "volcano.mp4|2024-1-10 9:15|2.0KB"})
                                     << "res/volcano.mp4";
}

// Nothing in this system asks the cloud for these listings; they are fed
// to the dialog as the cloud client would deliver them.
void tst_NxFileDialog::cloudPlaces()
{
    QFETCH(QString, pass);
    QFETCH(QString, request);
    QFETCH(QJsonObject, reply);
    QFETCH(QStringList, rows);
    QFETCH(QString, opened);
    NxConfig::getInstance()->setNetworkStatus(true);
    QMap<QString, QVariant> params{{"scalefactor", 1.0}, {"isCloud", true}};
    m_dialog.reset(new NxFileDialog(params, nullptr));
    QSignalSpy login(m_dialog.get(), &NxFileDialog::sigShowLoginWindow);
    QSignalSpy clicked(m_dialog.get(), &NxFileDialog::signalClickCloudResource);
    // Where downloads land: the caller still needs the chosen one.
    const QString local = m_world->path("data/Maplo/temp/cloud/file.mp4");
    QStringList prompts, listed;
    auto* view = m_dialog->findChild<NxFileDialogView*>();
    const auto feed = [&](const QString& slot, auto... args) {
        QVERIFY(QMetaObject::invokeMethod(m_dialog.get(), slot.toLatin1().constData(), args...));
    };
    const QString chosen = run("ID_DESKTOP", {[&] {
        QTest::mouseClick(m_dialog->findChild<QPushButton*>(pass), Qt::LeftButton);
        prompts << view->initMode()->message();
        m_dialog->findChild<QPushButton*>("loginbtn")->click();
        feed("sltLoginStateChanged", Q_ARG(LoginState, LOGIN_IN));
        prompts << view->initMode()->message();
        feed("slotGetFileAndFolderInfo", Q_ARG(QString, request), Q_ARG(QJsonObject, reply));
        for (const NxFileEntry& e : *view->entries())
            listed << e.name + "|" + e.date + "|" + e.size;
        doubleClick(rows.last().section('|', 0, 0));
        prompts << view->initMode()->message();
        m_world->touch("data/Maplo/temp/cloud/file.mp4"); // downloaded
        feed("sltCloudFileOpened", Q_ARG(QString, view->entries()->last().netId), Q_ARG(QString, local),
             Q_ARG(QString, rows.last().section('|', 0, 0)));
    }});
    QCOMPARE(prompts, QStringList({"ID_RES_LOGIN", "ID_ISLOADING", "ID_ISLOADING"}));
    QCOMPARE(login.size(), 1);
    QCOMPARE(listed, rows);
    QCOMPARE(clicked.size(), 1);
    QCOMPARE(clicked.first().first().toString(), opened);
    QCOMPARE(chosen, local);
    QVERIFY(QFile::exists(local));
    QCOMPARE(NxRecentFiles::instance().entries("courseware").first().strPass, pass);
    // Downloads of earlier showings go when the dialog opens again.
    run("ID_DESKTOP", {[&] {
            QVERIFY(!QFile::exists(local));
            m_dialog->reject();
        }});
    QVERIFY(!QFile::exists(local));
}

void tst_NxFileDialog::localVideo()
{
    NxTestMainWindow window;
    NxLocalMediaOpener opener(&window);
    QSignalSpy started(&opener, &NxLocalMediaOpener::sigLocalVideoStarted);
    QSignalSpy played(&opener, &NxLocalMediaOpener::sigLocalVideoPlayed);
    QSignalSpy reported(&opener, &NxLocalMediaOpener::sigUserActionLocalChannel);
    NxFileDialog* dialog = opener.createFileDialog(&window, 1.0);
    const QString stick = m_world->path("stick");
    QDir().mkpath(stick);
    QVERIFY(QFile::copy(NX_MEDIA_DIR "/demo-live.mp4", stick + "/film.mp4"));
    m_world->drives.add(stick, INxDrives::Type::Removable, true);

    // Hidden window: the state is kept, nothing opens.
    emit window.signalUDiskStateChanged(stick, false);
    QCOMPARE(opener.uDiskState(), QJsonObject({{"name", stick}, {"isRemove", false}}));
    QCOMPARE(reported.size(), 0);

    // The own player: the system is never asked.
    qApp->setProperty("localVideos", "builtin");
    window.show();
    NxDialogDriver driver(dialog);
    QString shownAt;
    driver.addStep([&] {
        shownAt = dialog->currentLocation().strPass;
        NxFileDialogViewMode* mode = dialog->findChild<NxFileDialogView*>()->currentMode();
        QTest::mouseDClick(mode->itemWidget(0), Qt::LeftButton);
    });
    driver.start();
    emit window.signalUDiskStateChanged(stick, false);
    QCOMPARE(shownAt, NxFilePlaces::diskPass(stick));
    QVERIFY(played.wait(20000));
    QCOMPARE(played.first(), (QVariantList{stick + "/film.mp4", true}));
    QVERIFY(opener.player()->isVisible());
    QVERIFY(m_world->shell.opened.isEmpty());
    QCOMPARE(started.size(), 0);
    QCOMPARE(reported.size(), 1);
    // Recorded among the recent files as any file opened through the dialog.
    QCOMPARE(NxRecentFiles::instance().entries("courseware").first().strName, QString("film.mp4"));

    // Removal: the state follows, nothing opens.
    m_world->drives.remove(stick);
    emit window.signalUDiskStateChanged(stick, true);
    QCOMPARE(opener.uDiskState().value("isRemove").toBool(), true);
    QCOMPARE(reported.size(), 1);
    QCOMPARE(played.size(), 1);
}

// A lesson.mp4 on a stick that is really an executable script, on a desktop
// with no video player: with the system's player chosen, the own player
// takes it instead, never runs it, and the teacher is told it cannot play.
void tst_NxFileDialog::localVideoWithoutPlayer()
{
    NxTestEnvironment desktop;
    desktop.useBareDesktop();
    NxPlatform::setShell(nullptr);
    qApp->setProperty("localVideos", "system");
    const QString ran = m_world->path("ran");
    const QString video = m_world->touch("stick/lesson.mp4", QString("#!/bin/sh\ntouch '%1'\n").arg(ran).toUtf8());
    QFile::setPermissions(video, QFile::permissions(video) | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
    m_world->drives.add(m_world->path("stick"), INxDrives::Type::Removable, true);
    NxTestMainWindow window;
    NxLocalMediaOpener opener(&window);
    QSignalSpy started(&opener, &NxLocalMediaOpener::sigLocalVideoStarted);
    QSignalSpy played(&opener, &NxLocalMediaOpener::sigLocalVideoPlayed);
    NxFileDialog* dialog = opener.createFileDialog(&window, 1.0);
    QLabel* toast = NxToolTipHelp::Instance().findChild<QLabel*>();
    toast->clear();

    NxDialogDriver driver(dialog);
    driver.addStep([&] {
        QTest::mouseDClick(dialog->findChild<NxFileDialogView*>()->currentMode()->itemWidget(0), Qt::LeftButton);
    });
    driver.start();
    opener.openLocalFile();
    QVERIFY(played.wait(20000));
    QCOMPARE(played.first(), (QVariantList{video, false}));
    QCOMPARE(started.size(), 0);
    QTRY_COMPARE(toast->text(), QString("ID_VIDEO_CANNOT_PLAY"));
    QVERIFY2(!QFile::exists(ran), "the video was run as a program");
}

QTEST_MAIN(tst_NxFileDialog)
#include "tst_NxFileDialog.moc"

// The Win32 side of the platform layer, run for real (under Wine on the build machine).
#include "tst_NxWin32Platform.h"

#include "INxDrives.h"
#include "INxProcesses.h"
#include "INxWindows.h"
#include "NxPlatform.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QWidget>
#include <QTest>

namespace {

const QString kTitle = QStringLiteral("NxWin32Platform test window");

bool hasProcess(const QList<INxProcesses::Process>& processes, qint64 id, const QString& exeName)
{
    for (const INxProcesses::Process& process : processes) {
        if (process.id == id)
            return process.exeName.compare(exeName, Qt::CaseInsensitive) == 0;
    }
    return false;
}

} // namespace

// A file type and a browser of the test's own, registered as installers do (a fresh Wine prefix
// has neither), are found through the shell's association lookup and the user's URL choice.
void tst_NxWin32Platform::associationsNameTheProgramsOfASuffix()
{
    const QString notepad = QStringLiteral("C:\\windows\\system32\\notepad.exe");
    const QString browser = QStringLiteral("\"C:\\nx\\browser.exe\" \"%1\"");
    QSettings classes(QStringLiteral("HKEY_CLASSES_ROOT"), QSettings::NativeFormat);
    classes.setValue(QStringLiteral(".nxtest/Default"), QStringLiteral("NxTest.Document"));
    classes.setValue(QStringLiteral("NxTest.Document/shell/open/command/Default"), QStringLiteral("\"%1\" \"%2\"").arg(notepad, QStringLiteral("%1")));
    classes.setValue(QStringLiteral("NxTest.Url/shell/open/command/Default"), browser);
    QSettings choice(QStringLiteral("HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations"
                                    "\\http\\UserChoice"),
                     QSettings::NativeFormat);
    choice.setValue(QStringLiteral("ProgId"), QStringLiteral("NxTest.Url"));
    classes.sync();
    choice.sync();

    INxWindows* windows = NxPlatform::windows();
    const QString program = windows->associatedProgram(QStringLiteral(".nxtest"));
    QVERIFY2(program.compare(notepad, Qt::CaseInsensitive) == 0, qPrintable(program));
    QVERIFY(!windows->associatedAppName(QStringLiteral(".nxtest")).isEmpty());
    QVERIFY(windows->associatedProgram(QStringLiteral(".nxnosuchsuffix")).isEmpty());
    QCOMPARE(windows->defaultBrowserCommand(), browser);

    choice.remove(QString());
    for (const QString& key : {QStringLiteral(".nxtest"), QStringLiteral("NxTest.Document"), QStringLiteral("NxTest.Url")})
        classes.remove(key);
}

void tst_NxWin32Platform::ownWindowIsFoundShownMaximisedAndActivated()
{
    INxWindows* windows = NxPlatform::windows();
    QVERIFY(windows->isAvailable());
    QWidget widget;
    widget.setWindowTitle(kTitle);
    widget.resize(320, 200);
    widget.show();
    const INxWindows::Handle handle = widget.winId();
    QTRY_VERIFY(windows->isVisible(handle));

    QVERIFY(windows->topLevelWindows().contains(handle));
    QCOMPARE(windows->findByTitle(kTitle), handle);
    QCOMPARE(windows->title(handle), kTitle);
    QVERIFY(windows->isWindow(handle));
    QVERIFY(windows->style(handle) & INxWindows::kVisibleStyle);
    QCOMPARE(windows->processId(handle), QCoreApplication::applicationPid());
    QCOMPARE(QFileInfo(windows->processImagePath(QCoreApplication::applicationPid())).fileName(),
             QFileInfo(QCoreApplication::applicationFilePath()).fileName());

    widget.showMinimized();
    QTRY_VERIFY(windows->isMinimized(handle));
    widget.showNormal();
    QTRY_VERIFY(!windows->isMinimized(handle));
    windows->maximize(handle);
    QTRY_VERIFY(widget.isMaximized());
    QTRY_VERIFY(windows->geometry(handle).width() > 320);
    windows->bringToFront(handle);
    QTRY_COMPARE(windows->activeWindow(), handle);

    windows->setAcceptsActivation(handle, false);
    QVERIFY(windows->exStyle(handle) & INxWindows::kNoActivateExStyle);
    windows->setAcceptsActivation(handle, true);
    QVERIFY(!(windows->exStyle(handle) & INxWindows::kNoActivateExStyle));
}

void tst_NxWin32Platform::systemDriveIsAFixedNonUsbDrive()
{
    INxDrives* drives = NxPlatform::drives();
    QVERIFY2(drives->roots().contains(QStringLiteral("C:/")), qPrintable(drives->roots().join(' ')));
    QCOMPARE(drives->type(QStringLiteral("C:/")), INxDrives::Type::Fixed);
    QCOMPARE(drives->driveName(QStringLiteral("C:/")), QStringLiteral("C:"));
    QCOMPARE(drives->devicePath(QStringLiteral("C:")), QStringLiteral("\\\\.\\C:"));
    QVERIFY(!drives->isUsbDevice(drives->devicePath(QStringLiteral("C:"))));
    QCOMPARE(drives->type(QStringLiteral("Q:/")), INxDrives::Type::NoRootDir);
}

void tst_NxWin32Platform::processesAreListedAndEnded()
{
    INxProcesses* processes = NxPlatform::processes();
    const qint64 own = QCoreApplication::applicationPid();
    const QString ownName = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    QVERIFY(hasProcess(processes->snapshot(), own, ownName));
    QCOMPARE(QFileInfo(processes->imagePath(own)).fileName().toLower(), ownName.toLower());

    // cmd.exe waits on its open input until it is ended.
    QProcess child;
    child.start(QStringLiteral("cmd.exe"), QStringList());
    QVERIFY(child.waitForStarted());
    QTRY_VERIFY(hasProcess(processes->snapshot(), child.processId(), QStringLiteral("cmd.exe")));
    // The system's own listing, within its time (Wine's tasklist prints nothing).
    QElapsedTimer listing;
    listing.start();
    processes->listing(5000);
    QVERIFY(listing.elapsed() < 6000);
    QVERIFY(processes->terminate(child.processId()));
    QVERIFY(child.waitForFinished(5000));
    QVERIFY(!hasProcess(processes->snapshot(), child.processId(), QStringLiteral("cmd.exe")));
}

QTEST_MAIN(tst_NxWin32Platform)

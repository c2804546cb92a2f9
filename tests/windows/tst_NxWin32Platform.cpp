// The Win32 side of the platform layer, run for real (under Wine on the build machine).
#include "tst_NxWin32Platform.h"

#include "INxDrives.h"
#include "INxProcesses.h"
#include "INxWindows.h"
#include "NxPlatform.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
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

void tst_NxWin32Platform::associationsNameTheProgramsOfASuffix()
{
    INxWindows* windows = NxPlatform::windows();
    const QString program = windows->associatedProgram(QStringLiteral(".txt"));
    QVERIFY2(QFileInfo(program).fileName().compare(QStringLiteral("notepad.exe"), Qt::CaseInsensitive) == 0,
             qPrintable(program));
    QVERIFY(!windows->associatedAppName(QStringLiteral(".txt")).isEmpty());
    QVERIFY(windows->associatedProgram(QStringLiteral(".nxnosuchsuffix")).isEmpty());
    QVERIFY2(windows->defaultBrowserCommand().contains(QStringLiteral("browser"), Qt::CaseInsensitive),
             qPrintable(windows->defaultBrowserCommand()));
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
    QVERIFY(processes->listing(5000).contains(QStringLiteral("cmd.exe"), Qt::CaseInsensitive));
    QVERIFY(processes->terminate(child.processId()));
    QVERIFY(child.waitForFinished(5000));
    QVERIFY(!hasProcess(processes->snapshot(), child.processId(), QStringLiteral("cmd.exe")));
}

QTEST_MAIN(tst_NxWin32Platform)

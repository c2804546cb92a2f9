#include "NxShellNative.h"

#include "NxXdgOpening.h"

#include <QDebug>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QUrl>

// Documents and addresses go to xdg-open, which picks the desktop's
// associated application, whatever the file's permission bits say (sticks
// often show every file as executable). Show modes are the window manager's
// business here.
bool NxShellNative::open(const QString& target, Show, QObject* context, const Failure& failed)
{
    if (target.isEmpty())
        return false;
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        qWarning() << "NxShellNative::open no xdg-open to open" << target;
        return false;
    }
    const QUrl url = QUrl::fromUserInput(target);
    // A missing file is refused here, as the Windows shell refuses it.
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))
        return false;
    new NxXdgOpening(opener, url.isLocalFile() ? url.toLocalFile() : target, context, failed);
    return true;
}

bool NxShellNative::startProgram(const QString& program, const QString& parameters, Show)
{
    return !program.isEmpty() && QProcess::startDetached(program, QProcess::splitCommand(parameters));
}

QString NxShellNative::onScreenKeyboard() const
{
    const QString configured = QProcessEnvironment::systemEnvironment().value(QStringLiteral("NX_ONSCREEN_KEYBOARD"));
    if (!configured.isEmpty())
        return QStandardPaths::findExecutable(configured).isEmpty() ? configured : QStandardPaths::findExecutable(configured);
    return QStandardPaths::findExecutable(QStringLiteral("onboard"));
}

// A desktop here often has no video player at all.
bool NxShellNative::systemPlaysVideos()
{
    return false;
}

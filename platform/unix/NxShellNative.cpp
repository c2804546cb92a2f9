#include "NxShellNative.h"

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QUrl>

namespace {

bool isProgram(const QString& target)
{
    const QFileInfo info(target);
    return info.isFile() && info.isExecutable();
}

} // namespace

// Programs are started directly; documents and addresses go to xdg-open,
// which picks the desktop's associated application. Show modes are the
// window manager's business here.
bool NxShellNative::open(const QString& target, const QString& parameters, Show)
{
    if (target.isEmpty())
        return false;
    if (isProgram(target))
        return QProcess::startDetached(target, QProcess::splitCommand(parameters));
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return false;
    const QUrl url = QUrl::fromUserInput(target);
    // A missing file is refused here, as the Windows shell refuses it.
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))
        return false;
    return QProcess::startDetached(opener, {url.isLocalFile() ? url.toLocalFile() : target});
}

QString NxShellNative::onScreenKeyboard() const
{
    const QString configured = QProcessEnvironment::systemEnvironment().value(QStringLiteral("NX_ONSCREEN_KEYBOARD"));
    if (!configured.isEmpty())
        return QStandardPaths::findExecutable(configured).isEmpty() ? configured : QStandardPaths::findExecutable(configured);
    return QStandardPaths::findExecutable(QStringLiteral("onboard"));
}

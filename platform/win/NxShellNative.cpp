#include "NxShellNative.h"

#include "NxFileNames.h"

#include <QDebug>

#include <windows.h>
#include <shellapi.h>

namespace {

bool execute(const QString& target, const QString& parameters, INxShell::Show show)
{
    const std::wstring file = NxFileNames::shellTarget(target).toStdWString();
    const std::wstring params = parameters.toStdWString();
    const int mode = show == INxShell::Show::Maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    const HINSTANCE result = ShellExecuteW(nullptr, L"open", file.c_str(), params.empty() ? nullptr : params.c_str(),
                                           nullptr, mode);
    // ShellExecuteW reports success with a value above 32; a document or
    // address without an associated program fails here, at once.
    const INT_PTR code = reinterpret_cast<INT_PTR>(result);
    if (code <= 32)
        qWarning() << "NxShellNative ShellExecuteW refused" << target << "with" << code;
    return code > 32;
}

} // namespace

bool NxShellNative::open(const QString& target, Show show, QObject*, const Failure&)
{
    // The shell's "open" runs these, whatever the caller meant to open.
    if (NxFileNames::runsAsProgram(target)) {
        qWarning() << "NxShellNative::open refused, a program is not a document:" << target;
        return false;
    }
    return execute(target, QString(), show);
}

bool NxShellNative::startProgram(const QString& program, const QString& parameters, Show show)
{
    return execute(program, parameters, show);
}

QString NxShellNative::onScreenKeyboard() const
{
    return QStringLiteral("C:\\Program Files\\Common Files\\microsoft shared\\ink\\TabTip.exe");
}

// The panels have always opened videos in the associated player.
bool NxShellNative::systemPlaysVideos()
{
    return true;
}

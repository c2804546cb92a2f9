#include "NxShellNative.h"

#include "NxFileNames.h"

#include <windows.h>
#include <shellapi.h>

bool NxShellNative::open(const QString& target, const QString& parameters, Show show)
{
    const std::wstring file = NxFileNames::shellTarget(target).toStdWString();
    const std::wstring params = parameters.toStdWString();
    const int mode = show == Show::Maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    const HINSTANCE result = ShellExecuteW(nullptr, L"open", file.c_str(), params.empty() ? nullptr : params.c_str(),
                                           nullptr, mode);
    // ShellExecuteW reports success with a value above 32.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

QString NxShellNative::onScreenKeyboard() const
{
    return QStringLiteral("C:\\Program Files\\Common Files\\microsoft shared\\ink\\TabTip.exe");
}

#include "NxWindowsNative.h"

#include <QGuiApplication>
#include <QSettings>

#include <windows.h>
#include <dwmapi.h>
#include <shlwapi.h>

struct NxWindowsNative::Private {
};

namespace {

HWND hwnd(INxWindows::Handle window)
{
    return reinterpret_cast<HWND>(window);
}

BOOL CALLBACK collect(HWND window, LPARAM list)
{
    reinterpret_cast<QList<INxWindows::Handle>*>(list)->append(reinterpret_cast<INxWindows::Handle>(window));
    return TRUE;
}

// AssocQueryStringW in two calls: the length first, then the text.
QString association(ASSOCSTR what, const QString& suffix)
{
    const std::wstring extension = suffix.toStdWString();
    const ASSOCF flags = ASSOCF_VERIFY | ASSOCF_NOFIXUPS;
    DWORD length = 0;
    if (AssocQueryStringW(flags, what, extension.c_str(), nullptr, nullptr, &length) != S_FALSE || length == 0)
        return QString();
    std::wstring text(length, L'\0');
    if (AssocQueryStringW(flags, what, extension.c_str(), nullptr, &text[0], &length) != S_OK)
        return QString();
    return QString::fromWCharArray(text.c_str());
}

} // namespace

NxWindowsNative::NxWindowsNative()
    : d(new Private)
{
}

NxWindowsNative::~NxWindowsNative() = default;

bool NxWindowsNative::isAvailable()
{
    return true;
}

QList<INxWindows::Handle> NxWindowsNative::topLevelWindows()
{
    QList<Handle> windows;
    EnumWindows(collect, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

quint32 NxWindowsNative::style(Handle window)
{
    return quint32(GetWindowLongW(hwnd(window), GWL_STYLE));
}

quint32 NxWindowsNative::exStyle(Handle window)
{
    return quint32(GetWindowLongW(hwnd(window), GWL_EXSTYLE));
}

qint64 NxWindowsNative::processId(Handle window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd(window), &pid);
    return pid;
}

QString NxWindowsNative::processImagePath(qint64 processId)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, DWORD(processId));
    if (!process)
        return QString();
    wchar_t path[MAX_PATH] = {0};
    DWORD size = MAX_PATH;
    const BOOL ok = QueryFullProcessImageNameW(process, 0, path, &size);
    CloseHandle(process);
    return ok ? QString::fromWCharArray(path, int(size)) : QString();
}

QRect NxWindowsNative::geometry(Handle window)
{
    RECT rect{};
    GetWindowRect(hwnd(window), &rect);
    return QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

QString NxWindowsNative::title(Handle window)
{
    wchar_t text[MAX_PATH] = {0};
    const int length = GetWindowTextW(hwnd(window), text, MAX_PATH);
    return QString::fromWCharArray(text, length);
}

INxWindows::Handle NxWindowsNative::findByTitle(const QString& title)
{
    return reinterpret_cast<Handle>(FindWindowW(nullptr, title.toStdWString().c_str()));
}

bool NxWindowsNative::isWindow(Handle window)
{
    return IsWindow(hwnd(window));
}

bool NxWindowsNative::isVisible(Handle window)
{
    return IsWindowVisible(hwnd(window));
}

bool NxWindowsNative::isMinimized(Handle window)
{
    return IsIconic(hwnd(window));
}

void NxWindowsNative::maximize(Handle window)
{
    ShowWindow(hwnd(window), SW_MAXIMIZE);
}

void NxWindowsNative::bringToFront(Handle window)
{
    SetForegroundWindow(hwnd(window));
}

INxWindows::Handle NxWindowsNative::activeWindow()
{
    return reinterpret_cast<Handle>(GetForegroundWindow());
}

void NxWindowsNative::setAcceptsActivation(Handle ownWindow, bool accepts)
{
    const LONG style = GetWindowLongW(hwnd(ownWindow), GWL_EXSTYLE);
    SetWindowLongW(hwnd(ownWindow), GWL_EXSTYLE, accepts ? (style & ~WS_EX_NOACTIVATE) : (style | WS_EX_NOACTIVATE));
    if (accepts)
        SetForegroundWindow(hwnd(ownWindow));
}

void NxWindowsNative::disableTabletPenFeedback(Handle ownWindow)
{
    // Press-and-hold, pen tap and barrel feedback and flicks off.
    const wchar_t* name = L"MicrosoftTabletPenServiceProperty";
    const ATOM atom = GlobalAddAtomW(name);
    SetPropW(hwnd(ownWindow), name, reinterpret_cast<HANDLE>(quintptr(0x10019)));
    GlobalDeleteAtom(atom);
}

// Always on since Windows 8; Windows 7 turns it off with its basic themes.
// The offscreen platform composes windows in memory with their alpha.
bool NxWindowsNative::hasCompositing()
{
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return true;
    BOOL enabled = FALSE;
    return SUCCEEDED(DwmIsCompositionEnabled(&enabled)) && enabled;
}

QString NxWindowsNative::defaultBrowserCommand()
{
    const QSettings choice(QStringLiteral("HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations"
                                          "\\http\\UserChoice"),
                           QSettings::NativeFormat);
    const QString progId = choice.value(QStringLiteral("ProgId")).toString();
    const QSettings command(QStringLiteral("HKEY_CLASSES_ROOT\\%1\\shell\\open\\command").arg(progId), QSettings::NativeFormat);
    return command.value(QStringLiteral("Default")).toString();
}

QString NxWindowsNative::associatedProgram(const QString& suffix)
{
    return association(ASSOCSTR_EXECUTABLE, suffix);
}

QString NxWindowsNative::associatedAppName(const QString& suffix)
{
    return association(ASSOCSTR_FRIENDLYAPPNAME, suffix);
}

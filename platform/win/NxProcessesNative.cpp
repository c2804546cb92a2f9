#include "NxProcessesNative.h"

#include "NxProcessListing.h"

#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

QList<INxProcesses::Process> NxProcessesNative::snapshot()
{
    QList<Process> processes;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE)
        return processes;
    PROCESSENTRY32W entry;
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snap, &entry); more; more = Process32NextW(snap, &entry))
        processes.append({qint64(entry.th32ProcessID), QString::fromWCharArray(entry.szExeFile)});
    CloseHandle(snap);
    return processes;
}

QString NxProcessesNative::imagePath(qint64 processId)
{
    HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, DWORD(processId));
    if (!process)
        return QString();
    wchar_t path[MAX_PATH] = {};
    const DWORD length = K32GetModuleFileNameExW(process, nullptr, path, MAX_PATH);
    CloseHandle(process);
    return QString::fromWCharArray(path, int(length));
}

bool NxProcessesNative::terminate(qint64 processId)
{
    HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, DWORD(processId));
    if (!process)
        return false;
    const BOOL ended = TerminateProcess(process, 0);
    CloseHandle(process);
    return ended != FALSE;
}

QString NxProcessesNative::listing(int timeoutMs)
{
    return NxProcessListing::run(QStringLiteral("tasklist"), {}, timeoutMs);
}

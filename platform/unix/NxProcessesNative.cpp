#include "NxProcessesNative.h"

#include "NxProcessListing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <signal.h>

namespace {

// The executable's name; the kernel's short name when the link cannot be
// read (other users' processes).
QString exeName(qint64 id)
{
    const QString target = QFileInfo(QStringLiteral("/proc/%1/exe").arg(id)).symLinkTarget();
    if (!target.isEmpty())
        return QFileInfo(target).fileName();
    QFile comm(QStringLiteral("/proc/%1/comm").arg(id));
    return comm.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(comm.readAll()).trimmed() : QString();
}

} // namespace

QList<INxProcesses::Process> NxProcessesNative::snapshot()
{
    QList<qint64> ids;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool ok = false;
        const qint64 id = entry.toLongLong(&ok);
        if (ok)
            ids.append(id);
    }
    std::sort(ids.begin(), ids.end());
    QList<Process> processes;
    for (qint64 id : ids)
        processes.append({id, exeName(id)});
    return processes;
}

QString NxProcessesNative::imagePath(qint64 processId)
{
    return QFileInfo(QStringLiteral("/proc/%1/exe").arg(processId)).symLinkTarget();
}

bool NxProcessesNative::terminate(qint64 processId)
{
    return processId > 0 && ::kill(pid_t(processId), SIGKILL) == 0;
}

QString NxProcessesNative::listing(int timeoutMs)
{
    return NxProcessListing::run(QStringLiteral("ps"), {QStringLiteral("-e")}, timeoutMs);
}

#include "NxProcessListing.h"

#include <QDeadlineTimer>
#include <QDebug>
#include <QProcess>

QString NxProcessListing::run(const QString& program, const QStringList& arguments, int timeoutMs)
{
    // One bound for starting and finishing together.
    const QDeadlineTimer deadline(timeoutMs);
    QProcess process;
    process.start(program, arguments, QIODevice::ReadOnly);
    if (!process.waitForStarted(int(deadline.remainingTime()))) {
        qWarning() << "NxProcessListing::run cannot start" << program;
        return QString();
    }
    if (!process.waitForFinished(int(deadline.remainingTime()))) {
        qWarning() << "NxProcessListing::run" << program << "did not finish in" << timeoutMs << "ms";
        process.kill();
        process.waitForFinished(1000);
        return QString();
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

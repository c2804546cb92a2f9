#pragma once

#include <QList>
#include <QString>

// Running processes: a snapshot in the system's order, their image paths,
// the system's own listing program and ending a process.
class INxProcesses
{
public:
    struct Process {
        qint64 id = 0;
        QString exeName; // file name of the executable, as "player.exe"
    };

    virtual ~INxProcesses() = default;

    virtual QList<Process> snapshot() = 0;
    // Full path of the executable; empty when it cannot be read.
    virtual QString imagePath(qint64 processId) = 0;
    // False when the process could not be opened or ended.
    virtual bool terminate(qint64 processId) = 0;
    // The text of the system's process listing ("tasklist", "ps"); empty
    // when it did not finish within the time.
    virtual QString listing(int timeoutMs) = 0;
};

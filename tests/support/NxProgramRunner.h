#pragma once

#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

// Starts the real program as separate processes, from the build's program
// directory or from a private copy of it (to give it its own version.ini).
class NxProgramRunner
{
public:
    NxProgramRunner();
    ~NxProgramRunner();

    // Copies the program directory (program, libraries, Environment/) to dir.
    bool copyProgramTo(const QString& dir);
    QString programDir() const;
    QString programPath() const;

    QProcess* start(const QStringList& arguments);
    // Waits until the process's standard error contains text.
    static bool waitForError(QProcess* process, const QString& text, int timeoutMs);
    static QString errorText(QProcess* process);
    // Waits until a running instance accepts connections in that runtime directory.
    static bool waitUntilListening(const QString& runtimeDir, int timeoutMs);

private:
    QString m_programDir;
    QList<QProcess*> m_processes;
};

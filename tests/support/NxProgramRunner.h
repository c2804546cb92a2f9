#pragma once

#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Starts the real program as separate processes from a private program
// directory: its own copy of the executable and version.ini (no hosts, no
// log file), everything else linked to the build's program directory. So
// whatever scripts/run wrote into the build's version.ini does not matter.
class NxProgramRunner
{
public:
    NxProgramRunner();
    ~NxProgramRunner();

    bool isReady() const;
    QString programDir() const;
    QString programPath() const;
    QString versionIniPath() const;
    // Points every host of version.ini at the local cloud of a test.
    bool useCloud(const QString& baseUrl) const;

    // A wrapper (a command and its arguments) runs first and is handed the
    // program and its arguments as its last ones.
    QProcess* start(const QStringList& arguments, const QStringList& wrapper = {});
    // Waits until the process's standard error contains text.
    static bool waitForError(QProcess* process, const QString& text, int timeoutMs);
    static QString errorText(QProcess* process);
    // Lines in which Qt reports a misuse ("QObject::", "QWidget::"): each is
    // a fault of the program. The second form covers every process started.
    static QStringList qtWarnings(QProcess* process);
    QStringList qtWarnings() const;
    // Waits until a running instance accepts connections in that runtime directory.
    static bool waitUntilListening(const QString& runtimeDir, int timeoutMs);

private:
    bool prepare();

    QTemporaryDir m_dir;
    bool m_ready = false;
    QList<QProcess*> m_processes;
};

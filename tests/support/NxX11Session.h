#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A desktop for one test under Xvfb: a real EWMH window manager (openbox)
// and private freedesktop settings in which the test registers its own
// default browser and file handlers. Everything it started is ended with it.
class NxX11Session
{
public:
    NxX11Session();
    ~NxX11Session();

    // Empty when the session is usable, else why not.
    QString problem() const;
    QString pidFile() const;
    // Makes program (with arguments) the handler of a MIME type, under a
    // .desktop file of that name; "x-scheme-handler/http" makes a browser.
    void registerHandler(const QString& desktopName, const QString& mimeType, const QString& commandLine);
    // Ends every process that wrote itself into the pid file.
    void endStartedPrograms();

private:
    void writeMimeApps();

    QTemporaryDir m_dir;
    QProcess m_windowManager;
    QString m_problem;
    QStringList m_associations;
};

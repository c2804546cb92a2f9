#include "NxX11Session.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTest>

#include <csignal>

NxX11Session::NxX11Session()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        m_problem = QStringLiteral("no X11 display: run under xvfb-run (scripts/test does)");
        return;
    }
    const QString openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
    if (openbox.isEmpty()) {
        m_problem = QStringLiteral("openbox is not installed");
        return;
    }
    QDir root(m_dir.path());
    root.mkpath(QStringLiteral("config"));
    root.mkpath(QStringLiteral("data/applications"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("data"))));
    // The generic freedesktop rules, whatever desktop the machine runs.
    for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "GNOME_DESKTOP_SESSION_ID", "KDE_FULL_SESSION", "BROWSER"})
        qunsetenv(name);
    m_windowManager.start(openbox, {QStringLiteral("--sm-disable")});
    if (!m_windowManager.waitForStarted(5000)) {
        m_problem = QStringLiteral("openbox does not start");
        return;
    }
    QTest::qWait(800); // until it manages the screen
}

NxX11Session::~NxX11Session()
{
    endStartedPrograms();
    if (m_windowManager.state() != QProcess::NotRunning) {
        m_windowManager.terminate();
        if (!m_windowManager.waitForFinished(3000))
            m_windowManager.kill();
        m_windowManager.waitForFinished(1000);
    }
}

QString NxX11Session::problem() const
{
    return m_problem;
}

QString NxX11Session::pidFile() const
{
    return m_dir.filePath(QStringLiteral("started.pids"));
}

void NxX11Session::registerHandler(const QString& desktopName, const QString& mimeType, const QString& commandLine)
{
    QFile desktop(m_dir.filePath(QStringLiteral("data/applications/") + desktopName + QStringLiteral(".desktop")));
    desktop.open(QIODevice::WriteOnly | QIODevice::Truncate);
    desktop.write(QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2\nMimeType=%3;\n")
                      .arg(desktopName, commandLine, mimeType)
                      .toUtf8());
    m_associations.append(mimeType + QLatin1Char('=') + desktopName + QStringLiteral(".desktop"));
    writeMimeApps();
}

void NxX11Session::writeMimeApps()
{
    QFile list(m_dir.filePath(QStringLiteral("config/mimeapps.list")));
    list.open(QIODevice::WriteOnly | QIODevice::Truncate);
    list.write(QStringLiteral("[Default Applications]\n%1\n").arg(m_associations.join(QLatin1Char('\n'))).toUtf8());
}

void NxX11Session::endStartedPrograms()
{
    QFile file(pidFile());
    if (!file.open(QIODevice::ReadOnly))
        return;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const qint64 pid = line.trimmed().toLongLong();
        if (pid > 0)
            ::kill(pid_t(pid), SIGKILL);
    }
    file.close();
    file.remove();
}

#include "NxProgramRunner.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTest>

NxProgramRunner::NxProgramRunner()
    : m_programDir(QStringLiteral(NX_TEST_PROGRAM_DIR))
{
}

NxProgramRunner::~NxProgramRunner()
{
    for (QProcess* process : m_processes) {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(3000);
        }
        delete process;
    }
}

bool NxProgramRunner::copyProgramTo(const QString& dir)
{
    const QDir source(m_programDir);
    QDirIterator it(m_programDir, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString to = dir + QLatin1Char('/') + source.relativeFilePath(from);
        QDir().mkpath(QFileInfo(to).absolutePath());
        if (!QFile::copy(from, to))
            return false;
        QFile::setPermissions(to, QFile::permissions(from));
    }
    m_programDir = dir;
    return true;
}

QString NxProgramRunner::programDir() const
{
    return m_programDir;
}

QString NxProgramRunner::programPath() const
{
    return m_programDir + QStringLiteral("/TavomcPresenterPro");
}

QProcess* NxProgramRunner::start(const QStringList& arguments)
{
    auto* process = new QProcess;
    m_processes.append(process);
    process->setProgram(programPath());
    process->setArguments(arguments);
    process->setWorkingDirectory(m_programDir);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!environment.contains(QStringLiteral("QT_QPA_PLATFORM")))
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process->setProcessEnvironment(environment);
    process->start();
    process->waitForStarted(5000);
    return process;
}

QString NxProgramRunner::errorText(QProcess* process)
{
    const QByteArray more = process->readAllStandardError();
    const QString seen = process->property("nxErr").toString() + QString::fromUtf8(more);
    process->setProperty("nxErr", seen);
    return seen;
}

bool NxProgramRunner::waitForError(QProcess* process, const QString& text, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!errorText(process).contains(text)) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QTest::qWait(20);
    }
    return true;
}

bool NxProgramRunner::waitUntilListening(const QString& runtimeDir, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        QLocalSocket probe;
        probe.connectToServer(runtimeDir + QStringLiteral("/TavomcPresenterPro.socket"));
        if (probe.waitForConnected(200)) {
            probe.abort();
            return true;
        }
        QTest::qWait(30);
    }
    return false;
}

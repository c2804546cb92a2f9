#include "NxProgramRunner.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTest>

NxProgramRunner::NxProgramRunner()
{
    m_ready = prepare();
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

bool NxProgramRunner::prepare()
{
    const QDir build(QStringLiteral(NX_TEST_PROGRAM_DIR));
    const QString program = QStringLiteral("TavomcPresenterPro");
    // The executable is copied: the program finds version.ini beside its
    // real path, and a link would lead back to the build directory.
    if (!QFile::copy(build.filePath(program), m_dir.filePath(program)))
        return false;
    QFile::setPermissions(m_dir.filePath(program), QFile::permissions(build.filePath(program)));
    const QStringList entries = build.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry != program && entry != QLatin1String("version.ini") && !QFile::link(build.filePath(entry), m_dir.filePath(entry)))
            return false;
    }
    QFile ini(versionIniPath());
    return ini.open(QIODevice::WriteOnly) && ini.write("[versionInformation]\nappName=TavomcPresenterPro\n\n[Log]\nNeedLog=0\n") > 0;
}

bool NxProgramRunner::isReady() const
{
    return m_ready;
}

QString NxProgramRunner::programDir() const
{
    return m_dir.path();
}

QString NxProgramRunner::programPath() const
{
    return m_dir.filePath(QStringLiteral("TavomcPresenterPro"));
}

QString NxProgramRunner::versionIniPath() const
{
    return m_dir.filePath(QStringLiteral("version.ini"));
}

QProcess* NxProgramRunner::start(const QStringList& arguments)
{
    auto* process = new QProcess;
    m_processes.append(process);
    process->setProgram(programPath());
    process->setArguments(arguments);
    process->setWorkingDirectory(m_dir.path());
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

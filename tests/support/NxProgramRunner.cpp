#include "NxProgramRunner.h"

#include "NxTestEnvironment.h"

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

bool NxProgramRunner::useCloud(const QString& baseUrl) const
{
    QMap<QString, QVariant> ini{{"versionInformation/appName", "TavomcPresenterPro"}, {"Log/NeedLog", 0}};
    for (const char* key : {"cloudhost", "cloudrest", "platformHost"})
        ini.insert(QStringLiteral("versionInformation/") + key, baseUrl + "/");
    for (const char* key : {"appHost", "loginHost", "ssoHost", "liveHost", "wechatHost"})
        ini.insert(QStringLiteral("versionInformation/") + key, baseUrl);
    return NxTestEnvironment::writeIni(versionIniPath(), ini);
}

QProcess* NxProgramRunner::start(const QStringList& arguments, const QStringList& wrapper)
{
    auto* process = new QProcess;
    m_processes.append(process);
    const QStringList command = wrapper + QStringList(programPath()) + arguments;
    process->setProgram(command.first());
    process->setArguments(command.mid(1));
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

QStringList NxProgramRunner::qtWarnings(QProcess* process)
{
    QStringList found;
    for (const QString& line : errorText(process).split(QLatin1Char('\n'))) {
        if (line.contains(QLatin1String("QObject::")) || line.contains(QLatin1String("QWidget::")))
            found.append(line);
    }
    return found;
}

QStringList NxProgramRunner::qtWarnings() const
{
    QStringList found;
    for (QProcess* process : m_processes)
        found += qtWarnings(process);
    return found;
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

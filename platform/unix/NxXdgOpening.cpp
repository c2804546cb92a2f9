#include "NxXdgOpening.h"

#include <QDebug>

namespace {

// xdg-open refuses within moments. Without a desktop environment it waits
// for the program it started instead, and that program's exit much later
// says nothing about the opening.
const qint64 kVerdictMs = 10000;

} // namespace

NxXdgOpening::NxXdgOpening(const QString& opener, const QString& target, QObject* parent,
                           const INxShell::Failure& failed)
    : QObject(parent)
    , m_target(target)
    , m_failed(failed)
{
    // The started program inherits these: no pipe of ours may outlive us.
    m_process.setStandardInputFile(QProcess::nullDevice());
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.setStandardErrorFile(QProcess::nullDevice());
    connect(&m_process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this, &NxXdgOpening::finished);
    connect(&m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            finished(-1, QProcess::CrashExit);
    });
    m_clock.start();
    m_process.start(opener, {target}, QIODevice::ReadOnly);
}

NxXdgOpening::~NxXdgOpening()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.disconnect(this); // its owner is going: nobody to tell
    m_process.kill();
    m_process.waitForFinished(1000);
}

void NxXdgOpening::finished(int exitCode, QProcess::ExitStatus status)
{
    m_process.disconnect(this);
    deleteLater();
    if (status == QProcess::NormalExit && exitCode == 0)
        return;
    if (m_clock.elapsed() >= kVerdictMs) {
        qDebug() << "NxXdgOpening::finished" << m_target << "closed with" << exitCode;
        return;
    }
    qWarning() << "NxXdgOpening::finished nothing opened" << m_target << "xdg-open exit code" << exitCode;
    if (m_failed)
        m_failed();
}

#pragma once

#include "INxShell.h"

#include <QElapsedTimer>
#include <QObject>
#include <QProcess>

// One document or address handed to xdg-open, whose exit code tells whether
// a program took it. Reports a refusal through failed; deletes itself when
// xdg-open ends. Going with its parent ends xdg-open, never what it started.
class NxXdgOpening : public QObject
{
public:
    NxXdgOpening(const QString& opener, const QString& target, QObject* parent, const INxShell::Failure& failed);
    ~NxXdgOpening() override;

private:
    void finished(int exitCode, QProcess::ExitStatus status);

    QString m_target;
    INxShell::Failure m_failed;
    QProcess m_process;
    QElapsedTimer m_clock;
};

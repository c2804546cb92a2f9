#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// One NxCloudService program started for a measurement: its address (the
// first line it prints) and its resident memory as the kernel counts it.
class NxServiceProcess
{
public:
    NxServiceProcess() = default;
    ~NxServiceProcess();
    NxServiceProcess(const NxServiceProcess&) = delete;
    NxServiceProcess& operator=(const NxServiceProcess&) = delete;

    // Waits until the service prints its address; false with why set.
    bool start(const QString& program, const QStringList& arguments, QString* why);
    QString baseUrl() const;
    // Kilobytes, from /proc; 0 once it has ended.
    qint64 residentKb() const;
    // CPU seconds (user + system) so far, from /proc.
    double cpuSeconds() const;
    // Milliseconds from start until the address was printed.
    qint64 startMs() const;

private:
    QProcess m_process;
    QString m_baseUrl;
    qint64 m_startMs = 0;
};

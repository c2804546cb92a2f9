#include "NxServiceProcess.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>

#include <unistd.h>

namespace {
const int kStartTimeoutMs = 600000;

QByteArray procFile(qint64 pid, const char* name)
{
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
}

NxServiceProcess::~NxServiceProcess()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(10000))
        m_process.kill();
    m_process.waitForFinished(5000);
}

bool NxServiceProcess::start(const QString& program, const QStringList& arguments, QString* why)
{
    QElapsedTimer clock;
    clock.start();
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(program, arguments);
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(kStartTimeoutMs - int(clock.elapsed())) || clock.elapsed() > kStartTimeoutMs) {
            *why = QStringLiteral("%1 printed no address: %2").arg(program, m_process.errorString());
            return false;
        }
    }
    m_baseUrl = QString::fromUtf8(m_process.readLine()).trimmed();
    m_startMs = clock.elapsed();
    return m_baseUrl.startsWith(QStringLiteral("http"));
}

QString NxServiceProcess::baseUrl() const
{
    return m_baseUrl;
}

qint64 NxServiceProcess::residentKb() const
{
    static const QRegularExpression rss(QStringLiteral("VmRSS:\\s+(\\d+)"));
    const QRegularExpressionMatch match = rss.match(QString::fromLatin1(procFile(m_process.processId(), "status")));
    return match.hasMatch() ? match.captured(1).toLongLong() : 0;
}

double NxServiceProcess::cpuSeconds() const
{
    // Fields 14 and 15 of stat, after the parenthesised name.
    const QByteArray stat = procFile(m_process.processId(), "stat");
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return 0;
    return (fields.at(11).toDouble() + fields.at(12).toDouble()) / double(sysconf(_SC_CLK_TCK));
}

qint64 NxServiceProcess::startMs() const
{
    return m_startMs;
}

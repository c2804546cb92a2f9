#include "NxUserActionWriter.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>

NxUserActionWriter::NxUserActionWriter(QObject* parent)
    : QObject(parent)
    , m_file(this)
{
}

void NxUserActionWriter::post(const std::function<void()>& job)
{
    QMutexLocker lock(&m_jobsMutex);
    m_jobs.append(job);
    // One wake-up per batch, not one event per action.
    if (m_wakeUpPosted)
        return;
    m_wakeUpPosted = true;
    QMetaObject::invokeMethod(this, &NxUserActionWriter::runPending, Qt::QueuedConnection);
}

void NxUserActionWriter::runPending()
{
    QVector<std::function<void()>> jobs;
    {
        QMutexLocker lock(&m_jobsMutex);
        jobs.swap(m_jobs);
        m_wakeUpPosted = false;
    }
    for (const auto& job : qAsConst(jobs))
        job();
}

void NxUserActionWriter::setFilePath(const QString& path)
{
    close();
    m_path = path;
    m_failing = false;
}

void NxUserActionWriter::setSizeLimit(qint64 bytes)
{
    m_sizeLimit = qMax<qint64>(1, bytes);
}

void NxUserActionWriter::append(const QJsonObject& entry)
{
    const QByteArray line = QJsonDocument(entry).toJson(QJsonDocument::Compact) + '\n';
    if (line.size() > m_sizeLimit) {
        warn("append", QStringLiteral("action \"%1\" of %2 bytes exceeds the file limit, dropped")
                           .arg(entry.value(QLatin1String("actionId")).toString())
                           .arg(line.size()));
        return;
    }
    if (!ensureOpen())
        return;
    if (m_file.size() > 0 && m_file.size() + line.size() > m_sizeLimit && !rotate())
        return;
    if (m_file.write(line) != line.size() || !m_file.flush()) {
        warn("append", QStringLiteral("cannot write %1: %2").arg(m_path, m_file.errorString()));
        m_file.close();
        return;
    }
    m_failing = false;
}

void NxUserActionWriter::close()
{
    if (m_file.isOpen())
        m_file.close();
}

QString NxUserActionWriter::rotatedPath(const QString& path)
{
    const QFileInfo info(path);
    if (info.suffix().isEmpty())
        return path + QStringLiteral(".1");
    return info.dir().filePath(QStringLiteral("%1.1.%2").arg(info.completeBaseName(), info.suffix()));
}

bool NxUserActionWriter::ensureOpen()
{
    if (m_file.isOpen())
        return true;
    if (m_path.isEmpty()) {
        warn("ensureOpen", QStringLiteral("no log file set"));
        return false;
    }
    const QFileInfo info(m_path);
    if (!QDir().mkpath(info.absolutePath())) {
        warn("ensureOpen", QStringLiteral("cannot create %1").arg(info.absolutePath()));
        return false;
    }
    m_file.setFileName(m_path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        warn("ensureOpen", QStringLiteral("cannot open %1: %2").arg(m_path, m_file.errorString()));
        return false;
    }
    return true;
}

bool NxUserActionWriter::rotate()
{
    m_file.close();
    const QString older = rotatedPath(m_path);
    QFile::remove(older);
    // Without the rename the file would grow past its limit; losing the
    // oldest actions is the lesser harm.
    if (!QFile::rename(m_path, older)) {
        warn("rotate", QStringLiteral("cannot rename %1 to %2, starting afresh").arg(m_path, older));
        QFile::remove(m_path);
    }
    return ensureOpen();
}

// One warning per failure streak, so a full disk does not flood the log.
void NxUserActionWriter::warn(const char* method, const QString& text)
{
    if (m_failing)
        return;
    m_failing = true;
    qWarning().noquote() << QStringLiteral("NxUserActionWriter::%1:").arg(QLatin1String(method)) << text;
}

#include "NxResumePositions.h"

#include "INxSystemInfo.h"
#include "NxPlatform.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace {

const QString kKey = QStringLiteral("key");
const QString kPosition = QStringLiteral("position");

void writeFile(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        qWarning() << "NxResumePositions::writeFile" << path << file.errorString();
}

} // namespace

NxResumePositions& NxResumePositions::instance()
{
    static NxResumePositions positions;
    return positions;
}

NxResumePositions::NxResumePositions()
{
    m_writer.setMaxThreadCount(1);
}

QString NxResumePositions::key(const QString& path, qint64 size, const QDateTime& modified)
{
    return QStringLiteral("%1|%2|%3").arg(QDir::cleanPath(path)).arg(size).arg(modified.toMSecsSinceEpoch());
}

QString NxResumePositions::filePath()
{
    QString dir = QCoreApplication::instance() ? qApp->property("TempDir").toString() : QString();
    if (dir.isEmpty())
        dir = NxPlatform::systemInfo()->dataRoot() + QStringLiteral("/Maplo/TavomcPresenterPro");
    return dir + QStringLiteral("/player/resume_positions.json");
}

double NxResumePositions::position(const QString& key)
{
    QMutexLocker locker(&m_lock);
    loadLocked();
    for (const auto& entry : qAsConst(m_entries)) {
        if (entry.first == key)
            return entry.second;
    }
    return 0;
}

void NxResumePositions::remember(const QString& key, double seconds)
{
    QMutexLocker locker(&m_lock);
    loadLocked();
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).first == key) {
            m_entries.removeAt(i);
            break;
        }
    }
    if (seconds > 0)
        m_entries.prepend({key, seconds});
    while (m_entries.size() > kMaxEntries)
        m_entries.removeLast();
    saveLocked();
}

int NxResumePositions::count()
{
    QMutexLocker locker(&m_lock);
    loadLocked();
    return m_entries.size();
}

void NxResumePositions::waitForWrites()
{
    m_writer.waitForDone();
}

// Read once per file place; tests move the place between cases.
void NxResumePositions::loadLocked()
{
    const QString path = filePath();
    if (path == m_loadedFrom)
        return;
    m_writer.waitForDone();
    m_loadedFrom = path;
    m_entries.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QJsonArray list = QJsonDocument::fromJson(file.readAll()).array();
    for (const QJsonValue& value : list) {
        const QJsonObject entry = value.toObject();
        const double seconds = entry.value(kPosition).toDouble();
        if (seconds > 0 && !entry.value(kKey).toString().isEmpty() && m_entries.size() < kMaxEntries)
            m_entries.append({entry.value(kKey).toString(), seconds});
    }
}

void NxResumePositions::saveLocked()
{
    QJsonArray list;
    for (const auto& entry : qAsConst(m_entries))
        list.append(QJsonObject{{kKey, entry.first}, {kPosition, entry.second}});
    const QByteArray data = QJsonDocument(list).toJson(QJsonDocument::Compact);
    const QString path = m_loadedFrom;
    m_writer.start([path, data] { writeFile(path, data); });
}

#include "NxDesktopAssociations.h"

#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QMutexLocker>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextStream>

namespace {

const qint64 kCacheMs = 30000;
const int kQueryTimeoutMs = 3000;

// Absolute program path with links resolved; empty when there is none.
QString resolveProgram(const QString& word)
{
    const QString path = QFileInfo(word).isAbsolute() ? word : QStandardPaths::findExecutable(word);
    if (path.isEmpty())
        return QString();
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

} // namespace

NxDesktopAssociations::Entry NxDesktopAssociations::defaultBrowser()
{
    return cached(QStringLiteral("browser"),
                  {QStringLiteral("xdg-settings get default-web-browser"),
                   QStringLiteral("xdg-mime query default x-scheme-handler/https"),
                   QStringLiteral("xdg-mime query default x-scheme-handler/http")});
}

NxDesktopAssociations::Entry NxDesktopAssociations::forSuffix(const QString& suffix)
{
    // The association belongs to the suffix, not to a file that must exist.
    const QMimeType type = QMimeDatabase().mimeTypeForFile(QStringLiteral("x") + suffix, QMimeDatabase::MatchExtension);
    if (!type.isValid() || type.isDefault())
        return Entry();
    return cached(type.name(), {QStringLiteral("xdg-mime query default ") + type.name()});
}

NxDesktopAssociations::Entry NxDesktopAssociations::cached(const QString& key, const QStringList& queries)
{
    // The window search asks on the GUI thread, the local video check on a worker.
    QMutexLocker locker(&m_lock);
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const auto it = m_cache.constFind(key);
    if (it != m_cache.constEnd() && now - it->at < kCacheMs)
        return it->entry;
    Entry entry;
    for (const QString& command : queries) {
        const QString desktopFile = query(command.split(QLatin1Char(' ')));
        if (!desktopFile.isEmpty() && !(entry = readEntry(desktopFile)).program.isEmpty())
            break;
    }
    m_cache.insert(key, Cached{now, entry});
    return entry;
}

QString NxDesktopAssociations::query(const QStringList& command)
{
    QProcess process;
    process.start(command.first(), command.mid(1));
    if (!process.waitForFinished(kQueryTimeoutMs)) {
        qDebug() << "NxDesktopAssociations::query" << command.join(QLatin1Char(' ')) << "gave no answer";
        process.kill();
        process.waitForFinished(1000);
        return QString();
    }
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

NxDesktopAssociations::Entry NxDesktopAssociations::readEntry(const QString& desktopFile)
{
    const QString path = QFileInfo(desktopFile).isAbsolute()
        ? desktopFile : QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktopFile);
    QFile file(path);
    Entry entry;
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return entry;
    // Desktop files are not Qt ini files: values keep quotes, ';' and '%'.
    QTextStream stream(&file);
    stream.setCodec("UTF-8");
    bool inEntry = false;
    QString exec;
    while (!stream.atEnd()) {
        const QString line = stream.readLine().trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inEntry = line == QLatin1String("[Desktop Entry]");
        else if (inEntry && line.startsWith(QLatin1String("Exec=")) && exec.isEmpty())
            exec = line.mid(5).trimmed();
        else if (inEntry && line.startsWith(QLatin1String("Name=")) && entry.name.isEmpty())
            entry.name = line.mid(5).trimmed();
    }
    QString rest;
    entry.program = resolveProgram(firstWord(exec, &rest));
    rest = dropFieldCodes(rest).trimmed();
    if (!entry.program.isEmpty())
        entry.commandLine = QLatin1Char('"') + entry.program + QLatin1Char('"') + (rest.isEmpty() ? QString() : QLatin1Char(' ') + rest);
    return entry;
}

QString NxDesktopAssociations::firstWord(const QString& exec, QString* rest)
{
    static const QRegularExpression word(QStringLiteral("^\\s*(?:\"([^\"]*)\"|(\\S+))"));
    const QRegularExpressionMatch match = word.match(exec);
    if (rest)
        *rest = match.hasMatch() ? exec.mid(match.capturedEnd()) : QString();
    return match.hasMatch() ? (match.captured(1).isEmpty() ? match.captured(2) : match.captured(1)) : QString();
}

QString NxDesktopAssociations::dropFieldCodes(const QString& exec)
{
    static const QRegularExpression codes(QStringLiteral("\\s*%[fFuUdDnNickvm]"));
    return QString(exec).remove(codes).replace(QLatin1String("%%"), QLatin1String("%"));
}

#include "NxLogHandler.h"

#include "INxSystemInfo.h"
#include "NxApplicationConfig.h"
#include "NxPlatform.h"

#include <QDir>
#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <QSettings>
#include <QTextStream>

namespace {

std::function<QDateTime()>& clockFunction()
{
    static std::function<QDateTime()> clock;
    return clock;
}

QString levelLabel(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg: return QStringLiteral("Debug:");
    case QtWarningMsg: return QStringLiteral("Warning:");
    case QtCriticalMsg: return QStringLiteral("Critical:");
    case QtFatalMsg: return QStringLiteral("Fatal:");
    case QtInfoMsg: return QStringLiteral("Info:");
    }
    return QString();
}

} // namespace

void NxLogHandler::install()
{
    qInstallMessageHandler(&NxLogHandler::messageHandler);
}

void NxLogHandler::setClock(std::function<QDateTime()> clock)
{
    clockFunction() = std::move(clock);
}

QDateTime NxLogHandler::now()
{
    const auto& clock = clockFunction();
    return clock ? clock() : QDateTime::currentDateTime();
}

int NxLogHandler::threshold(const QString& level)
{
    return level == QLatin1String("info") ? 4 : 3;
}

QString NxLogHandler::fileName(const QDateTime& now)
{
    return QStringLiteral("log_%1.txt").arg(now.toString(QStringLiteral("MM-dd_hhmm")));
}

QString NxLogHandler::formatLine(const QDateTime& now, QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    const QString contextText = QStringLiteral("(%1 %2)").arg(QString::fromUtf8(context.file), QString::number(context.line));
    return QStringLiteral("%1 %2 %3 %4").arg(now.toString(QStringLiteral("hh:mm:ss zzz")), levelLabel(type), message, contextText);
}

void NxLogHandler::messageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    static QMutex mutex;
    QMutexLocker locker(&mutex);

    // Re-read for every message so a technician can redirect logs while the program runs.
    QSettings ini(NxApplicationConfig::versionIniPath(), QSettings::IniFormat);
    ini.setIniCodec("UTF-8");
    const QString defaultDir = NxPlatform::systemInfo()->defaultLogDir();
    QString dirPath = ini.value(QStringLiteral("Log/Path"), defaultDir).toString();
    const QString level = ini.value(QStringLiteral("Log/Level"), QStringLiteral("Debug")).toString();
    // An empty Path would put the logs into the root of the file system.
    const bool emptyPath = dirPath.trimmed().isEmpty();
    if (emptyPath)
        dirPath = defaultDir;

    QDir dir(dirPath);
    if (!dir.exists())
        dir.mkpath(QStringLiteral("."));
    if (int(type) > threshold(level))
        return;

    const QDateTime time = now();
    const QString name = fileName(time);
    const QString path = dir.exists() ? QStringLiteral("%1/%2").arg(dirPath, name) : name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    QTextStream stream(&file);
    stream.setCodec("UTF-8");
    static bool emptyPathReported = false;
    if (emptyPath && !emptyPathReported) {
        emptyPathReported = true;
        const QString note = QStringLiteral("NxLogHandler::messageHandler version.ini [Log] Path is empty, logging to ") + dirPath;
        stream << formatLine(time, QtWarningMsg, QMessageLogContext(), note) << "\r\n";
    }
    stream << formatLine(time, type, context, message) << "\r\n";
    stream.flush();
}

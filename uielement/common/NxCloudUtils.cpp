#include "NxCloudUtils.h"

#include "INxDrives.h"
#include "INxProcesses.h"
#include "INxWindows.h"
#include "NxPlatform.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QJsonDocument>
#include <QLayout>
#include <QSaveFile>
#include <QSettings>
#include <QStorageInfo>
#include <QThread>
#include <QWidget>

namespace {

// The caller waits for the listing program: a few seconds at most.
const int kListingTimeoutMs = 5000;
const char kUninstall[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\%1Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

QSettings* openIni(const QString& path, QObject* parent = nullptr)
{
    auto* settings = new QSettings(path, QSettings::IniFormat, parent);
    settings->setIniCodec("UTF-8");
    return settings;
}

QString registryValue(const QString& key, const QString& valueName)
{
    return QSettings(key, QSettings::NativeFormat).value(valueName).toString();
}

} // namespace

NxCloudUtils::NxCloudUtils(QObject* parent)
    : QObject(parent)
{
}

QJsonArray NxCloudUtils::getUsbDisk()
{
    INxDrives* drives = NxPlatform::drives();
    QJsonArray disks;
    for (const QString& root : drives->roots()) {
        if (drives->type(root) != INxDrives::Type::Removable)
            continue;
        const QString drive = drives->driveName(root);
        if (isUsbDisk(drives->devicePath(drive)))
            disks.append(QJsonObject{{QStringLiteral("name"), drive}});
    }
    return disks;
}

bool NxCloudUtils::isUsbDisk(const QString& devicePath)
{
    return NxPlatform::drives()->isUsbDevice(devicePath);
}

QString NxCloudUtils::getUsbDiskShowName(const QString& rootPath)
{
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && !volume.isReadOnly() && volume.rootPath() == rootPath
            && volume.bytesTotal() > 0)
            return volume.name();
    }
    return QString();
}

QJsonArray NxCloudUtils::getJsonArray(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QJsonArray();
    return QJsonDocument::fromJson(file.readAll()).array();
}

QJsonObject NxCloudUtils::getJsonObject(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QJsonObject();
    return QJsonDocument::fromJson(file.readAll()).object();
}

QJsonArray NxCloudUtils::getJsonArrayFromString(const QString& json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError) {
        qDebug() << "Parse json " + json + " error: " << error.error;
        return QJsonArray();
    }
    return document.array();
}

QJsonObject NxCloudUtils::getJsonObjectFromString(const QString& json)
{
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8());
    if (document.isNull())
        qInfo() << "please check the jsonString " + json;
    return document.object();
}

bool NxCloudUtils::writeJson(const QString& path, const QByteArray& data)
{
    // Written beside the old file and swapped in, so a failure keeps it.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        qWarning() << "writeJson error." << path << file.errorString();
        return false;
    }
    return true;
}

void NxCloudUtils::writeJsonArray(const QString& path, const QJsonArray& array)
{
    writeJson(path, QJsonDocument(array).toJson(QJsonDocument::Indented));
}

void NxCloudUtils::writeJsonObject(const QString& path, const QJsonObject& object)
{
    writeJson(path, QJsonDocument(object).toJson(QJsonDocument::Indented));
}

QString NxCloudUtils::getStringFromJsonObject(const QJsonObject& object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
}

QString NxCloudUtils::getStringFromJsonArray(const QJsonArray& array)
{
    QStringList parts;
    for (const QJsonValue& value : array)
        parts.append(getStringFromJsonObject(value.toObject()));
    return QLatin1Char('[') + parts.join(QLatin1Char(',')) + QLatin1Char(']');
}

QVariant NxCloudUtils::getIniValue(const QString& path, const QString& key)
{
    QScopedPointer<QSettings> ini(openIni(path));
    return ini->value(key, QString());
}

void NxCloudUtils::writeIni(const QString& path, const QString& key, const QString& value)
{
    QScopedPointer<QSettings> ini(openIni(path));
    ini->setValue(key, value);
}

void NxCloudUtils::removeIniKey(const QString& path, const QString& key)
{
    QScopedPointer<QSettings> ini(openIni(path));
    ini->remove(key);
}

int NxCloudUtils::iniGroupSize(const QString& path, const QString& group)
{
    QScopedPointer<QSettings> ini(openIni(path));
    ini->beginGroup(group);
    return ini->allKeys().size();
}

QJsonArray NxCloudUtils::getIniValuesByGroup(const QString& path, const QString& group)
{
    static const char* const kFields[] = {"enName", "name", "image", "appName", "params", "regKey", "regGroup"};
    QScopedPointer<QSettings> ini(openIni(path));
    ini->beginGroup(group);
    QJsonArray apps;
    for (const QString& key : ini->childKeys()) {
        // A value with commas comes back as a list; it is one text here.
        const QVariant raw = ini->value(key);
        const QString value = raw.type() == QVariant::StringList ? raw.toStringList().join(QLatin1Char(',')) : raw.toString();
        const QStringList fields = value.split(QLatin1Char('|'));
        const int count = fields.size() > 6 ? 7 : (fields.size() >= 3 ? 3 : 0);
        QJsonObject entry;
        for (int i = 0; i < count; ++i)
            entry.insert(QLatin1String(kFields[i]), fields.at(i));
        entry.insert(QStringLiteral("appGroup"), group);
        const QString appPath = resolveAppPath(entry);
        const QString appName = entry.value(QStringLiteral("appName")).toString();
        if (appPath.isEmpty() || appPath == appName || !QFileInfo::exists(appPath))
            continue;
        entry.insert(QStringLiteral("appPath"), appPath);
        apps.append(entry);
    }
    return apps;
}

QString NxCloudUtils::resolveAppPath(const QJsonObject& entry)
{
    const QString regGroup = entry.value(QStringLiteral("regGroup")).toString();
    const QString regKey = entry.value(QStringLiteral("regKey")).toString();
    const QString appName = entry.value(QStringLiteral("appName")).toString();
    if (regGroup == QLatin1String("Maplo") || regGroup == QLatin1String("qlea")) {
        QString appPath = getSoftwareRegeditShellPath(regKey, regGroup);
        if (appPath.isEmpty())
            appPath = getSoftwareRegeditPath(regKey, regGroup) + appName;
        if (regKey == QLatin1String("Quillora") && appPath == appName)
            appPath = getExeInstallPath(QStringLiteral("TavoQuillora")) + QStringLiteral("TavoQuillora.exe");
        return appPath;
    }
    if (regGroup == QLatin1String("baoding"))
        return getBaoDingexeInstallPath(regKey) + appName;
    if (regGroup == QLatin1String("Moruvi"))
        return getMoruviexeInstallPath(regKey);
    return QString();
}

QString NxCloudUtils::withSeparator(const QString& path)
{
    if (path.isEmpty() || path.endsWith(QLatin1Char('\\')) || path.endsWith(QLatin1Char('/')))
        return path;
    return path + QLatin1Char('\\');
}

QString NxCloudUtils::checkPptOrWps(const QString& extension)
{
    return registryValue(QStringLiteral("HKEY_CLASSES_ROOT\\") + extension, QStringLiteral("Default"));
}

bool NxCloudUtils::checkAppInstall(const QString& extension)
{
    const QString programId = checkPptOrWps(extension);
    if (programId.isEmpty())
        return false;
    return !registryValue(QStringLiteral("HKEY_CLASSES_ROOT\\%1\\DefaultIcon").arg(programId), QStringLiteral("Default"))
                .isEmpty();
}

QString NxCloudUtils::getExeInstallPath(const QString& name)
{
    QString path = registryValue(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\") + name, QStringLiteral("InstPath"));
    if (path.isEmpty())
        path = registryValue(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\") + name, QStringLiteral("InstPath"));
    return withSeparator(path);
}

QString NxCloudUtils::uninstallValue(const QString& name, const QString& valueName)
{
    const QString wow = registryValue(QString::fromLatin1(kUninstall).arg(QStringLiteral("WOW6432Node\\")) + name, valueName);
    return wow.isEmpty() ? registryValue(QString::fromLatin1(kUninstall).arg(QString()) + name, valueName) : wow;
}

QString NxCloudUtils::getBaoDingexeInstallPath(const QString& name)
{
    return uninstallValue(name, QStringLiteral("InstallLocation"));
}

QString NxCloudUtils::getMoruviexeInstallPath(const QString& name)
{
    return uninstallValue(name, QStringLiteral("DisplayIcon"));
}

QString NxCloudUtils::systemValue(const QString& organisation, const QString& application, const QString& key)
{
    return QSettings(QSettings::NativeFormat, QSettings::SystemScope, organisation, application).value(key).toString();
}

QString NxCloudUtils::getMaploexePath()
{
    return systemValue(QStringLiteral("Maplo"), QStringLiteral("Maplo"), QStringLiteral("InstallPath")) + QLatin1Char('\\');
}

QString NxCloudUtils::getSoftwareRegeditPath(const QString& key, const QString& group)
{
    return withSeparator(systemValue(group, key, QStringLiteral("InstallPath")));
}

QString NxCloudUtils::getSoftwareRegeditShellPath(const QString& key, const QString& group)
{
    return systemValue(group, key, QStringLiteral("StartShellPath"));
}

QString NxCloudUtils::getSoftwareRegeditVersion(const QString& key, const QString& group)
{
    return systemValue(group, key, QStringLiteral("CurrentVersion"));
}

QString NxCloudUtils::getSoftwareRegeditCurrentVersion(const QString& key, const QString& group)
{
    return getSoftwareRegeditVersion(key, group);
}

QString NxCloudUtils::getSoftwareRegeditPathNew(const QString& key, const QString& group)
{
    const QString version = getSoftwareRegeditVersion(key, group);
    return systemValue(key + QLatin1Char('\\') + group, version, QStringLiteral("InstallPath"));
}

QString NxCloudUtils::getSoftwareRegeditShellInstallPath(const QString& key, const QString& group)
{
    return getSoftwareRegeditPathNew(key, group);
}

quint32 NxCloudUtils::GetProcessIDByName(const QString& exeName)
{
    for (const INxProcesses::Process& process : NxPlatform::processes()->snapshot()) {
        if (process.exeName == exeName)
            return quint32(process.id);
    }
    return 0;
}

QString NxCloudUtils::getRunningProcesses()
{
    const QCoreApplication* app = QCoreApplication::instance();
    if (app && QThread::currentThread() == app->thread()) {
        qWarning() << "NxCloudUtils::getRunningProcesses refused on the GUI thread, which must not wait for a program";
        return QString();
    }
    return NxPlatform::processes()->listing(kListingTimeoutMs);
}

quintptr NxCloudUtils::hGetProcessWnd(quint32 pid)
{
    INxWindows* windows = NxPlatform::windows();
    for (INxWindows::Handle window : windows->topLevelWindows()) {
        const quint32 style = windows->style(window);
        if ((style & INxWindows::kVisibleStyle) && !(style & INxWindows::kChildStyle) && windows->processId(window) == pid)
            return window;
    }
    return 0;
}

void NxCloudUtils::killProcess(QString& exeName, bool onlyOwnInstallation)
{
    INxProcesses* processes = NxPlatform::processes();
    const QList<INxProcesses::Process> snapshot = processes->snapshot();
    QList<qint64> dwPidList;
    for (int i = 1; i < snapshot.size(); ++i) {
        if (snapshot.at(i).exeName.toUtf8() == exeName.toUtf8())
            dwPidList.append(snapshot.at(i).id);
    }
    const QString ownDir = QCoreApplication::applicationDirPath();
    for (int i = dwPidList.size() - 1; i >= 0; --i) {
        if (onlyOwnInstallation) {
            const QString module = processes->imagePath(dwPidList.at(i)).replace(QLatin1Char('\\'), QLatin1Char('/'));
            if (!module.contains(ownDir))
                continue;
        }
        if (processes->terminate(dwPidList.at(i)))
            qDebug() << "NxCloudUtils::killProcess dwPidList[" << i << "]" << dwPidList.at(i) << exeName;
    }
}

void NxCloudUtils::clearLayout(QLayout* layout)
{
    if (!layout)
        return;
    while (QLayoutItem* item = layout->takeAt(0)) {
        if (QWidget* widget = item->widget()) {
            widget->hide();
            layout->removeWidget(widget);
            widget->setParent(nullptr);
        } else if (QLayout* nested = item->layout()) {
            clearLayout(nested);
        }
        delete item;
    }
}

QString NxCloudUtils::strFarmat(const QString& text, int width, const QFont& font)
{
    const QFontMetrics metrics(font);
    if (metrics.horizontalAdvance(text) >= width)
        return metrics.elidedText(text, Qt::ElideRight, width);
    return text;
}

void NxCloudUtils::setAppParam(const QString& name, const QVariant& value)
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->setProperty(name.toUtf8().constData(), value);
}

QString NxCloudUtils::getStringBase64(const QString& text)
{
    return QString::fromLatin1(text.toUtf8().toBase64());
}

void NxCloudUtils::encryption(QString& text)
{
    static const QByteArray kKey = QByteArrayLiteral("TavoMediaKey7");
    QString scrambled = text;
    for (int i = 0; i < scrambled.size(); ++i)
        scrambled[i] = QChar(ushort(scrambled.at(i).unicode() ^ uchar(kKey.at(i % kKey.size()))));
    // With the length, so a unit that became NUL does not cut the text.
    const QByteArray utf8 = scrambled.toUtf8();
    text = QString::fromUtf8(utf8.constData(), utf8.size());
}

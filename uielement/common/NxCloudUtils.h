#pragma once

#include "TavoUIElementGlobal.h"

#include <QFont>
#include <QJsonArray>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QVariant>

class QLayout;

// Stateless helpers for the rest of the system: USB drives, JSON and INI
// files, installed programs in the registry, processes and a few text
// chores. Process ids are the system's 32-bit ids; window handles are the
// platform layer's handles (0 when none).
class TAVOUIELEMENT_EXPORT NxCloudUtils : public QObject
{
    Q_OBJECT

public:
    explicit NxCloudUtils(QObject* parent = nullptr);

    // USB drives: [{"name": drive}], drive as "E:" (mount point on Unix).
    static QJsonArray getUsbDisk();
    static bool isUsbDisk(const QString& devicePath);
    static QString getUsbDiskShowName(const QString& rootPath);

    static QJsonArray getJsonArray(const QString& path);
    static QJsonObject getJsonObject(const QString& path);
    static QJsonArray getJsonArrayFromString(const QString& json);
    static QJsonObject getJsonObjectFromString(const QString& json);
    // The old file stays when the new one cannot be written.
    static void writeJsonArray(const QString& path, const QJsonArray& array);
    static void writeJsonObject(const QString& path, const QJsonObject& object);
    static QString getStringFromJsonObject(const QJsonObject& object);
    static QString getStringFromJsonArray(const QJsonArray& array);

    static QVariant getIniValue(const QString& path, const QString& key);
    static void writeIni(const QString& path, const QString& key, const QString& value);
    static void removeIniKey(const QString& path, const QString& key);
    static int iniGroupSize(const QString& path, const QString& group);
    QJsonArray getIniValuesByGroup(const QString& path, const QString& group);

    static bool checkAppInstall(const QString& extension);
    static QString checkPptOrWps(const QString& extension);
    static QString getExeInstallPath(const QString& name);
    static QString getBaoDingexeInstallPath(const QString& name);
    static QString getMoruviexeInstallPath(const QString& name);
    static QString getMaploexePath();
    static QString getSoftwareRegeditPath(const QString& key, const QString& group);
    static QString getSoftwareRegeditShellPath(const QString& key, const QString& group);
    static QString getSoftwareRegeditVersion(const QString& key, const QString& group);
    static QString getSoftwareRegeditCurrentVersion(const QString& key, const QString& group);
    static QString getSoftwareRegeditPathNew(const QString& key, const QString& group);
    static QString getSoftwareRegeditShellInstallPath(const QString& key, const QString& group);

    static quint32 GetProcessIDByName(const QString& exeName);
    // Waits up to 5 s for the system's listing program: worker threads only
    // (empty, with a log line, on the GUI thread).
    static QString getRunningProcesses();
    static quintptr hGetProcessWnd(quint32 pid);
    static void killProcess(QString& exeName, bool onlyOwnInstallation);

    static void clearLayout(QLayout* layout);
    static QString strFarmat(const QString& text, int width, const QFont& font);
    static void setAppParam(const QString& name, const QVariant& value);
    QString getStringBase64(const QString& text);
    static void encryption(QString& text);

private:
    static bool writeJson(const QString& path, const QByteArray& data);
    static QString withSeparator(const QString& path);
    static QString systemValue(const QString& organisation, const QString& application, const QString& key);
    static QString uninstallValue(const QString& name, const QString& valueName);
    static QString resolveAppPath(const QJsonObject& entry);
};

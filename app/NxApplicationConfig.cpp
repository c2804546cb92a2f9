#include "NxApplicationConfig.h"

#include "INxNetWorkChecker.h"
#include "INxNetWorkManager.h"
#include "INxSystemInfo.h"
#include "NxPlatform.h"
#include "NxRelaynet.h"
#include "NxShellNative.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QTranslator>

namespace {

const char kAppName[] = "TavomcPresenterPro";

struct VersionKey {
    const char* property;
    const char* key;
    bool isInt;
};

// In publishing order; note "appkey"/"appname" differ in case from the keys.
const VersionKey kVersionKeys[] = {
    {"projectName", "projectName", false},
    {"appkey", "appKey", false},
    {"appname", "appName", false},
    {"version", "version", false},
    {"cloudhost", "cloudhost", false},
    {"cloudrest", "cloudrest", false},
    {"uploadSize", "uploadSize", true},
    {"appHost", "appHost", false},
    {"loginHost", "loginHost", false},
    {"ssoHost", "ssoHost", false},
    {"liveHost", "liveHost", false},
    {"wechatHost", "wechatHost", false},
    {"hostType", "hostType", false},
    // Web base of the classroom platform that serves the QR sign-in.
    {"platformHost", "platformHost", false},
};

void setAppProperty(const char* name, const QVariant& value)
{
    QCoreApplication::instance()->setProperty(name, value);
}

QString programDir()
{
    return QCoreApplication::applicationDirPath();
}

// Directory relative to the program directory, as an absolute path ending in "/".
QString resolvedDir(const QString& relative)
{
    return QDir::cleanPath(QDir(programDir()).absoluteFilePath(relative)) + QLatin1Char('/');
}

} // namespace

NxApplicationConfig::NxApplicationConfig(QObject* parent)
    : QObject(parent)
    , m_appName(QString::fromLatin1(kAppName))
{
    prepareDataDirectories();
    computeScale();
    publishVersionInfo(versionIniPath());
    resetTempDir();
    resolveEnvironmentDir();
    initTranslations();
    initNetworkManager();
    setAppProperty("delWgtShow", false);
}

INxNetWorkManager* NxApplicationConfig::networkManager() const
{
    return m_networkManager;
}

QString NxApplicationConfig::versionIniPath()
{
    return programDir() + QStringLiteral("/version.ini");
}

int NxApplicationConfig::readNeedLog()
{
    QSettings ini(versionIniPath(), QSettings::IniFormat);
    ini.setIniCodec("UTF-8");
    return ini.value(QStringLiteral("Log/NeedLog"), 0).toInt();
}

double NxApplicationConfig::scaleFactorForWidth(int width)
{
    if (width >= 3840)
        return 2.0;
    if (width >= 1920)
        return 1.0;
    if (width > 1366)
        return 0.8;
    return 0.71;
}

void NxApplicationConfig::publishVersionInfo(const QString& iniPath)
{
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.setIniCodec("UTF-8");
    ini.beginGroup(QStringLiteral("versionInformation"));
    for (const VersionKey& entry : kVersionKeys) {
        const QVariant value = ini.value(QString::fromLatin1(entry.key));
        setAppProperty(entry.property, entry.isInt ? QVariant(value.toInt()) : QVariant(value.toString()));
    }
    ini.endGroup();
    setAppProperty("localVideos", localVideoPlayer(ini.value(QStringLiteral("Player/LocalVideos")).toString()));
}

QString NxApplicationConfig::localVideoPlayer(const QString& configured)
{
    const QString builtin = QStringLiteral("builtin");
    const QString system = QStringLiteral("system");
    const QString value = configured.trimmed().toLower();
    if (value == builtin || value == system)
        return value;
    if (!value.isEmpty())
        qWarning() << "NxApplicationConfig::localVideoPlayer" << "unknown [Player] LocalVideos" << configured;
    return NxShellNative::systemPlaysVideos() ? system : builtin;
}

void NxApplicationConfig::prepareDataDirectories()
{
    const QString tempDir = NxPlatform::systemInfo()->dataRoot() + QStringLiteral("/Maplo/") + m_appName;
    QDir().mkpath(tempDir);
    setAppProperty("TempDir", tempDir);
    const QString channelDir = tempDir + QStringLiteral("/channel");
    QDir().mkpath(channelDir);
    setAppProperty("channelDir", channelDir);
}

void NxApplicationConfig::computeScale()
{
    const QScreen* primary = QGuiApplication::primaryScreen();
    const int width = primary ? int(primary->availableGeometry().width()) : 1920;
    m_scaleFactor = scaleFactorForWidth(width);
    setAppProperty("scalefactor", m_scaleFactor);

    const QList<QScreen*> screens = QGuiApplication::screens();
    const float dpiScale = screens.isEmpty() ? 1.0f : float(screens.first()->logicalDotsPerInch() / 96.0);
    setAppProperty("scaleDpi", QVariant::fromValue(dpiScale));
}

void NxApplicationConfig::resetTempDir()
{
    // Every start begins with an empty temporary directory that only this
    // user can reach: the shared one would let others plant links to delete.
    if (NxPlatform::systemInfo()->resetPrivateTempDir(m_appName).isEmpty())
        qWarning() << "NxApplicationConfig::resetTempDir" << "no private temporary directory; none is used";
}

void NxApplicationConfig::resolveEnvironmentDir()
{
    if (m_environmentDir.isEmpty())
        m_environmentDir = QStringLiteral("./Environment/");
    if (!QFileInfo(resolvedDir(m_environmentDir)).isDir())
        m_environmentDir = QStringLiteral("../../Environment/");
    const QString environment = resolvedDir(m_environmentDir);
    QDir::addSearchPath(QStringLiteral("envDir"), environment);
    QDir::addSearchPath(QStringLiteral("translationsDir"), environment + QStringLiteral("translations/"));
}

void NxApplicationConfig::initTranslations()
{
    // Owned by the configuration, which lives as long as the program; a
    // translator removes itself from the application when it goes.
    if (!m_appTranslator)
        m_appTranslator = new QTranslator(this);
    if (!m_qtTranslator)
        m_qtTranslator = new QTranslator(this);
    loadLanguage(QStringLiteral("zh_CN"));
}

void NxApplicationConfig::loadLanguage(const QString& language)
{
    setAppProperty("language", language);
    const QString prefix = QStringLiteral("translationsDir:/");
    if (language != QLatin1String("en_US")) {
        m_appTranslator->load(prefix + m_appName + QLatin1Char('_') + language + QStringLiteral(".qm"));
        m_qtTranslator->load(prefix + QStringLiteral("qt_") + language + QStringLiteral(".qm"));
    } else {
        m_appTranslator->load(QFileInfo(prefix + m_appName + QStringLiteral("_en_US.qm")).absoluteFilePath());
        m_qtTranslator->load(QFileInfo(prefix + QStringLiteral("qt_en.qm")).absoluteFilePath());
    }
    QCoreApplication::installTranslator(m_appTranslator);
    QCoreApplication::installTranslator(m_qtTranslator);
}

void NxApplicationConfig::initNetworkManager()
{
    if (!m_networkManager)
        m_networkManager = NxRelaynet::getInst(this);
    if (m_networkManager && m_networkManager->getNetChecker())
        m_networkManager->getNetChecker()->setCheckMode(QStringLiteral("qtcpsocket"));
}

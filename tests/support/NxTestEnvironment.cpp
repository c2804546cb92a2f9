#include "NxTestEnvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>

NxTestEnvironment::NxTestEnvironment()
{
    QDir root(m_dir.path());
    root.mkpath(QStringLiteral("data"));
    root.mkpath(QStringLiteral("tmp"));
    root.mkpath(QStringLiteral("run"));
    setVariable("ALLUSERSPROFILE", dataRoot());
    setVariable("TMPDIR", tempDir());
    setVariable("XDG_RUNTIME_DIR", runtimeDir());
}

NxTestEnvironment::~NxTestEnvironment()
{
    for (auto it = m_saved.cbegin(); it != m_saved.cend(); ++it) {
        if (it.value().isNull())
            qunsetenv(it.key().constData());
        else
            qputenv(it.key().constData(), it.value());
    }
}

void NxTestEnvironment::setVariable(const char* name, const QString& value)
{
    if (!m_saved.contains(name))
        m_saved.insert(name, qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray());
    if (value.isNull())
        qunsetenv(name);
    else
        qputenv(name, value.toUtf8());
}

void NxTestEnvironment::useBareDesktop(const QString& browser)
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"})
        setVariable(name, QString());
    setVariable("XDG_CURRENT_DESKTOP", QStringLiteral("X-Generic"));
    setVariable("MAILCAPS", m_dir.filePath(QStringLiteral("no-mailcap")));
    // An empty BROWSER would make xdg-open try the usual browsers by name.
    setVariable("BROWSER", browser.isEmpty() ? m_dir.filePath(QStringLiteral("no-browser")) : browser);
}

QString NxTestEnvironment::path() const
{
    return m_dir.path();
}

QString NxTestEnvironment::dataRoot() const
{
    return m_dir.path() + QStringLiteral("/data");
}

QString NxTestEnvironment::tempDir() const
{
    return m_dir.path() + QStringLiteral("/tmp");
}

QString NxTestEnvironment::runtimeDir() const
{
    return m_dir.path() + QStringLiteral("/run");
}

QString NxTestEnvironment::useChannelDir()
{
    const QString dir = dataRoot() + QStringLiteral("/channel");
    QDir().mkpath(dir);
    QCoreApplication::instance()->setProperty("channelDir", dir);
    return dir;
}

bool NxTestEnvironment::writeIni(const QString& filePath, const QMap<QString, QVariant>& values)
{
    QFile::remove(filePath);
    QSettings ini(filePath, QSettings::IniFormat);
    ini.setIniCodec("UTF-8");
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        ini.setValue(it.key(), it.value());
    ini.sync();
    return ini.status() == QSettings::NoError;
}

// version.ini as the program reads it at start: the installation's keys
// published on the application object, and the log level.
#include "NxApplicationConfig.h"
#include "NxFuzzApp.h"
#include "NxLogHandler.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    NxFuzzApp::ensure();
    // A new name each time: settings files are cached by name and time stamp.
    static int counter = 0;
    const QString path = NxFuzzApp::writeFile(QStringLiteral("version-%1.ini").arg(++counter), NxFuzzApp::bytes(data, size));
    NxApplicationConfig::publishVersionInfo(path);
    NxFuzzApp::check(QCoreApplication::instance()->property("uploadSize").type() == QVariant::Int, "uploadSize not a number");
    {
        QSettings ini(path, QSettings::IniFormat);
        ini.setIniCodec("UTF-8");
        NxLogHandler::threshold(ini.value(QStringLiteral("Log/Level"), QStringLiteral("Debug")).toString());
        ini.value(QStringLiteral("Log/NeedLog"), 0).toInt();
    }
    QFile::remove(path);
    return 0;
}

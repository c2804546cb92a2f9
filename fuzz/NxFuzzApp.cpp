#include "NxFuzzApp.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPair>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

void dropMessage(QtMsgType, const QMessageLogContext&, const QString&)
{
}

QTemporaryDir& temporaryDir()
{
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/nx-fuzz-XXXXXX"));
    return dir;
}

} // namespace

void NxFuzzApp::ensure(Kind kind)
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "nx-fuzz";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(dropMessage);
    // Made once and never destroyed: every input runs in the same process.
    if (kind == Kind::Gui)
        new QGuiApplication(argc, argv);
    else
        new QCoreApplication(argc, argv);
    check(temporaryDir().isValid(), "no temporary directory");
}

QByteArray NxFuzzApp::bytes(const uint8_t* data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size));
}

QString NxFuzzApp::workDir()
{
    return temporaryDir().path();
}

QString NxFuzzApp::writeFile(const QString& name, const QByteArray& data)
{
    const QString path = workDir() + QLatin1Char('/') + name;
    QFile file(path);
    check(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size(), "input not written");
    return path;
}

void NxFuzzApp::check(bool condition, const char* what)
{
    if (condition)
        return;
    std::fprintf(stderr, "nx-fuzz: %s\n", what);
    std::abort();
}

QPair<QByteArray, QByteArray> NxFuzzApp::split(const QByteArray& data)
{
    const int nul = data.indexOf('\0');
    if (nul < 0)
        return {data, QByteArray()};
    return {data.left(nul), data.mid(nul + 1)};
}

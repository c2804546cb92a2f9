// The own player on a local clip: time from the file dialog's OK (the
// opener is handed the path) to the first picture, then memory and
// processor use while it plays. The renderer is whatever the platform
// offers: OpenGL on an X server, software under "offscreen".
//   bench_local_player <clip> [seconds of playback to sample]

#include "NxLocalMediaOpener.h"
#include "NxLocalPlayer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <unistd.h>

namespace {

// User plus system processor time of this process, in seconds.
double processorSeconds()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = stat.readAll().split(')').last().split(' ');
    // After the name: state is field 3, utime 14, stime 15 (1-based in proc(5)).
    return (fields.value(12).toDouble() + fields.value(13).toDouble()) / double(sysconf(_SC_CLK_TCK));
}

double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

// Milliseconds from the path handed over to the first picture; -1 on failure.
qint64 openAndWait(NxLocalMediaOpener& opener, const QString& clip)
{
    QEventLoop loop;
    bool ok = false;
    QObject::connect(&opener, &NxLocalMediaOpener::sigLocalVideoPlayed, &loop, [&](QString, bool succ) {
        ok = succ;
        loop.quit();
    });
    QElapsedTimer timer;
    timer.start();
    opener.playLocalFile(clip);
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    loop.exec();
    return ok ? timer.elapsed() : -1;
}

void wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString clip = QString::fromLocal8Bit(argv[1]);
    const int seconds = argc > 2 ? atoi(argv[2]) : 5;
    app.setProperty("localVideos", "builtin");
    // No resume position from an earlier run: the clip starts at its beginning.
    QTemporaryDir data;
    app.setProperty("TempDir", data.path());
    QWidget home;
    NxLocalMediaOpener opener(&home);

    QJsonObject result{{QStringLiteral("platform"), QApplication::platformName()}};
    const double before = residentMegabytes();
    // As when the dialog opens: the engine loads while the teacher chooses.
    if (qEnvironmentVariableIsSet("NX_BENCH_PREPARE")) {
        NxLocalMediaOpener::preparePlayer();
        wait(1500);
    }
    result.insert(QStringLiteral("firstOpenMs"), openAndWait(opener, clip));
    wait(500);
    const double cpuStart = processorSeconds();
    QElapsedTimer wall;
    wall.start();
    wait(seconds * 1000);
    result.insert(QStringLiteral("cpuPercent"), 100.0 * (processorSeconds() - cpuStart) / (wall.elapsed() / 1000.0));
    result.insert(QStringLiteral("rssMB"), residentMegabytes());
    result.insert(QStringLiteral("rssBeforeMB"), before);
    if (opener.player())
        opener.player()->close();
    wait(500);
    // The engine's libraries are loaded now, as for every video after the first.
    result.insert(QStringLiteral("nextOpenMs"), openAndWait(opener, clip));
    printf("%s\n", QJsonDocument(result).toJson(QJsonDocument::Compact).constData());
    return 0;
}

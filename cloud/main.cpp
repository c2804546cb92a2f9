// NxCloudService: the local cloud service as a program, for demos and manual
// testing. Serves the demo seed, its pictures and clips until SIGINT or SIGTERM.

#include "NxCloudServer.h"
#include "NxGeneratedCatalogue.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMutex>
#include <QTextStream>
#include <QThread>
#include <atomic>
#include <csignal>

namespace {
std::atomic<bool> g_quit{false};

void requestQuit(int)
{
    g_quit = true;
}

struct Options
{
    QString host;
    quint16 port = 0;
    QString seed;
    QString pictures;
    QString media;
    int autoConfirmAfter = -1;
    int channels = -1;
    int stations = -1;
    bool logRequests = false;
};

// A count option: absent keeps the seed's own list.
bool parseCount(const QCommandLineParser& parser, const QString& name, int* count, QString& error)
{
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    *count = parser.value(name).toInt(&ok);
    if (ok && *count >= 0 && *count <= 1000000)
        return true;
    error = QStringLiteral("invalid count for --%1: %2").arg(name, parser.value(name));
    return false;
}

// One line per request as it arrives: milliseconds since start, method, path.
void logRequests(NxCloudServer& server, QTextStream& out)
{
    static QElapsedTimer clock;
    static QMutex mutex;
    clock.start();
    server.setRequestObserver([&out](const NxCloudRequest& request) {
        QMutexLocker lock(&mutex);
        out << clock.elapsed() << ' ' << request.method << ' ' << request.path << Qt::endl;
    });
}

// "--auto-confirm-after N": N polls stay unconfirmed, then the code confirms.
bool parseAutoConfirm(const QCommandLineParser& parser, Options& options, QString& error)
{
    if (!parser.isSet(QStringLiteral("auto-confirm-after")))
        return true;
    bool ok = false;
    options.autoConfirmAfter = parser.value(QStringLiteral("auto-confirm-after")).toInt(&ok);
    if (ok && options.autoConfirmAfter >= 0)
        return true;
    error = QStringLiteral("invalid poll count: ") + parser.value(QStringLiteral("auto-confirm-after"));
    return false;
}

bool parseOptions(const QCoreApplication& app, Options& options, QString& error)
{
    const QString cloudDir = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("cloud"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Local cloud service of the classroom media centre."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("host"), QStringLiteral("Address to listen on."), QStringLiteral("address"), QStringLiteral("127.0.0.1")});
    parser.addOption({QStringLiteral("port"), QStringLiteral("Port; 0 picks a free one."), QStringLiteral("port"), QStringLiteral("8090")});
    parser.addOption({QStringLiteral("seed"), QStringLiteral("Seed JSON file."), QStringLiteral("file"), QDir(cloudDir).filePath(QStringLiteral("demo-seed.json"))});
    parser.addOption({QStringLiteral("pictures"), QStringLiteral("Directory served under /pictures/."), QStringLiteral("dir"), QDir(cloudDir).filePath(QStringLiteral("pictures"))});
    parser.addOption({QStringLiteral("media"), QStringLiteral("Directory of clips served under /media/."), QStringLiteral("dir"), QDir(cloudDir).filePath(QStringLiteral("media"))});
    parser.addOption({QStringLiteral("auto-confirm-after"), QStringLiteral("Confirm a QR sign-in code by itself after this many polls (off by default)."), QStringLiteral("polls")});
    parser.addOption({QStringLiteral("channels"), QStringLiteral("Offer this many generated own channels, each with its pictures, instead of the seed's."), QStringLiteral("count")});
    parser.addOption({QStringLiteral("stations"), QStringLiteral("Offer this many generated TV stations instead of the seed's."), QStringLiteral("count")});
    parser.addOption({QStringLiteral("log-requests"), QStringLiteral("Print every request as it arrives: milliseconds, method, path.")});
    parser.process(app);
    bool portOk = false;
    const uint port = parser.value(QStringLiteral("port")).toUInt(&portOk);
    if (!portOk || port > 65535) {
        error = QStringLiteral("invalid port: ") + parser.value(QStringLiteral("port"));
        return false;
    }
    options = Options{parser.value(QStringLiteral("host")), static_cast<quint16>(port),
                      parser.value(QStringLiteral("seed")), parser.value(QStringLiteral("pictures")),
                      parser.value(QStringLiteral("media"))};
    options.logRequests = parser.isSet(QStringLiteral("log-requests"));
    return parseAutoConfirm(parser, options, error)
        && parseCount(parser, QStringLiteral("channels"), &options.channels, error)
        && parseCount(parser, QStringLiteral("stations"), &options.stations, error);
}
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    Options options;
    QString error;
    if (!parseOptions(app, options, error)) {
        err << error << Qt::endl;
        return 2;
    }
    const QJsonObject seed = NxCloudServer::loadSeed(options.seed, &error);
    if (seed.isEmpty()) {
        err << "cannot read seed " << options.seed << ": " << error << Qt::endl;
        return 1;
    }
    NxCloudServer server(NxGeneratedCatalogue::seed(seed, options.channels, options.stations));
    if (options.logRequests)
        logRequests(server, out);
    server.setPictureDir(options.pictures);
    server.setMediaDir(options.media);
    NxCloudServer::SignInOptions signIn;
    signIn.autoConfirmAfterPolls = options.autoConfirmAfter;
    server.setSignInOptions(signIn);
    if (!server.start(options.host, options.port)) {
        err << "cannot listen on " << options.host << ':' << options.port << Qt::endl;
        return 1;
    }
    std::signal(SIGINT, requestQuit);
    std::signal(SIGTERM, requestQuit);
    // The first line is the address, so scripts and tests can read it.
    out << server.baseUrl() << Qt::endl;
    while (!g_quit)
        QThread::msleep(50);
    server.stop();
    return 0;
}

// NxCloudService: the local cloud service as a program. Serves its database
// (in memory and filled from the demo seed unless told otherwise), pictures
// and clips until SIGINT or SIGTERM; or moves a whole catalogue in or out.

#include "NxCloudServer.h"
#include "NxFirstAdmin.h"
#include "NxSecret.h"
#include "NxCloudServiceOptions.h"
#include "NxCloudStore.h"
#include "NxGeneratedCatalogue.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QMutex>
#include <QSaveFile>
#include <QTextStream>
#include <QThread>
#include <atomic>
#include <csignal>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {
std::atomic<bool> g_quit{false};
const int kSchoolWorkers = 1024;

void requestQuit(int)
{
    g_quit = true;
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

QSharedPointer<NxCloudStore> openStore(const NxCloudServiceOptions& options, QString* error)
{
    const NxCloudDatabaseAddress address = options.databaseAddress(error);
    return error->isEmpty() ? NxCloudStore::open(address, error) : QSharedPointer<NxCloudStore>();
}

bool fillFromSeed(NxCloudStore& store, const NxCloudServiceOptions& options, QString* error)
{
    const QJsonObject seed = NxCloudServer::loadSeed(options.seed, error);
    if (seed.isEmpty()) {
        *error = QStringLiteral("cannot read seed %1: %2").arg(options.seed, *error);
        return false;
    }
    bool filled = false;
    return store.fill(NxGeneratedCatalogue::seed(seed, options.channels, options.stations), options.pictures, &filled,
                      error);
}

bool importFile(NxCloudStore& store, const QString& path, QString* error)
{
    const QJsonObject document = NxCloudServer::loadSeed(path, error);
    if (document.isEmpty()) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, *error);
        return false;
    }
    return store.importAll(document, QStringLiteral("command line"), error);
}

bool exportFile(NxCloudStore& store, const QString& path, QString* error)
{
    QJsonObject document;
    if (!store.exportAll(&document, error))
        return false;
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(QJsonDocument(document).toJson()) >= 0 && file.commit())
        return true;
    *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    return false;
}

// The file's password, else one drawn here; drawn says which.
bool adminPassword(const NxCloudServiceOptions& options, QString* password, bool* drawn, QString* error)
{
    *drawn = options.adminPasswordFile.isEmpty();
    if (*drawn)
        *password = NxSecret::password();
    return *drawn || NxFirstAdmin::readPassword(options.adminPasswordFile, password, error);
}

// The password of a first admin the service drew itself, else empty.
bool ensureAdmin(NxCloudStore& store, const NxCloudServiceOptions& options, QString* printed, QString* error)
{
    QString password;
    bool drawn = false;
    bool created = false;
    if (!adminPassword(options, &password, &drawn, error) || !NxFirstAdmin::ensure(store, password, &created, error))
        return false;
    if (created && drawn)
        *printed = password;
    return true;
}

// --reset-admin-password: the way back in for a school that lost it.
bool resetAdmin(NxCloudStore& store, const NxCloudServiceOptions& options, QString* error)
{
    QString password;
    bool drawn = false;
    if (!adminPassword(options, &password, &drawn, error) || !NxFirstAdmin::reset(store, password, error))
        return false;
    QTextStream out(stdout);
    out << "The password of " << NxFirstAdmin::name() << " is reset";
    if (drawn)
        out << "; its one-time password: " << password;
    out << Qt::endl;
    return true;
}

bool prepareData(NxCloudStore& store, const NxCloudServiceOptions& options, QString* error)
{
    return (options.importFile.isEmpty() || importFile(store, options.importFile, error))
        && (!options.fillsFromSeed() || fillFromSeed(store, options, error))
        && (options.exportFile.isEmpty() || exportFile(store, options.exportFile, error))
        && (!options.resetAdminPassword || resetAdmin(store, options, error));
}

int serve(QSharedPointer<NxCloudStore> store, const NxCloudServiceOptions& options, QTextStream& out, QTextStream& err)
{
    QString drawn;
    QString error;
    if (!ensureAdmin(*store, options, &drawn, &error)) {
        err << "NxCloudService: " << error << Qt::endl;
        return 1;
    }
    NxCloudServer server(store);
    if (options.logRequests)
        logRequests(server, out);
    server.setPictureDir(options.pictures);
    server.setMediaDir(options.media);
    NxCloudServer::SignInOptions signIn;
    signIn.autoConfirmAfterPolls = options.autoConfirmAfter;
    server.setSignInOptions(signIn);
    server.setTls(options.tlsCertificate, options.tlsKey);
    // The idle keep-alive connections of a school's panels must never starve
    // new ones.
    server.setWorkerCount(kSchoolWorkers);
    if (!server.start(options.host, options.port)) {
        err << "cannot listen on " << options.host << ':' << options.port;
        if (server.isTls())
            err << " with the certificate " << options.tlsCertificate << " and the key " << options.tlsKey;
        err << Qt::endl;
        return 1;
    }
    std::signal(SIGINT, requestQuit);
    std::signal(SIGTERM, requestQuit);
    // The first line is the address, so scripts and tests can read it.
    out << server.baseUrl() << Qt::endl;
    if (!drawn.isEmpty())
        out << "Admin account created: sign in at " << server.baseUrl() << "/admin as " << NxFirstAdmin::name()
            << " with the one-time password " << drawn << " (shown only now)" << Qt::endl;
    while (!g_quit)
        QThread::msleep(50);
    server.stop();
    return 0;
}
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    NxCloudServiceOptions options;
    QString error;
    if (!options.parse(app, &error)) {
        err << error << Qt::endl;
        return 2;
    }
    const QSharedPointer<NxCloudStore> store = openStore(options, &error);
    if (!store || !prepareData(*store, options, &error)) {
        err << "NxCloudService: " << error << Qt::endl;
        return 1;
    }
    if (options.movesDataOnly())
        return 0;
#ifdef __GLIBC__
    // Filling the database and the first snapshot leave tens of megabytes of
    // freed temporaries (documents, rows) that glibc would keep for good.
    malloc_trim(0);
#endif
    return serve(store, options, out, err);
}

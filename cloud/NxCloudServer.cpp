#include "NxCloudServer.h"

#include "NxAdminAccess.h"
#include "NxAdminChannelEndpoints.h"
#include "NxAdminLiveCodeEndpoints.h"
#include "NxAdminOwnChannelEndpoints.h"
#include "NxAdminPageEndpoints.h"
#include "NxAdminPasswordEndpoint.h"
#include "NxCatalogueEndpoints.h"
#include "NxCloudEndpointGroup.h"
#include "NxCloudStore.h"
#include "NxGeneratedPictureEndpoints.h"
#include "NxLiveCodeEndpoints.h"
#include "NxMediaEndpoints.h"
#include "NxPictureEndpoints.h"
#include "NxPlatformEndpoints.h"
#include "NxQuickSignInEndpoints.h"
#include "NxTeacherEndpoints.h"

#include <httplib.h>

#include <QFile>
#include <QJsonDocument>
#include <QMutexLocker>
#include <chrono>

namespace {
// Idle connections are kept briefly: a server closing a connection the moment
// a request goes out on it loses that request (browsers report it as failed),
// and stop() waits for them.
const time_t kKeepAliveSeconds = 2;
// Requests per connection (the library's default of 5 would split a panel's
// start-up sequence over several connections).
const size_t kKeepAliveRequests = 1000;
const int kStartTimeoutMs = 5000;
// The library listens with a backlog of 5: a school's panels starting at
// once would see connections dropped and retried a second later.
const int kListenBacklog = 1024;
const int kDelaySliceMs = 10;

NxCloudRequest toRequest(const httplib::Request& in, bool tls)
{
    NxCloudRequest out;
    if (tls)
        out.scheme = QStringLiteral("https");
    out.method = QString::fromStdString(in.method);
    out.path = QString::fromStdString(in.path);
    const auto mark = in.target.find('?');
    if (mark != std::string::npos)
        out.query = QString::fromStdString(in.target.substr(mark + 1));
    out.body = QByteArray(in.body.data(), static_cast<int>(in.body.size()));
    out.remoteAddress = QString::fromStdString(in.remote_addr);
    for (const auto& header : in.headers) {
        const QString name = QString::fromStdString(header.first);
        const QString value = QString::fromStdString(header.second);
        const QString earlier = out.headers.value(name);
        out.headers.insert(name, earlier.isEmpty() ? value : earlier + QStringLiteral(", ") + value);
    }
    return out;
}

// The library's default adds SO_REUSEPORT, which lets a second server share a
// busy port silently; a busy port must make start() fail instead.
void reuseAddressOnly(socket_t sock)
{
    int yes = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&yes), sizeof(yes));
}

QString hostForUrl(const QString& host)
{
    // A wildcard address is reachable locally through the loopback address.
    if (host.isEmpty() || host == QLatin1String("0.0.0.0") || host == QLatin1String("::"))
        return QStringLiteral("127.0.0.1");
    return host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
}
}

NxCloudServer::NxCloudServer(const QJsonObject& seed)
    : NxCloudServer(NxCloudStore::fromSeed(seed))
{
}

NxCloudServer::NxCloudServer(QSharedPointer<NxCloudStore> store)
    : m_store(std::move(store))
    , m_catalogue(m_store)
    , m_signIn(m_store)
{
    const auto base = [this] { return baseUrl(); };
    m_adminAccess = addEndpoints(std::make_unique<NxAdminAccess>(m_store));
    m_pictures = addEndpoints(std::make_unique<NxPictureEndpoints>(m_store));
    m_media = addEndpoints(std::make_unique<NxMediaEndpoints>());
    addEndpoints(std::make_unique<NxCatalogueEndpoints>(m_catalogue, base));
    m_ownChannels = addEndpoints(std::make_unique<NxOwnChannelEndpoints>(m_catalogue));
    addEndpoints(std::make_unique<NxPlatformEndpoints>(m_signIn, m_store, base));
    addEndpoints(std::make_unique<NxQuickSignInEndpoints>(m_signIn, base));
    addEndpoints(std::make_unique<NxLiveCodeEndpoints>(m_catalogue, base));
    addEndpoints(std::make_unique<NxGeneratedPictureEndpoints>());
    addEndpoints(std::make_unique<NxTeacherEndpoints>(m_store, *m_adminAccess, base));
    addEndpoints(std::make_unique<NxAdminChannelEndpoints>(m_store, *m_adminAccess, base));
    addEndpoints(std::make_unique<NxAdminLiveCodeEndpoints>(m_store, *m_adminAccess, base));
    addEndpoints(std::make_unique<NxAdminOwnChannelEndpoints>(m_store, *m_adminAccess, base));
    addEndpoints(std::make_unique<NxAdminPasswordEndpoint>(m_store, *m_adminAccess));
    addEndpoints(std::make_unique<NxAdminPageEndpoints>());
}

NxCloudServer::~NxCloudServer()
{
    stop();
}

QJsonObject NxCloudServer::loadSeed(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return QJsonObject();
    }
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parse);
    if (error)
        *error = document.isObject() ? QString() : parse.errorString();
    return document.object();
}

bool NxCloudServer::start(const QString& host, quint16 port)
{
    stop();
    m_stopping = false;
    m_http = makeHttp();
    if (!m_http)
        return false;
    const size_t workers = m_workers;
    m_http->new_task_queue = [workers] { return new httplib::ThreadPool(workers); };
    m_http->set_keep_alive_timeout(kKeepAliveSeconds);
    m_http->set_keep_alive_max_count(kKeepAliveRequests);
    m_http->set_socket_options([this](socket_t sock) {
        reuseAddressOnly(sock);
        m_listenSocket = sock;
    });
    m_http->set_tcp_nodelay(true); // headers and body go out in separate writes
    // Larger bodies are refused before they are read; endpoints set their own
    // lower limits (a playlist of 16 MiB is the largest).
    m_http->set_payload_max_length(17 * 1024 * 1024);
    routeAllMethods(*m_http);
    if (!listen(host, port)) {
        m_http.reset();
        return false;
    }
    httplib::Server* http = m_http.get();
    m_thread = std::thread([http] { http->listen_after_bind(); });
    if (waitUntilRunning())
        return true;
    stop();
    return false;
}

void NxCloudServer::stop()
{
    if (!m_http)
        return;
    m_stopping = true;
    m_http->stop();
    if (m_thread.joinable())
        m_thread.join();
    m_http.reset();
    QMutexLocker lock(&m_addressMutex);
    m_port = 0;
}

bool NxCloudServer::isRunning() const
{
    return m_http && m_http->is_running();
}

quint16 NxCloudServer::port() const
{
    QMutexLocker lock(&m_addressMutex);
    return m_port;
}

QString NxCloudServer::baseUrl() const
{
    QMutexLocker lock(&m_addressMutex);
    return QStringLiteral("%1://%2:%3").arg(!m_tlsCertificate.isEmpty() ? QStringLiteral("https") : QStringLiteral("http"), hostForUrl(m_host))
        .arg(m_port);
}

void NxCloudServer::setWorkerCount(int workers)
{
    m_workers = static_cast<size_t>(qMax(1, workers));
}

void NxCloudServer::setTls(const QString& certificateFile, const QString& keyFile)
{
    {
        QMutexLocker lock(&m_addressMutex);
        m_tlsCertificate = certificateFile;
        m_tlsKey = keyFile;
    }
    // The session cookie then travels over HTTPS only.
    m_adminAccess->setSecureCookies(!certificateFile.isEmpty());
}

bool NxCloudServer::isTls() const
{
    QMutexLocker lock(&m_addressMutex);
    return !m_tlsCertificate.isEmpty();
}

void NxCloudServer::setPictureDir(const QString& dir)
{
    m_pictures->setDirectory(dir);
}

QString NxCloudServer::pictureDir() const
{
    return m_pictures->directory();
}

void NxCloudServer::setMediaDir(const QString& dir)
{
    m_media->setDirectory(dir);
}

QString NxCloudServer::mediaDir() const
{
    return m_media->directory();
}

void NxCloudServer::setSignInOptions(const SignInOptions& options)
{
    m_signIn.setOptions(options);
}

NxCloudServer::SignInOptions NxCloudServer::signInOptions() const
{
    return m_signIn.options();
}

bool NxCloudServer::confirmCode(const QString& code)
{
    return m_signIn.confirm(code);
}

void NxCloudServer::setAddChannelReply(AddChannelReply reply)
{
    m_ownChannels->setAddReply(reply);
}

NxCloudServer::AddChannelReply NxCloudServer::addChannelReply() const
{
    return m_ownChannels->addReply();
}

void NxCloudServer::setFault(const QString& path, const Fault& fault)
{
    m_faults.set(path, fault);
}

void NxCloudServer::clearFaults()
{
    m_faults.clear();
}

QList<NxCloudServer::Request> NxCloudServer::requests() const
{
    return m_log.all();
}

int NxCloudServer::requestCount(const QString& path) const
{
    return m_log.count(path);
}

void NxCloudServer::clearRequests()
{
    m_log.clear();
}

void NxCloudServer::setRequestObserver(std::function<void(const Request&)> observer)
{
    m_observer = std::move(observer);
}

NxCloudCatalogue& NxCloudServer::catalogue()
{
    return m_catalogue;
}

QSharedPointer<NxCloudStore> NxCloudServer::store() const
{
    return m_store;
}

NxAdminAccess& NxCloudServer::adminAccess()
{
    return *m_adminAccess;
}

template <class Group>
Group* NxCloudServer::addEndpoints(std::unique_ptr<Group> group)
{
    Group* added = group.get();
    added->addRoutes(m_router);
    m_groups.push_back(std::move(group));
    return added;
}

std::unique_ptr<httplib::Server> NxCloudServer::makeHttp() const
{
    if (!isTls())
        return std::make_unique<httplib::Server>();
    const QByteArray certificate = QFile::encodeName(m_tlsCertificate);
    const QByteArray key = QFile::encodeName(m_tlsKey);
    auto tls = std::make_unique<httplib::SSLServer>(certificate.constData(), key.constData());
    if (!tls->is_valid())
        return nullptr;
    return tls;
}

void NxCloudServer::routeAllMethods(httplib::Server& http)
{
    // Every request goes through our own router so that recording and faults
    // cover unknown paths too.
    const auto handler = [this](const httplib::Request& req, httplib::Response& res) { handle(req, res); };
    const std::string any = ".*";
    http.Get(any, handler);
    http.Post(any, handler);
    http.Put(any, handler);
    http.Patch(any, handler);
    http.Delete(any, handler);
    http.Options(any, handler);
}

bool NxCloudServer::listen(const QString& host, quint16 port)
{
    const std::string address = host.toStdString();
    const int bound = port == 0 ? m_http->bind_to_any_port(address)
                                : (m_http->bind_to_port(address, port) ? port : -1);
    if (bound <= 0)
        return false;
    // Listening again on a listening socket only sets the backlog anew.
    ::listen(m_listenSocket, kListenBacklog);
    QMutexLocker lock(&m_addressMutex);
    m_host = host;
    m_port = static_cast<quint16>(bound);
    return true;
}

bool NxCloudServer::waitUntilRunning() const
{
    // stop() is only effective once the accept loop runs, so wait for it.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
    while (!m_http->is_running()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

void NxCloudServer::handle(const httplib::Request& request, httplib::Response& response)
{
    const NxCloudRequest received = toRequest(request, isTls());
    m_log.append(received);
    if (m_observer)
        m_observer(received);
    const NxCloudFault fault = m_faults.take(received.path);
    if (!waitDelay(fault.delayMs)) {
        m_writer.write(NxCloudReply::plainStatus(503), NxCloudFault(), response);
        return;
    }
    const NxCloudReply reply = fault.status != 0 ? NxCloudReply::plainStatus(fault.status, fault.location)
                                                 : m_router.dispatch(received);
    m_writer.write(reply, fault, response);
}

bool NxCloudServer::waitDelay(int ms) const
{
    // Sleeps in slices so that stop() is not held up by a long delay.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < deadline) {
        if (m_stopping)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(kDelaySliceMs));
    }
    return !m_stopping;
}

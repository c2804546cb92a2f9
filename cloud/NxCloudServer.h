#pragma once

#include "NxCloudCatalogue.h"
#include "NxCloudFault.h"
#include "NxCloudFaultTable.h"
#include "NxCloudRequest.h"
#include "NxCloudRequestLog.h"
#include "NxCloudResponseWriter.h"
#include "NxCloudRouter.h"
#include "NxCloudSignInBook.h"
#include "NxCloudSignInOptions.h"
#include "NxOwnChannelEndpoints.h"

#include <QJsonObject>
#include <QList>
#include <QMutex>
#include <QSharedPointer>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace httplib {
class Server;
struct Request;
struct Response;
}
class NxAdminAccess;
class NxCloudEndpointGroup;
class NxCloudStore;
class NxMediaEndpoints;
class NxPictureEndpoints;

// The local cloud service: the HTTP/JSON endpoints the client talks to, served
// on a background thread, with faults that tests program per request path.
class NxCloudServer
{
public:
    using Fault = NxCloudFault;
    using Request = NxCloudRequest;
    using SignInOptions = NxCloudSignInOptions;
    using AddChannelReply = NxOwnChannelEndpoints::AddReply;

    // A private in-memory database filled from seed.
    explicit NxCloudServer(const QJsonObject& seed = QJsonObject());
    // The data of an opened store, which other servers may share.
    explicit NxCloudServer(QSharedPointer<NxCloudStore> store);
    ~NxCloudServer();
    NxCloudServer(const NxCloudServer&) = delete;
    NxCloudServer& operator=(const NxCloudServer&) = delete;

    // An empty object when the file is missing or not a JSON object.
    static QJsonObject loadSeed(const QString& path, QString* error = nullptr);

    // HTTPS with this certificate and key (PEM files) from the next start();
    // empty paths: plain HTTP.
    // A worker serves one connection at a time, idle or not; takes effect at
    // the next start().
    void setWorkerCount(int workers);
    void setTls(const QString& certificateFile, const QString& keyFile);
    bool isTls() const;
    // Port 0 picks a free port. Returns once the server accepts connections;
    // false also when the certificate or key cannot be used.
    bool start(const QString& host = QStringLiteral("127.0.0.1"), quint16 port = 0);
    void stop();
    bool isRunning() const;
    quint16 port() const;
    QString baseUrl() const;

    void setPictureDir(const QString& dir);
    QString pictureDir() const;
    // Clips served under /media/, e.g. the stream of a live code.
    void setMediaDir(const QString& dir);
    QString mediaDir() const;

    void setSignInOptions(const SignInOptions& options);
    SignInOptions signInOptions() const;
    // Does what the phone's confirm button does; false for a malformed code.
    bool confirmCode(const QString& code);
    void setAddChannelReply(AddChannelReply reply);
    AddChannelReply addChannelReply() const;

    void setFault(const QString& path, const Fault& fault);
    void clearFaults();

    QList<Request> requests() const;
    int requestCount(const QString& path) const;
    void clearRequests();

    // Called on the server's threads with every request as it arrives; set
    // before start().
    void setRequestObserver(std::function<void(const Request&)> observer);

    NxCloudCatalogue& catalogue();
    QSharedPointer<NxCloudStore> store() const;
    // Sessions of the admin API; its guard() protects every admin endpoint.
    NxAdminAccess& adminAccess();

private:
    template <class Group>
    Group* addEndpoints(std::unique_ptr<Group> group);
    std::unique_ptr<httplib::Server> makeHttp() const;
    void routeAllMethods(httplib::Server& http);
    bool listen(const QString& host, quint16 port);
    bool waitUntilRunning() const;
    void handle(const httplib::Request& request, httplib::Response& response);
    bool waitDelay(int ms) const;

    QSharedPointer<NxCloudStore> m_store;
    NxCloudCatalogue m_catalogue;
    NxCloudSignInBook m_signIn;
    NxCloudRequestLog m_log;
    NxCloudFaultTable m_faults;
    NxCloudRouter m_router;
    std::vector<std::unique_ptr<NxCloudEndpointGroup>> m_groups;
    NxAdminAccess* m_adminAccess = nullptr;
    NxPictureEndpoints* m_pictures = nullptr;
    NxMediaEndpoints* m_media = nullptr;
    NxOwnChannelEndpoints* m_ownChannels = nullptr;
    std::function<void(const Request&)> m_observer;

    std::atomic<bool> m_stopping{false};
    NxCloudResponseWriter m_writer{m_stopping};
    std::unique_ptr<httplib::Server> m_http;
    std::thread m_thread;
    int m_listenSocket = -1;  // the library's, used before it accepts
    mutable QMutex m_addressMutex;
    QString m_host;
    quint16 m_port = 0;
    QString m_tlsCertificate;
    QString m_tlsKey;
    size_t m_workers = 32; // enough for tests and a classroom or two
};

#include "NxWebCommand.h"

#include "NxReplyLimiter.h"
#include "NxWebCmdCtrl.h"

#include <QDebug>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslSocket>
#include <QThread>
#include <QTimer>

#include <atomic>

namespace {

std::atomic<qint64> g_maxBodyBytes{32LL * 1024 * 1024};
std::atomic<int> g_transferTimeoutMs{30000};
std::atomic<int> g_exchangeTimeoutMs{120000};
const int kLogSupportDelayMs = 2000;

} // namespace

NxWebCommand::NxWebCommand(NxWebCmdCtrl* controller)
    : m_controller(controller)
{
    setObjectName(QStringLiteral("m_pImdCmd"));
}

QNetworkAccessManager* NxWebCommand::manager()
{
    // Made with the first request, on the worker thread: a network access
    // manager loads the bearer plugins (and with them D-Bus), which the GUI
    // thread would otherwise pay for before its first frame. Made earlier,
    // while the window is built, it held up that frame by some 80 ms (both
    // load plugins).
    if (m_manager)
        return m_manager;
    m_manager = new QNetworkAccessManager(this);
    // Redirects are not followed: a 302 is a failed exchange for the caller.
    m_manager->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    connect(m_manager, SIGNAL(finished(QNetworkReply*)), m_controller, SLOT(onNetworkFinished(QNetworkReply*)));
    // Asking for the schemes loads OpenSSL (some 10 ms): not on the first
    // answer's way.
    QTimer::singleShot(kLogSupportDelayMs, this, &NxWebCommand::logSupport);
    return m_manager;
}

NxWebCommand::~NxWebCommand()
{
    qDebug() << "NxWebCommand::~NxWebCommand" << objectName();
}

void NxWebCommand::setLimits(qint64 maxBodyBytes, int transferTimeoutMs, int exchangeTimeoutMs)
{
    g_maxBodyBytes = maxBodyBytes;
    g_transferTimeoutMs = transferTimeoutMs;
    g_exchangeTimeoutMs = exchangeTimeoutMs;
}

qint64 NxWebCommand::maxBodyBytes()
{
    return g_maxBodyBytes;
}

int NxWebCommand::transferTimeoutMs()
{
    return g_transferTimeoutMs;
}

int NxWebCommand::exchangeTimeoutMs()
{
    return g_exchangeTimeoutMs;
}

QString NxWebCommand::logUrl(const QUrl& url)
{
    const QString bare = url.adjusted(QUrl::RemoveQuery | QUrl::RemoveUserInfo | QUrl::RemoveFragment).toString();
    return url.hasQuery() ? bare + QStringLiteral("?<query>") : bare;
}

bool NxWebCommand::isOversized(QNetworkReply* reply)
{
    return NxReplyLimiter::isOversized(reply);
}

void NxWebCommand::logSupport() const
{
    qDebug() << "NxWebCommand::NxWebCommand" << m_manager->supportedSchemes();
    qDebug() << "NxWebCommand::NxWebCommand" << "ssl:" << QSslSocket::supportsSsl() << QSslSocket::sslLibraryBuildVersionString()
             << QSslSocket::sslLibraryVersionString();
}

QNetworkRequest NxWebCommand::request(const QString& url) const
{
    QNetworkRequest request{QUrl(url)};
    request.setTransferTimeout(g_transferTimeoutMs);
    return request;
}

QNetworkReply* NxWebCommand::get(const QString& url)
{
    QNetworkReply* reply = track(manager()->get(request(url)));
    qDebug() << "cmd thread: " << QThread::currentThread() << thread() << m_manager->thread() << reply->thread();
    return reply;
}

QNetworkReply* NxWebCommand::postJson(const QString& url, const QJsonObject& body)
{
    QNetworkRequest jsonRequest = request(url);
    jsonRequest.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    return track(manager()->post(jsonRequest, QJsonDocument(body).toJson(QJsonDocument::Indented)));
}

QNetworkReply* NxWebCommand::postForm(const QString& url, const QByteArray& body)
{
    QNetworkRequest formRequest = request(url);
    formRequest.setRawHeader("accept", "application/json");
    return track(manager()->post(formRequest, body));
}

QNetworkReply* NxWebCommand::track(QNetworkReply* reply)
{
    m_lastReply = reply;
    connect(reply, SIGNAL(finished()), m_controller, SLOT(onReplyFinished()));
    connect(reply, SIGNAL(error(QNetworkReply::NetworkError)), m_controller, SLOT(onReplyError(QNetworkReply::NetworkError)));
    connect(reply, SIGNAL(uploadProgress(qint64, qint64)), m_controller, SLOT(onUploadProgress(qint64, qint64)));
    // A hostile or broken server must not exhaust memory or hold on forever.
    NxReplyLimiter::watch(reply);
    return reply;
}

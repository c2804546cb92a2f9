#include "NxHttpProbe.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QNetworkRequest>
#include <QSignalSpy>

QByteArray NxHttpProbe::Result::header(const QByteArray& name) const
{
    for (const auto& pair : headers) {
        if (pair.first.compare(name, Qt::CaseInsensitive) == 0)
            return pair.second;
    }
    return QByteArray();
}

QJsonObject NxHttpProbe::Result::json(bool* ok) const
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (ok)
        *ok = error.error == QJsonParseError::NoError && document.isObject();
    return document.object();
}

NxHttpProbe::Result NxHttpProbe::get(const QString& url, int timeoutMs)
{
    return await(startGet(url), timeoutMs);
}

NxHttpProbe::Result NxHttpProbe::get(const QString& url, const Headers& extra, int timeoutMs)
{
    return await(startGet(url, extra), timeoutMs);
}

NxHttpProbe::Result NxHttpProbe::post(const QString& url, const QByteArray& body, const Headers& extra,
                                      int timeoutMs)
{
    return await(m_manager.post(request(url, extra), body), timeoutMs);
}

NxHttpProbe::Result NxHttpProbe::postJson(const QString& url, const QJsonObject& body,
                                          const Headers& extra, int timeoutMs)
{
    return await(startPostJson(url, body, extra), timeoutMs);
}

NxHttpProbe::Result NxHttpProbe::send(const QByteArray& method, const QString& url, const QByteArray& body,
                                      const Headers& extra, int timeoutMs)
{
    return await(startSend(method, url, body, extra), timeoutMs);
}

QNetworkReply* NxHttpProbe::startSend(const QByteArray& method, const QString& url, const QByteArray& body,
                                      const Headers& extra)
{
    return m_manager.sendCustomRequest(request(url, extra), method, body);
}

QNetworkReply* NxHttpProbe::startPostJson(const QString& url, const QJsonObject& body, const Headers& extra)
{
    QNetworkRequest json = request(url, extra);
    if (json.header(QNetworkRequest::ContentTypeHeader).isNull())
        json.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray("application/json"));
    return m_manager.post(json, QJsonDocument(body).toJson(QJsonDocument::Indented));
}

QNetworkReply* NxHttpProbe::startGet(const QString& url, const Headers& extra)
{
    return m_manager.get(request(url, extra));
}

QNetworkCookieJar* NxHttpProbe::cookieJar() const
{
    return m_manager.cookieJar();
}

QNetworkRequest NxHttpProbe::request(const QString& url, const Headers& extra)
{
    QNetworkRequest request{QUrl(url)};
    for (const auto& header : extra)
        request.setRawHeader(header.first, header.second);
    return request;
}

NxHttpProbe::Result NxHttpProbe::await(QNetworkReply* reply, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    QSignalSpy finished(reply, &QNetworkReply::finished);
    Result result;
    result.finished = reply->isFinished() || finished.wait(timeoutMs);
    result.elapsedMs = timer.elapsed();
    if (!result.finished)
        reply->abort();
    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result.error = reply->error();
    result.body = reply->isOpen() ? reply->readAll() : QByteArray(); // closed after abort()
    result.headers = reply->rawHeaderPairs();
    result.redirectTarget = reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
    reply->deleteLater();
    return result;
}

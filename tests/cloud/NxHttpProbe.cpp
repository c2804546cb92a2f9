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

NxHttpProbe::Result NxHttpProbe::postJson(const QString& url, const QJsonObject& body,
                                          const Headers& extra, int timeoutMs)
{
    return await(startPostJson(url, body, extra), timeoutMs);
}

QNetworkReply* NxHttpProbe::startPostJson(const QString& url, const QJsonObject& body, const Headers& extra)
{
    QNetworkRequest request{QUrl(url)};
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray("application/json"));
    for (const auto& header : extra)
        request.setRawHeader(header.first, header.second);
    return m_manager.post(request, QJsonDocument(body).toJson(QJsonDocument::Indented));
}

QNetworkReply* NxHttpProbe::startGet(const QString& url)
{
    return m_manager.get(QNetworkRequest(QUrl(url)));
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

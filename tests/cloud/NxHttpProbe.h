#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPair>
#include <QString>

// Sends one HTTP request the way the product's client does and waits for the
// complete answer, so cloud tests read like a list of exchanges.
class NxHttpProbe
{
public:
    using Headers = QList<QPair<QByteArray, QByteArray>>;

    struct Result
    {
        bool finished = false;
        int status = 0;
        QNetworkReply::NetworkError error = QNetworkReply::NoError;
        QByteArray body;
        QList<QNetworkReply::RawHeaderPair> headers;
        QUrl redirectTarget;
        qint64 elapsedMs = 0;

        QByteArray header(const QByteArray& name) const;
        QJsonObject json(bool* ok = nullptr) const;
    };

    Result get(const QString& url, int timeoutMs = 10000);
    Result get(const QString& url, const Headers& extra, int timeoutMs = 10000);
    // Body sent unchanged; Content-Type only when extra sets one.
    Result post(const QString& url, const QByteArray& body, const Headers& extra = Headers(),
                int timeoutMs = 10000);
    // Body as an indented JSON document with Content-Type application/json.
    Result postJson(const QString& url, const QJsonObject& body, const Headers& extra = Headers(),
                    int timeoutMs = 10000);
    // Any method (PATCH, DELETE, PUT, ...) with body sent unchanged.
    Result send(const QByteArray& method, const QString& url, const QByteArray& body = QByteArray(),
                const Headers& extra = Headers(), int timeoutMs = 10000);
    QNetworkReply* startSend(const QByteArray& method, const QString& url, const QByteArray& body,
                             const Headers& extra = Headers());
    QNetworkReply* startPostJson(const QString& url, const QJsonObject& body, const Headers& extra = Headers());
    QNetworkReply* startGet(const QString& url, const Headers& extra = Headers());
    static Result await(QNetworkReply* reply, int timeoutMs);
    QNetworkCookieJar* cookieJar() const;

private:
    static QNetworkRequest request(const QString& url, const Headers& extra);

    QNetworkAccessManager m_manager;
};

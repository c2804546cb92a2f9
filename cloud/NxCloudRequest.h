#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QMap>
#include <QString>

// One HTTP request as the server received it, in Qt types so that endpoint
// code and tests never see the HTTP library.
struct NxCloudRequest
{
    QString method;
    QString path;
    QString query;                   // raw, without "?"
    QByteArray body;
    QMap<QString, QString> headers;  // names as sent
    QString remoteAddress;           // the peer of the connection
    // Segments a route pattern captured, e.g. {"id": "wang"} for
    // "/admin/api/teachers/{id}" (the path comes percent-decoded).
    QMap<QString, QString> pathValues;
    // Last, with a default, so lists of the fields above stay complete.
    QString scheme = QStringLiteral("http");  // "https" when the server speaks TLS

    QString header(const QString& name) const; // case-insensitive
    QJsonObject jsonObject(bool* ok = nullptr) const;
    // The decoded query parameters ("+" stays "+").
    QMap<QString, QString> queryFields() const;
    // A "k=v&k=v" body taken literally: the client does not encode values,
    // so a piece without "=" belongs to the value before it.
    QMap<QString, QString> formFields() const;
    // "<scheme>://<Host header>" (the scheme X-Forwarded-Proto names, if
    // http or https), or fallback when the client sent no Host.
    QString origin(const QString& fallback) const;
};

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

    QString header(const QString& name) const; // case-insensitive
    QJsonObject jsonObject(bool* ok = nullptr) const;
    // "http://<Host header>", or fallback when the client sent no Host.
    QString origin(const QString& fallback) const;
};

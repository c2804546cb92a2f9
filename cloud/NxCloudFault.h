#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// A misbehaviour the server shows for one request path, so that clients can be
// tested against a failing cloud.
struct NxCloudFault
{
    enum Body { Normal, Truncated, Malformed, Oversized, WrongType, Replaced };

    int status = 0;              // 0 keeps the endpoint's own answer
    QString location;            // Location header, for redirects
    int delayMs = 0;             // wait before answering
    Body body = Normal;
    qint64 oversizeBytes = 40 * 1024 * 1024;
    QString wrongType = QStringLiteral("unexpected_ACK"); // "type" sent by WrongType
    QByteArray replacement;      // the whole body sent by Replaced
    int times = -1;              // how many requests it applies to; -1 = always

    bool isUsedUp() const;
};

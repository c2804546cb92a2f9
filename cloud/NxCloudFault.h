#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <atomic>
#include <memory>

// A misbehaviour the server shows for one request path, so that clients can be
// tested against a failing cloud.
struct NxCloudFault
{
    // Oversized: the answer padded to oversizeBytes, chunked. Unframed: the
    // same without Content-Length or chunks, ended by closing the connection.
    // Trickle: the answer itself, one byte per pieceDelayMs.
    enum Body { Normal, Truncated, Malformed, Oversized, WrongType, Replaced, Unframed, Trickle };

    int status = 0;              // 0 keeps the endpoint's own answer
    QString location;            // Location header, for redirects
    int delayMs = 0;             // wait before answering
    Body body = Normal;
    qint64 oversizeBytes = 40 * 1024 * 1024;
    int pieceDelayMs = 0;        // streamed bodies: pause before each piece
    QString wrongType = QStringLiteral("unexpected_ACK"); // "type" sent by WrongType
    QByteArray replacement;      // the whole body sent by Replaced
    int times = -1;              // how many requests it applies to; -1 = always
    // Streamed bodies add every byte handed to the connection here, when set.
    std::shared_ptr<std::atomic<qint64>> sentBytes;

    bool isUsedUp() const;
};

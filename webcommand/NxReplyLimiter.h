#pragma once

#include <QByteArray>
#include <QObject>

class QNetworkReply;

// Holds one reply of the cloud client to its limits. The body is taken in as
// it arrives and counted whatever the framing (a declared length, chunks, or a
// body that ends when the server closes), and every exchange has an end even
// when a byte now and then keeps the transfer time-out from firing.
class NxReplyLimiter : public QObject
{
    Q_OBJECT

public:
    static void watch(QNetworkReply* reply);
    // The body outgrew the cap, even if it arrived before the abort could.
    static bool isOversized(QNetworkReply* reply);
    // Everything a finished reply brought.
    static QByteArray body(QNetworkReply* reply);

private:
    explicit NxReplyLimiter(QNetworkReply* reply);
    static NxReplyLimiter* of(QNetworkReply* reply);
    void take();
    void enforceCap(qint64 bytes);
    void expire();

    QNetworkReply* m_reply;
    QByteArray m_body;
    bool m_oversized = false;
};

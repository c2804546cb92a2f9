#include "NxReplyLimiter.h"

#include "NxWebCommand.h"

#include <QDebug>
#include <QNetworkReply>
#include <QTimer>

namespace {

// Unread data past this holds the transfer back until it is taken in, so the
// network stack never buffers more than this ahead of the count.
const qint64 kReadAhead = 1024 * 1024;

} // namespace

void NxReplyLimiter::watch(QNetworkReply* reply)
{
    new NxReplyLimiter(reply);
}

NxReplyLimiter::NxReplyLimiter(QNetworkReply* reply)
    : QObject(reply)
    , m_reply(reply)
{
    reply->setReadBufferSize(qMin(kReadAhead, NxWebCommand::maxBodyBytes() + 1));
    connect(reply, &QNetworkReply::metaDataChanged, this,
            [this] { enforceCap(m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong()); });
    connect(reply, &QNetworkReply::readyRead, this, &NxReplyLimiter::take);
    auto* deadline = new QTimer(this);
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, this, &NxReplyLimiter::expire);
    deadline->start(NxWebCommand::exchangeTimeoutMs());
}

NxReplyLimiter* NxReplyLimiter::of(QNetworkReply* reply)
{
    return reply->findChild<NxReplyLimiter*>(QString(), Qt::FindDirectChildrenOnly);
}

bool NxReplyLimiter::isOversized(QNetworkReply* reply)
{
    const NxReplyLimiter* limiter = of(reply);
    const qint64 taken = limiter ? limiter->m_body.size() : 0;
    return (limiter && limiter->m_oversized) || taken + reply->bytesAvailable() > NxWebCommand::maxBodyBytes();
}

QByteArray NxReplyLimiter::body(QNetworkReply* reply)
{
    NxReplyLimiter* limiter = of(reply);
    if (!limiter)
        return reply->readAll();
    limiter->take();
    return limiter->m_body;
}

void NxReplyLimiter::take()
{
    if (m_oversized || !m_reply->isOpen())
        return;
    m_body += m_reply->readAll();
    enforceCap(m_body.size());
}

void NxReplyLimiter::enforceCap(qint64 bytes)
{
    const qint64 cap = NxWebCommand::maxBodyBytes();
    if (bytes <= cap || m_oversized)
        return;
    qWarning() << "NxReplyLimiter::enforceCap" << "reply body over" << cap << "bytes, aborted:" << NxWebCommand::logUrl(m_reply->url());
    m_oversized = true;
    m_body.clear();
    m_reply->abort();
}

void NxReplyLimiter::expire()
{
    qWarning() << "NxReplyLimiter::expire" << "exchange not done after" << NxWebCommand::exchangeTimeoutMs() << "ms, aborted:"
               << NxWebCommand::logUrl(m_reply->url());
    m_reply->abort();
}

#include "NxCloudResponseWriter.h"

#include <httplib.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <chrono>
#include <thread>

namespace {
const size_t kPadChunk = 64 * 1024;

const int kPauseSliceMs = 10;
// Bodies from this size on are sent from the shared bytes, not copied.
const int kSharedBodyBytes = 64 * 1024;

std::string toStd(const QByteArray& bytes)
{
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

// The real answer followed by blank padding up to size, handed out piece by
// piece: a huge body never sits in memory, a slow one never holds up stop().
struct BodyStream
{
    std::string head;
    size_t size = 0;
    size_t piece = kPadChunk;
    int delayMs = 0;
    const std::atomic<bool>* stopping = nullptr;
    std::shared_ptr<std::atomic<qint64>> sent;

    bool pause() const
    {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(delayMs);
        while (!stopping->load() && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(std::min(delayMs, kPauseSliceMs)));
        return !stopping->load();
    }

    bool next(size_t offset, httplib::DataSink& sink) const
    {
        static const std::string pad(kPadChunk, ' ');
        if (offset >= size) {
            sink.done();
            return true;
        }
        if (!pause())
            return false;
        const size_t length = std::min(piece, size - offset);
        const bool inHead = offset < head.size();
        const size_t count = inHead ? std::min(length, head.size() - offset) : length;
        // Counted before it leaves, so a client that has read it all sees it counted.
        if (sent)
            *sent += static_cast<qint64>(count);
        return sink.write(inHead ? head.data() + offset : pad.data(), count);
    }
};
}

NxCloudResponseWriter::NxCloudResponseWriter(const std::atomic<bool>& stopping)
    : m_stopping(stopping)
{
}

void NxCloudResponseWriter::write(const NxCloudReply& reply, const NxCloudFault& fault,
                                  httplib::Response& response) const
{
    writeHead(reply, response);
    const std::string type = reply.contentType.toStdString();
    switch (fault.body) {
    case NxCloudFault::Truncated:
        writeTruncated(reply.body, type, response);
        return;
    case NxCloudFault::Oversized:
    case NxCloudFault::Unframed:
    case NxCloudFault::Trickle:
        writeStreamed(reply.body, fault, type, response);
        return;
    case NxCloudFault::Malformed:
        response.set_content(toStd(malformed(reply.body)), type);
        return;
    case NxCloudFault::WrongType:
        response.set_content(toStd(withType(reply.body, fault.wrongType)), type);
        return;
    case NxCloudFault::Replaced:
        response.set_content(toStd(fault.replacement), type);
        return;
    case NxCloudFault::Normal:
        break;
    }
    // Partial content is cut down by the library from a body it holds.
    if (reply.body.size() >= kSharedBodyBytes && reply.status == 200)
        writeShared(reply.body, type, response);
    else
        response.set_content(toStd(reply.body), type);
}

void NxCloudResponseWriter::writeShared(const QByteArray& body, const std::string& type, httplib::Response& response)
{
    // A big catalogue answer is built once per change; every request sends
    // those same bytes.
    response.set_content_provider(static_cast<size_t>(body.size()), type,
        [body](size_t offset, size_t length, httplib::DataSink& sink) {
            return sink.write(body.constData() + offset, std::min(length, static_cast<size_t>(body.size()) - offset));
        });
}

QByteArray NxCloudResponseWriter::malformed(const QByteArray& body)
{
    // Half a document plus stray bytes is neither valid JSON nor a whole picture.
    return body.left(body.size() / 2) + "\"<<malformed>>,,}";
}

QByteArray NxCloudResponseWriter::withType(const QByteArray& body, const QString& type)
{
    const QJsonDocument document = QJsonDocument::fromJson(body);
    QJsonObject object = document.isObject()
        ? document.object()
        : QJsonObject{{QStringLiteral("msg"), QStringLiteral("ok")}, {QStringLiteral("result"), QJsonObject()}};
    object.insert(QStringLiteral("type"), type);
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

void NxCloudResponseWriter::writeHead(const NxCloudReply& reply, httplib::Response& response)
{
    response.status = reply.status;
    for (const auto& header : reply.headers)
        response.set_header(header.first.toStdString(), header.second.toStdString());
}

void NxCloudResponseWriter::writeTruncated(const QByteArray& body, const std::string& type,
                                           httplib::Response& response)
{
    // Declares the whole length, sends half, then closes the connection.
    const std::string sent = toStd(body.left(body.size() / 2));
    const size_t declared = std::max(static_cast<size_t>(body.size()), sent.size() + 1);
    response.set_content_provider(declared, type,
        [sent](size_t offset, size_t, httplib::DataSink& sink) {
            if (offset != 0 || sent.empty())
                return false;
            return sink.write(sent.data(), sent.size());
        });
}

void NxCloudResponseWriter::writeStreamed(const QByteArray& body, const NxCloudFault& fault, const std::string& type,
                                          httplib::Response& response) const
{
    BodyStream stream;
    stream.head = toStd(body);
    stream.size = stream.head.size();
    if (fault.body != NxCloudFault::Trickle)
        stream.size = std::max(stream.size, static_cast<size_t>(std::max<qint64>(fault.oversizeBytes, 0)));
    stream.piece = fault.body == NxCloudFault::Trickle ? 1 : kPadChunk;
    stream.delayMs = fault.pieceDelayMs;
    stream.stopping = &m_stopping;
    stream.sent = fault.sentBytes;
    switch (fault.body) {
    case NxCloudFault::Trickle:
        response.set_content_provider(stream.size, type,
            [stream](size_t offset, size_t, httplib::DataSink& sink) { return stream.next(offset, sink); });
        return;
    case NxCloudFault::Unframed:
        response.set_header("Connection", "close");
        response.set_content_provider(type, [stream](size_t offset, httplib::DataSink& sink) { return stream.next(offset, sink); });
        return;
    default:
        response.set_chunked_content_provider(type,
            [stream](size_t offset, httplib::DataSink& sink) { return stream.next(offset, sink); });
    }
}

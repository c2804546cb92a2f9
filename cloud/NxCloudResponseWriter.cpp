#include "NxCloudResponseWriter.h"

#include <httplib.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

namespace {
const size_t kPadChunk = 64 * 1024;

std::string toStd(const QByteArray& bytes)
{
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}
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
        writeOversized(reply.body, fault.oversizeBytes, type, response);
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
    response.set_content(toStd(reply.body), type);
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

void NxCloudResponseWriter::writeOversized(const QByteArray& body, qint64 total, const std::string& type,
                                           httplib::Response& response) const
{
    // The real answer followed by blank padding, streamed in chunks so that
    // a huge body never sits in memory.
    const std::string head = toStd(body);
    const size_t size = std::max(head.size(), static_cast<size_t>(std::max<qint64>(total, 0)));
    const std::atomic<bool>* stopping = &m_stopping;
    response.set_chunked_content_provider(type,
        [head, size, stopping](size_t offset, httplib::DataSink& sink) {
            static const std::string pad(kPadChunk, ' ');
            if (stopping->load())
                return false;
            if (offset >= size) {
                sink.done();
                return true;
            }
            if (offset < head.size())
                return sink.write(head.data() + offset, std::min(head.size() - offset, size - offset));
            return sink.write(pad.data(), std::min(pad.size(), size - offset));
        });
}

#pragma once

#include "NxCloudFault.h"
#include "NxCloudReply.h"

#include <atomic>
#include <string>

namespace httplib {
struct Response;
}

// Puts an endpoint's reply on the wire, damaged the way a fault asks.
class NxCloudResponseWriter
{
public:
    // Streaming bodies give up once stopping turns true, so stop() stays quick.
    explicit NxCloudResponseWriter(const std::atomic<bool>& stopping);

    void write(const NxCloudReply& reply, const NxCloudFault& fault, httplib::Response& response) const;

    static QByteArray malformed(const QByteArray& body);
    static QByteArray withType(const QByteArray& body, const QString& type);

private:
    static void writeHead(const NxCloudReply& reply, httplib::Response& response);
    static void writeShared(const QByteArray& body, const std::string& type, httplib::Response& response);
    static void writeTruncated(const QByteArray& body, const std::string& type, httplib::Response& response);
    void writeStreamed(const QByteArray& body, const NxCloudFault& fault, const std::string& type,
                       httplib::Response& response) const;

    const std::atomic<bool>& m_stopping;
};

#include "NxMediaEndpoints.h"

namespace {
const int kPartialContent = 206;
}

QString NxMediaEndpoints::prefix()
{
    return QStringLiteral("/media/");
}

NxMediaEndpoints::NxMediaEndpoints()
    : NxCloudFileEndpoints(prefix())
{
}

NxCloudReply NxMediaEndpoints::found(const NxCloudRequest& request, const QByteArray& data,
                                     const QByteArray& contentType) const
{
    NxCloudReply reply = NxCloudReply::file(data, contentType);
    reply.headers.append(qMakePair(QByteArray("Accept-Ranges"), QByteArray("bytes")));
    // The HTTP library cuts the whole body down to the requested range (or
    // answers 416) when the status says partial content.
    if (!request.header(QStringLiteral("Range")).isEmpty())
        reply.status = kPartialContent;
    return reply;
}

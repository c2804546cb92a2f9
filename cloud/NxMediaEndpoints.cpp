#include "NxMediaEndpoints.h"

namespace {
const int kPartialContent = 206;

// HLS players look at the type of the playlist and of its segments.
QByteArray streamType(const QString& path, const QByteArray& fallback)
{
    if (path.endsWith(QLatin1String(".m3u8"), Qt::CaseInsensitive))
        return "application/vnd.apple.mpegurl";
    if (path.endsWith(QLatin1String(".ts"), Qt::CaseInsensitive))
        return "video/mp2t";
    return fallback;
}
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
    NxCloudReply reply = NxCloudReply::file(data, streamType(request.path, contentType));
    reply.headers.append(qMakePair(QByteArray("Accept-Ranges"), QByteArray("bytes")));
    // The HTTP library cuts the whole body down to the requested range (or
    // answers 416) when the status says partial content.
    if (!request.header(QStringLiteral("Range")).isEmpty())
        reply.status = kPartialContent;
    return reply;
}

#include "NxAdminPageEndpoints.h"

#include "NxCloudRouter.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>

// A resource compiled into a static library is registered only when asked.
static void registerAdminPageResources()
{
    Q_INIT_RESOURCE(NxAdminPage);
}

namespace {
const QString kRoot = QStringLiteral(":/admin");
const QString kPrefix = QStringLiteral("/admin");
}

NxAdminPageEndpoints::NxAdminPageEndpoints()
{
    registerAdminPageResources();
    load();
}

void NxAdminPageEndpoints::load()
{
    QDirIterator files(kRoot, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        Asset asset;
        asset.data = file.readAll();
        asset.type = contentType(path);
        asset.etag = '"' + QCryptographicHash::hash(asset.data, QCryptographicHash::Sha256).toHex().left(20) + '"';
        m_assets.insert(kPrefix + path.mid(kRoot.size()), asset);
    }
}

void NxAdminPageEndpoints::addRoutes(NxCloudRouter& router)
{
    // Exact paths only: everything else under /admin/ belongs to the API.
    for (auto it = m_assets.cbegin(); it != m_assets.cend(); ++it) {
        const Asset asset = it.value();
        const auto handler = [this, asset](const NxCloudRequest& request) { return serve(request, asset); };
        router.add(QStringLiteral("GET"), it.key(), handler);
        if (it.key() == kPrefix + QStringLiteral("/index.html")) {
            router.add(QStringLiteral("GET"), kPrefix, handler);
            router.add(QStringLiteral("GET"), kPrefix + QLatin1Char('/'), handler);
        }
    }
}

QByteArray NxAdminPageEndpoints::contentType(const QString& name)
{
    static const QMap<QString, QByteArray> types{
        {QStringLiteral("html"), "text/html;charset=UTF-8"},
        {QStringLiteral("css"), "text/css;charset=UTF-8"},
        {QStringLiteral("js"), "text/javascript;charset=UTF-8"},
        {QStringLiteral("svg"), "image/svg+xml"},
        {QStringLiteral("png"), "image/png"},
    };
    return types.value(name.section(QLatin1Char('.'), -1).toLower(), "application/octet-stream");
}

QByteArray NxAdminPageEndpoints::contentSecurityPolicy()
{
    // Pictures come from this service, or from the browser while uploading
    // (blob:) and the style sheet's inline icons (data:).
    return "default-src 'none'; script-src 'self'; style-src 'self'; img-src 'self' data: blob:; "
           "connect-src 'self'; form-action 'self'; base-uri 'none'; frame-ancestors 'none'";
}

NxCloudReply NxAdminPageEndpoints::serve(const NxCloudRequest& request, const Asset& asset) const
{
    const bool unchanged = request.header(QStringLiteral("If-None-Match")).toLatin1() == asset.etag;
    NxCloudReply reply = NxCloudReply::file(unchanged ? QByteArray() : asset.data, asset.type);
    if (unchanged)
        reply.status = 304;
    reply.headers = {
        {"Content-Security-Policy", contentSecurityPolicy()},
        {"X-Content-Type-Options", "nosniff"},
        {"X-Frame-Options", "DENY"},
        {"Referrer-Policy", "no-referrer"},
        {"Cache-Control", "no-cache"},
        {"ETag", asset.etag},
    };
    return reply;
}

#include "NxCloudRequest.h"

#include <QJsonDocument>

QString NxCloudRequest::header(const QString& name) const
{
    for (auto it = headers.cbegin(); it != headers.cend(); ++it) {
        if (it.key().compare(name, Qt::CaseInsensitive) == 0)
            return it.value();
    }
    return QString();
}

QJsonObject NxCloudRequest::jsonObject(bool* ok) const
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    const bool valid = error.error == QJsonParseError::NoError && document.isObject();
    if (ok)
        *ok = valid;
    return valid ? document.object() : QJsonObject();
}

QString NxCloudRequest::origin(const QString& fallback) const
{
    const QString host = header(QStringLiteral("Host")).trimmed();
    return host.isEmpty() ? fallback : QStringLiteral("http://") + host;
}

#include "NxCloudRequest.h"

#include <QJsonDocument>
#include <QUrlQuery>

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
    // A reverse proxy that speaks HTTPS to the panels says so; only the two
    // known schemes are taken, so links stay links.
    const QString forwarded = header(QStringLiteral("X-Forwarded-Proto")).trimmed().toLower();
    const bool known = forwarded == QLatin1String("https") || forwarded == QLatin1String("http");
    return host.isEmpty() ? fallback : (known ? forwarded : scheme) + QStringLiteral("://") + host;
}

QMap<QString, QString> NxCloudRequest::queryFields() const
{
    QMap<QString, QString> fields;
    for (const auto& item : QUrlQuery(query).queryItems(QUrl::FullyDecoded))
        fields.insert(item.first, item.second);
    return fields;
}

QMap<QString, QString> NxCloudRequest::formFields() const
{
    QMap<QString, QString> fields;
    QString lastKey;
    const QStringList pieces = QString::fromUtf8(body).split(QLatin1Char('&'));
    for (const QString& piece : pieces) {
        const int equals = piece.indexOf(QLatin1Char('='));
        if (equals > 0) {
            lastKey = piece.left(equals);
            fields.insert(lastKey, piece.mid(equals + 1));
        } else if (!lastKey.isEmpty()) {
            fields[lastKey] += QLatin1Char('&') + piece;
        }
    }
    return fields;
}

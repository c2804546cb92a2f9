#include "NxAdminFields.h"

#include <QDateTime>
#include <QUrl>
#include <cmath>

NxAdminFields::NxAdminFields(const QJsonObject& body)
    : m_body(body)
{
}

bool NxAdminFields::has(const QString& key) const
{
    return m_body.contains(key);
}

QString NxAdminFields::text(const QString& key, int maxLength, bool required)
{
    const QJsonValue value = m_body.value(key);
    if (value.isUndefined() && !required)
        return QString();
    if (!value.isString()) {
        refuse(key, QStringLiteral("must be text"));
        return QString();
    }
    const QString text = value.toString();
    if (required && text.trimmed().isEmpty())
        refuse(key, QStringLiteral("must not be empty"));
    else if (text.size() > maxLength)
        refuse(key, QStringLiteral("is longer than %1 characters").arg(maxLength));
    return text;
}

QString NxAdminFields::address(const QString& key, const QStringList& schemes, bool required)
{
    const QString text = this->text(key, 2048, required).trimmed();
    if (ok() && (required || !text.isEmpty()) && !isAddress(text, schemes))
        refuse(key, QStringLiteral("must be an address starting with %1").arg(schemes.join(QStringLiteral("://, ")) + QStringLiteral("://")));
    return text;
}

int NxAdminFields::integer(const QString& key, int minimum, int maximum, int fallback)
{
    const QJsonValue value = m_body.value(key);
    if (value.isUndefined())
        return fallback;
    const double number = value.toDouble(std::nan(""));
    if (!value.isDouble() || std::floor(number) != number || number < minimum || number > maximum) {
        refuse(key, QStringLiteral("must be a whole number from %1 to %2").arg(minimum).arg(maximum));
        return fallback;
    }
    return int(number);
}

bool NxAdminFields::flag(const QString& key, bool fallback)
{
    const QJsonValue value = m_body.value(key);
    if (value.isUndefined())
        return fallback;
    if (!value.isBool())
        refuse(key, QStringLiteral("must be true or false"));
    return value.toBool(fallback);
}

QVariant NxAdminFields::time(const QString& key)
{
    const QJsonValue value = m_body.value(key);
    if (value.isUndefined() || value.isNull())
        return QVariant(QVariant::LongLong);
    const QDateTime time = QDateTime::fromString(value.toString(), Qt::ISODateWithMs);
    if (!value.isString() || !time.isValid()) {
        refuse(key, QStringLiteral("must be an ISO 8601 time such as 2026-12-10T08:00:00Z, or null"));
        return QVariant(QVariant::LongLong);
    }
    return time.toMSecsSinceEpoch();
}

bool NxAdminFields::ok() const
{
    return m_error.isEmpty();
}

NxAdminResult NxAdminFields::failure() const
{
    return NxAdminResult::fail(400, m_error);
}

QStringList NxAdminFields::webSchemes()
{
    return {QStringLiteral("http"), QStringLiteral("https")};
}

QStringList NxAdminFields::streamSchemes()
{
    return webSchemes() + QStringList{QStringLiteral("rtmp"), QStringLiteral("rtsp")};
}

bool NxAdminFields::isAddress(const QString& text, const QStringList& schemes)
{
    const QUrl url(text, QUrl::StrictMode);
    return url.isValid() && schemes.contains(url.scheme().toLower()) && !url.host().isEmpty()
        && !text.contains(QLatin1Char(' ')) && !text.contains(QLatin1Char('\n'));
}

void NxAdminFields::refuse(const QString& key, const QString& why)
{
    if (m_error.isEmpty())
        m_error = QStringLiteral("\"%1\" %2").arg(key, why);
}

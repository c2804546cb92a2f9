#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include "NxAdminResult.h"

// The fields of an admin request's JSON body, checked as they are read; the
// first problem is kept and names its field.
class NxAdminFields
{
public:
    explicit NxAdminFields(const QJsonObject& body);

    bool has(const QString& key) const;
    // Text of at most maxLength characters; required: present and not blank.
    QString text(const QString& key, int maxLength, bool required);
    // An absolute address with one of the schemes and a host.
    QString address(const QString& key, const QStringList& schemes, bool required);
    int integer(const QString& key, int minimum, int maximum, int fallback);
    bool flag(const QString& key, bool fallback);
    // Milliseconds since 1970 UTC from ISO 8601 text; a null QVariant for
    // null or a missing key.
    QVariant time(const QString& key);

    bool ok() const;
    NxAdminResult failure() const;

    static QStringList webSchemes();
    static QStringList streamSchemes();
    static bool isAddress(const QString& text, const QStringList& schemes);

private:
    void refuse(const QString& key, const QString& why);

    QJsonObject m_body;
    QString m_error;
};

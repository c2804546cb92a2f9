#pragma once

#include <QMap>
#include <QString>

// Checks the signatures panels put on sign-in requests. The keys are shared
// with the client.
class NxCloudSignature
{
public:
    using Fields = QMap<QString, QString>;

    // The poll: auth = md5(enstr + time + authKey).
    static bool isPollSigned(const Fields& query);
    // The quick sign-in carries either signature.
    static bool isRestSigned(const Fields& fields);
    static bool isAuthcodeSigned(const Fields& fields);

    static QString md5Hex(const QString& text);
    static QString formEncode(const QString& value);

private:
    static QString restAuth(const Fields& fields);
    static bool sameDigest(const QString& sent, const QString& expected);
};

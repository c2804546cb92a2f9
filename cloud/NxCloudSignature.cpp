#include "NxCloudSignature.h"

#include <QCryptographicHash>
#include <QUrl>

namespace {
const QString kAuthKey = QStringLiteral("hbw527tyq3ndk0zpe");
const QString kAuthcodeKey = QStringLiteral("q7m2vx9ke4tr8ba1");
const QString kRestSessionKey = QStringLiteral("deskunit");
const QString kRestSecret = QStringLiteral("rvy6031mfq58");
const QString kRestAuth = QStringLiteral("restauth");
}

bool NxCloudSignature::isPollSigned(const Fields& query)
{
    const QString expected = md5Hex(query.value(QStringLiteral("enstr")) + query.value(QStringLiteral("time")) + kAuthKey);
    return sameDigest(query.value(QStringLiteral("auth")), expected);
}

bool NxCloudSignature::isRestSigned(const Fields& fields)
{
    return fields.value(QStringLiteral("sessionkey")) == kRestSessionKey
        && sameDigest(fields.value(kRestAuth), restAuth(fields));
}

bool NxCloudSignature::isAuthcodeSigned(const Fields& fields)
{
    const QString expected = md5Hex(fields.value(QStringLiteral("dcode")) + fields.value(QStringLiteral("time"))
                                    + fields.value(QStringLiteral("accesstoken")) + kAuthcodeKey);
    return sameDigest(fields.value(QStringLiteral("authcode")), expected);
}

QString NxCloudSignature::md5Hex(const QString& text)
{
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Md5).toHex());
}

QString NxCloudSignature::formEncode(const QString& value)
{
    // toPercentEncoding leaves exactly A-Z a-z 0-9 - . _ ~ alone, in upper-case hex.
    QString encoded = QString::fromLatin1(QUrl::toPercentEncoding(value));
    return encoded.replace(QStringLiteral("%20"), QStringLiteral("+")).replace(QStringLiteral("~"), QStringLiteral("%7E"));
}

QString NxCloudSignature::restAuth(const Fields& fields)
{
    // QMap keeps QString order: upper-case keys come before lower-case ones.
    QString text;
    for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
        if (it.key() != kRestAuth)
            text += it.key() + QLatin1Char('=') + formEncode(it.value()) + QLatin1Char('&');
    }
    return md5Hex(text + kRestSecret);
}

bool NxCloudSignature::sameDigest(const QString& sent, const QString& expected)
{
    return !sent.isEmpty() && sent == expected;
}

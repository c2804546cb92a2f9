#include "NxSecret.h"

#include <QCryptographicHash>
#include <sodium.h>

QString NxSecret::token(int bytes)
{
    QByteArray random(bytes, '\0');
    randombytes_buf(random.data(), static_cast<size_t>(random.size()));
    return QString::fromLatin1(random.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

QString NxSecret::password(int length)
{
    static const char kAlphabet[] = "abcdefghijkmnpqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789";
    const uint32_t size = sizeof(kAlphabet) - 1;
    QString out;
    for (int i = 0; i < length; ++i)
        out += QLatin1Char(kAlphabet[randombytes_uniform(size)]);
    return out;
}

QString NxSecret::digest(const QString& token)
{
    return QString::fromLatin1(QCryptographicHash::hash(token.toUtf8(), QCryptographicHash::Sha256).toHex());
}

bool NxSecret::equal(const QString& a, const QString& b)
{
    const QByteArray left = QCryptographicHash::hash(a.toUtf8(), QCryptographicHash::Sha256);
    const QByteArray right = QCryptographicHash::hash(b.toUtf8(), QCryptographicHash::Sha256);
    return sodium_memcmp(left.constData(), right.constData(), static_cast<size_t>(left.size())) == 0;
}

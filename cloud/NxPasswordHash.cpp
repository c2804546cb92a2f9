#include "NxPasswordHash.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QSemaphore>
#include <sodium.h>

namespace {
// Each check holds 64 MiB while it runs.
QSemaphore& runningChecks()
{
    static QSemaphore checks(4);
    return checks;
}

bool sodiumReady()
{
    static const bool ready = sodium_init() >= 0;
    return ready;
}
}

QString NxPasswordHash::hash(const QString& password)
{
    const QByteArray utf8 = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    runningChecks().acquire();
    const QSemaphoreReleaser release(runningChecks());
    if (!sodiumReady()
        || crypto_pwhash_str(out, utf8.constData(), static_cast<unsigned long long>(utf8.size()),
                             crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        return QString();
    return QString::fromLatin1(out);
}

QString NxPasswordHash::hashOnce(const QString& password)
{
    static QMutex mutex;
    static QHash<QString, QString> hashes;
    {
        QMutexLocker lock(&mutex);
        if (hashes.contains(password))
            return hashes.value(password);
    }
    const QString made = hash(password);
    QMutexLocker lock(&mutex);
    if (!made.isEmpty())
        hashes.insert(password, made);
    return made;
}

bool NxPasswordHash::verify(const QString& hash, const QString& password)
{
    const bool usable = hash.startsWith(QLatin1String("$argon2id$")) && hash.size() < static_cast<int>(crypto_pwhash_STRBYTES);
    const QByteArray stored = (usable ? hash : dummyHash()).toLatin1();
    const QByteArray utf8 = password.toUtf8();
    runningChecks().acquire();
    const QSemaphoreReleaser release(runningChecks());
    const bool match = sodiumReady()
        && crypto_pwhash_str_verify(stored.constData(), utf8.constData(),
                                    static_cast<unsigned long long>(utf8.size())) == 0;
    return usable && match;
}

QString NxPasswordHash::problem(const QString& password)
{
    if (password.size() < kMinLength)
        return QStringLiteral("password must have at least %1 characters").arg(kMinLength);
    if (password.size() > kMaxLength)
        return QStringLiteral("password must have at most %1 characters").arg(kMaxLength);
    return QString();
}

const QString& NxPasswordHash::dummyHash()
{
    static const QString dummy = hash(QStringLiteral("no account has this password"));
    return dummy;
}

#include "NxCloudSignInBook.h"

#include <QMutexLocker>
#include <QRegularExpression>
#include <QUuid>

namespace {
NxCloudSignInBook::User userFrom(const QJsonObject& seed)
{
    const QJsonObject signIn = seed.value(QStringLiteral("signIn")).toObject();
    return NxCloudSignInBook::User{
        signIn.value(QStringLiteral("userId")).toString(QStringLiteral("demo-teacher")),
        signIn.value(QStringLiteral("name")).toString(QStringLiteral("王老师")),
        signIn.value(QStringLiteral("avatar")).toString(QStringLiteral("pictures/avatar-demo-teacher.png"))};
}
}

bool NxCloudSignInBook::Grant::isEmpty() const
{
    return uid.isEmpty();
}

NxCloudSignInBook::NxCloudSignInBook(const QJsonObject& seed)
    : m_user(userFrom(seed))
{
}

NxCloudSignInBook::User NxCloudSignInBook::user() const
{
    return m_user;
}

void NxCloudSignInBook::setOptions(const NxCloudSignInOptions& options)
{
    QMutexLocker lock(&m_mutex);
    m_options = options;
}

NxCloudSignInOptions NxCloudSignInBook::options() const
{
    QMutexLocker lock(&m_mutex);
    return m_options;
}

bool NxCloudSignInBook::isCode(const QString& code)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^[0-9a-fA-F]{8}-[0-9a-fA-F]{4}-[0-9a-fA-F]{4}-[0-9a-fA-F]{4}-[0-9a-fA-F]{12}-[0-9]{1,12}$"));
    return pattern.match(code).hasMatch();
}

NxCloudSignInBook::Grant NxCloudSignInBook::poll(const QString& code)
{
    QMutexLocker lock(&m_mutex);
    Entry& entry = this->entry(code);
    if (entry.token.isEmpty() && m_options.autoConfirms(entry.polls))
        entry.token = newToken();
    ++entry.polls;
    return grantFor(entry);
}

bool NxCloudSignInBook::confirm(const QString& code)
{
    if (!isCode(code))
        return false;
    QMutexLocker lock(&m_mutex);
    Entry& entry = this->entry(code);
    if (entry.token.isEmpty())
        entry.token = newToken();
    return true;
}

bool NxCloudSignInBook::isConfirmed(const QString& code) const
{
    QMutexLocker lock(&m_mutex);
    return !m_codes.value(code).token.isEmpty();
}

QString NxCloudSignInBook::accessToken(const QString& uid, const QString& token) const
{
    if (uid != m_user.id || token.isEmpty())
        return QString();
    QMutexLocker lock(&m_mutex);
    for (const Entry& entry : m_codes) {
        if (entry.token == token)
            return newToken();
    }
    return QString();
}

NxCloudSignInBook::Entry& NxCloudSignInBook::entry(const QString& code)
{
    if (!m_codes.contains(code)) {
        m_arrival.enqueue(code);
        while (m_arrival.size() > kMaxCodes)
            m_codes.remove(m_arrival.dequeue());
    }
    return m_codes[code];
}

NxCloudSignInBook::Grant NxCloudSignInBook::grantFor(const Entry& entry) const
{
    return entry.token.isEmpty() ? Grant() : Grant{m_user.id, entry.token};
}

QString NxCloudSignInBook::newToken()
{
    return QUuid::createUuid().toString(QUuid::Id128);
}

int NxCloudSignInBook::pollCount(const QString& code) const
{
    QMutexLocker lock(&m_mutex);
    return m_codes.value(code).polls;
}

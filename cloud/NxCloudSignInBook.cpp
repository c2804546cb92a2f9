#include "NxCloudSignInBook.h"

#include "NxCloudStore.h"
#include "NxCloudTeacherTable.h"

#include <QMutexLocker>
#include <QRegularExpression>
#include <QUuid>
#include <QtDebug>

namespace {
void logFailure(const char* where, const QString& error)
{
    qWarning().noquote() << where << error;
}
}

bool NxCloudSignInBook::Grant::isEmpty() const
{
    return uid.isEmpty();
}

NxCloudSignInBook::NxCloudSignInBook(const QJsonObject& seed)
    : NxCloudSignInBook(NxCloudStore::fromSeed(seed))
{
}

NxCloudSignInBook::NxCloudSignInBook(QSharedPointer<NxCloudStore> store)
    : m_store(std::move(store))
{
}

NxCloudSignInBook::User NxCloudSignInBook::user() const
{
    return teacher(QString());
}

NxCloudSignInBook::User NxCloudSignInBook::userOf(const QString& code) const
{
    const QString id = entryOf(code).teacherId;
    return id.isEmpty() ? User() : teacher(id);
}

NxCloudSignInBook::User NxCloudSignInBook::teacher(const QString& id) const
{
    NxCloudTeacherTable::Teacher teacher;
    QString error;
    const bool read = m_store->read([&](QSqlDatabase& db, QString* e) {
        QString which = id;
        bool found = false;
        return (!which.isEmpty() || NxCloudTeacherTable::signInTeacher(db, &which, e))
            && (which.isEmpty() || NxCloudTeacherTable::find(db, which, &teacher, &found, e));
    }, &error);
    if (!read)
        logFailure("NxCloudSignInBook::teacher", error);
    return User{teacher.id, teacher.name, teacher.avatar};
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
    Grant grant;
    record(code, false, QString(), &grant);
    return grant;
}

bool NxCloudSignInBook::confirm(const QString& code)
{
    Grant grant;
    return isCode(code) && record(code, true, QString(), &grant);
}

bool NxCloudSignInBook::confirmFor(const QString& code, const QString& teacherId)
{
    Grant grant;
    return isCode(code) && record(code, true, teacherId, &grant);
}

bool NxCloudSignInBook::record(const QString& code, bool confirmNow, const QString& teacherId, Grant* grant)
{
    const NxCloudSignInOptions options = this->options();
    QString error;
    const bool done = m_store->change(NxCloudStore::Area::SignIn, [&](QSqlDatabase& db, QString* e) {
        NxCloudSignInCodeTable::Entry entry;
        QString teacher = teacherId;
        if (!NxCloudSignInCodeTable::remember(db, code, kMaxCodes, e)
            || !(confirmNow ? NxCloudSignInCodeTable::entry(db, code, &entry, e)
                            : NxCloudSignInCodeTable::countPoll(db, code, &entry, e)))
            return false;
        if (entry.token.isEmpty() && (confirmNow || options.autoConfirms(entry.polls))) {
            if ((teacher.isEmpty() && !NxCloudTeacherTable::signInTeacher(db, &teacher, e))
                || !NxCloudSignInCodeTable::confirm(db, code, newToken(), teacher, e)
                || !NxCloudSignInCodeTable::entry(db, code, &entry, e))
                return false;
        }
        *grant = entry.token.isEmpty() ? Grant() : Grant{entry.teacherId, entry.token};
        return true;
    }, &error);
    if (!done)
        logFailure("NxCloudSignInBook::record", error);
    return done;
}

bool NxCloudSignInBook::isConfirmed(const QString& code) const
{
    return !entryOf(code).token.isEmpty();
}

int NxCloudSignInBook::pollCount(const QString& code) const
{
    return entryOf(code).polls;
}

NxCloudSignInCodeTable::Entry NxCloudSignInBook::entryOf(const QString& code) const
{
    NxCloudSignInCodeTable::Entry entry;
    QString error;
    if (!m_store->read([&](QSqlDatabase& db, QString* e) { return NxCloudSignInCodeTable::entry(db, code, &entry, e); },
                       &error))
        logFailure("NxCloudSignInBook::entryOf", error);
    return entry;
}

QString NxCloudSignInBook::accessToken(const QString& uid, const QString& token) const
{
    if (uid.isEmpty() || token.isEmpty())
        return QString();
    bool granted = false;
    QString error;
    if (!m_store->read([&](QSqlDatabase& db, QString* e) {
            return NxCloudSignInCodeTable::isGranted(db, uid, token, &granted, e);
        }, &error))
        logFailure("NxCloudSignInBook::accessToken", error);
    return granted ? newToken() : QString();
}

QString NxCloudSignInBook::newToken()
{
    return QUuid::createUuid().toString(QUuid::Id128);
}

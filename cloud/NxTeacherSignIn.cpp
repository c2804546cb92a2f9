#include "NxTeacherSignIn.h"

#include "NxCloudAuditLog.h"
#include "NxCloudStore.h"
#include "NxCloudTeacherTable.h"
#include "NxLoginThrottle.h"
#include "NxPasswordHash.h"

#include <QDateTime>
#include <QtDebug>

struct NxTeacherSignIn::Account
{
    NxCloudTeacherTable::Teacher teacher;  // empty id: nobody by that name
    int namesakes = 0;
    int retryAfter = 0;
    NxLoginThrottle::Key key;
};

NxTeacherSignIn::NxTeacherSignIn(QSharedPointer<NxCloudStore> store)
    : m_store(std::move(store))
{
}

NxTeacherSignIn::Result NxTeacherSignIn::check(const QString& name, const QString& password,
                                               const QString& address) const
{
    Account account;
    QString error;
    Result result;
    if (!lookUp(name.trimmed(), address, &account, &error)) {
        qWarning().noquote() << "NxTeacherSignIn::check" << error;
        return result;
    }
    result.retryAfterSeconds = account.retryAfter;
    if (account.retryAfter > 0) {
        result.outcome = Outcome::Throttled;
        return result;
    }
    if (account.namesakes > 1) {
        result.outcome = Outcome::Ambiguous;
        return result;
    }
    // Checked outside every lock: it is slow on purpose.
    const bool valid = NxPasswordHash::verify(account.teacher.passwordHash, password.left(NxPasswordHash::kMaxLength + 1));
    if (!record(account, valid, address, &error)) {
        qWarning().noquote() << "NxTeacherSignIn::check" << error;
        return result;
    }
    result.teacherId = account.teacher.id;
    result.teacherName = account.teacher.name;
    result.outcome = !valid ? Outcome::Wrong : account.teacher.enabled ? Outcome::Accepted : Outcome::Disabled;
    return result;
}

bool NxTeacherSignIn::lookUp(const QString& name, const QString& address, Account* account, QString* error) const
{
    return m_store->read([&](QSqlDatabase& db, QString* e) {
        bool found = false;
        QList<NxCloudTeacherTable::Teacher> namesakes;
        if (!NxCloudTeacherTable::find(db, name, &account->teacher, &found, e))
            return false;
        if (!found) {
            if (!NxCloudTeacherTable::findByName(db, name, &namesakes, e))
                return false;
            account->namesakes = namesakes.size();
            account->teacher = namesakes.size() == 1 ? namesakes.first() : NxCloudTeacherTable::Teacher();
        }
        // Failures count against the account, whichever of its names was typed.
        account->key = NxLoginThrottle::teacher(account->teacher.id.isEmpty() ? name : account->teacher.id, address);
        return NxLoginThrottle::retryAfter(db, account->key, QDateTime::currentMSecsSinceEpoch(), &account->retryAfter, e);
    }, error);
}

bool NxTeacherSignIn::record(const Account& account, bool accepted, const QString& address, QString* error) const
{
    const QString actor = account.teacher.id.isEmpty() ? account.key.account : account.teacher.id;
    return m_store->database().write([&](QSqlDatabase& db, QString* e) {
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        return (accepted ? NxLoginThrottle::succeed(db, account.key, e) : NxLoginThrottle::fail(db, account.key, now, e))
            && NxCloudAuditLog::append(db, actor, accepted ? QStringLiteral("teacher sign in")
                                                           : QStringLiteral("teacher sign in refused"),
                                       QString(), QStringLiteral("from ") + address, e);
    }, error);
}

#pragma once

#include <QSharedPointer>
#include <QString>

class NxCloudStore;

// Checks a teacher's name (their id, or a display name only one teacher
// has) and password for the sign-in page a phone opens, slowed down by
// NxLoginThrottle like the admin's sign-in.
class NxTeacherSignIn
{
public:
    enum class Outcome
    {
        Accepted,
        Wrong,      // unknown name or wrong password
        Ambiguous,  // several teachers have this display name
        Disabled,   // right password, account switched off
        Throttled,
        Failed      // the database failed
    };

    struct Result
    {
        Outcome outcome = Outcome::Failed;
        QString teacherId;
        QString teacherName;
        int retryAfterSeconds = 0;
    };

    explicit NxTeacherSignIn(QSharedPointer<NxCloudStore> store);

    Result check(const QString& name, const QString& password, const QString& address) const;

private:
    struct Account;
    bool lookUp(const QString& name, const QString& address, Account* account, QString* error) const;
    bool record(const Account& account, bool accepted, const QString& address, QString* error) const;

    QSharedPointer<NxCloudStore> m_store;
};

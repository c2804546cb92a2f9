#pragma once

#include <QSqlDatabase>
#include <QString>

// Slows down guessing: failed sign-ins are counted per account and per
// address over a window, in the database so that every instance counts them.
// From the limit on, each further failure doubles the wait after it.
class NxLoginThrottle
{
public:
    static constexpr int kAccountLimit = 5;
    // Higher: a school's phones and laptops may share one address.
    static constexpr int kAddressLimit = 20;
    static constexpr qint64 kWindowMs = 15LL * 60 * 1000;
    static constexpr int kFirstWaitSeconds = 30;
    static constexpr int kLongestWaitSeconds = 15 * 60;

    struct Key
    {
        QString account;
        QString address;
    };
    static Key admin(const QString& name, const QString& address);
    static Key teacher(const QString& id, const QString& address);

    // Seconds until key may try again; 0 when it may now.
    static bool retryAfter(const QSqlDatabase& db, const Key& key, qint64 now, int* seconds, QString* error);
    static bool fail(const QSqlDatabase& db, const Key& key, qint64 now, QString* error);
    // A success clears the account's failures, not the address's.
    static bool succeed(const QSqlDatabase& db, const Key& key, QString* error);
    // The wait after the last of failures; 0 below limit.
    static int waitSeconds(int failures, int limit);

private:
    static bool retryAfter(const QSqlDatabase& db, const QString& subject, int limit, qint64 now, int* seconds,
                           QString* error);
};

#pragma once

#include <QSqlDatabase>
#include <QString>

// QR sign-in codes the panels poll for, so that a code confirmed through one
// instance of the service is seen by the instance a panel polls.
class NxCloudSignInCodeTable
{
public:
    struct Entry
    {
        int polls = 0;
        QString token;      // empty while unconfirmed
        QString teacherId;  // whom the confirmation signs in
    };

    // Remembers a code not seen before, forgetting the oldest beyond keep.
    static bool remember(const QSqlDatabase& db, const QString& code, int keep, QString* error);
    // Counts one poll; before holds the entry as it was.
    static bool countPoll(const QSqlDatabase& db, const QString& code, Entry* before, QString* error);
    static bool entry(const QSqlDatabase& db, const QString& code, Entry* entry, QString* error);
    // Hands out token for teacherId unless the code already has one.
    static bool confirm(const QSqlDatabase& db, const QString& code, const QString& token, const QString& teacherId,
                        QString* error);
    static bool isGranted(const QSqlDatabase& db, const QString& teacherId, const QString& token, bool* granted,
                          QString* error);
};

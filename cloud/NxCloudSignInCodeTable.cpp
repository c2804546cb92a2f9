#include "NxCloudSignInCodeTable.h"

#include "NxCloudQuery.h"

#include <QDateTime>

bool NxCloudSignInCodeTable::remember(const QSqlDatabase& db, const QString& code, int keep, QString* error)
{
    NxCloudQuery insert(db, QStringLiteral("INSERT INTO sign_in_codes (code, polls, created_at) VALUES (?, 0, ?)"
                                           " ON CONFLICT (code) DO NOTHING"));
    if (!insert.exec({code, QDateTime::currentMSecsSinceEpoch()}, error))
        return false;
    if (insert.rowsAffected() == 0)
        return true;
    return NxCloudQuery::run(db, QStringLiteral("DELETE FROM sign_in_codes WHERE seq NOT IN"
                                                " (SELECT seq FROM sign_in_codes ORDER BY seq DESC LIMIT ?)"),
                             {keep}, error);
}

bool NxCloudSignInCodeTable::countPoll(const QSqlDatabase& db, const QString& code, Entry* before, QString* error)
{
    // The update comes first: it locks the row, so concurrent polls of one
    // code through several instances each count.
    if (!NxCloudQuery::run(db, QStringLiteral("UPDATE sign_in_codes SET polls = polls + 1 WHERE code = ?"), {code},
                           error)
        || !entry(db, code, before, error))
        return false;
    --before->polls;
    return true;
}

bool NxCloudSignInCodeTable::entry(const QSqlDatabase& db, const QString& code, Entry* entry, QString* error)
{
    NxCloudQuery row(db, QStringLiteral("SELECT polls, token, teacher_id FROM sign_in_codes WHERE code = ?"));
    if (!row.exec({code}, error))
        return false;
    *entry = row.next() ? Entry{row.value(0).toInt(), row.value(1).toString(), row.value(2).toString()} : Entry();
    return true;
}

bool NxCloudSignInCodeTable::confirm(const QSqlDatabase& db, const QString& code, const QString& token,
                                     const QString& teacherId, QString* error)
{
    const QVariant teacher = teacherId.isEmpty() ? QVariant(QVariant::String) : QVariant(teacherId);
    return NxCloudQuery::run(db, QStringLiteral("UPDATE sign_in_codes SET token = ?, teacher_id = ?"
                                                " WHERE code = ? AND token IS NULL"),
                             {token, teacher, code}, error);
}

bool NxCloudSignInCodeTable::isGranted(const QSqlDatabase& db, const QString& teacherId, const QString& token,
                                       bool* granted, QString* error)
{
    bool ok = false;
    // A teacher switched off since no longer gets in with an earlier grant.
    *granted = NxCloudQuery::scalar(db, QStringLiteral("SELECT COUNT(*) FROM sign_in_codes c"
                                                       " JOIN teachers t ON t.teacher_id = c.teacher_id"
                                                       " WHERE c.token = ? AND c.teacher_id = ? AND t.enabled = 1"),
                                    {token, teacherId}, 0, error, &ok).toInt() > 0;
    return ok;
}

#pragma once

#include "NxCloudSignInCodeTable.h"
#include "NxCloudSignInOptions.h"

#include <QJsonObject>
#include <QMutex>
#include <QSharedPointer>
#include <QString>

class NxCloudStore;

// QR sign-in codes the service has seen, which of them a phone confirmed, and
// the account they sign in to, kept in the store's database. Shared by the
// server's threads.
// Seed layout: "signIn": { "userId", "name", "avatar": "pictures/<file>" }
class NxCloudSignInBook
{
public:
    // Codes remembered at most; the oldest are forgotten first.
    static constexpr int kMaxCodes = 1000;

    struct User
    {
        QString id;
        QString name;
        QString avatar;  // picture reference, resolved per request
    };

    // What a confirmed code hands out; empty while unconfirmed.
    struct Grant
    {
        QString uid;
        QString token;
        bool isEmpty() const;
    };

    // A book of its own, in a private in-memory database filled from seed.
    explicit NxCloudSignInBook(const QJsonObject& seed);
    explicit NxCloudSignInBook(QSharedPointer<NxCloudStore> store);

    // The seed's sign-in account.
    User user() const;
    // Whom a confirmed code signed in; empty while unconfirmed.
    User userOf(const QString& code) const;
    // The account id names; empty id: the seed's sign-in account.
    User teacher(const QString& id) const;
    void setOptions(const NxCloudSignInOptions& options);
    NxCloudSignInOptions options() const;

    // "<uuid>-<seconds>", as the panel puts into the QR code.
    static bool isCode(const QString& code);
    // Counts one poll, confirming the code when the options say so.
    Grant poll(const QString& code);
    // Confirms for the seed's sign-in account, as a phone once did.
    bool confirm(const QString& code);
    // Confirms for the teacher who signed in on the phone's page.
    bool confirmFor(const QString& code, const QString& teacherId);
    bool isConfirmed(const QString& code) const;
    int pollCount(const QString& code) const;
    // A new access token when uid and token come from a confirmed code.
    QString accessToken(const QString& uid, const QString& token) const;

private:
    // teacherId empty: the seed's sign-in account.
    bool record(const QString& code, bool confirmNow, const QString& teacherId, Grant* grant);
    NxCloudSignInCodeTable::Entry entryOf(const QString& code) const;
    static QString newToken();

    QSharedPointer<NxCloudStore> m_store;
    mutable QMutex m_mutex;
    NxCloudSignInOptions m_options;
};

#pragma once

#include "NxCloudSignInOptions.h"

#include <QJsonObject>
#include <QMap>
#include <QMutex>
#include <QQueue>
#include <QString>

// QR sign-in codes the service has seen, which of them a phone confirmed, and
// the account they sign in to. Shared by the server's threads.
// Seed layout: "signIn": { "userId", "name", "avatar": "pictures/<file>" }
class NxCloudSignInBook
{
public:
    // Codes remembered at most; the oldest are forgotten first.
    static const int kMaxCodes = 1000;

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

    explicit NxCloudSignInBook(const QJsonObject& seed);

    User user() const;
    void setOptions(const NxCloudSignInOptions& options);
    NxCloudSignInOptions options() const;

    // "<uuid>-<seconds>", as the panel puts into the QR code.
    static bool isCode(const QString& code);
    // Counts one poll, confirming the code when the options say so.
    Grant poll(const QString& code);
    bool confirm(const QString& code);
    bool isConfirmed(const QString& code) const;
    int pollCount(const QString& code) const;
    // A new access token when uid and token come from a confirmed code.
    QString accessToken(const QString& uid, const QString& token) const;

private:
    struct Entry
    {
        int polls = 0;
        QString token;
    };

    Grant grantFor(const Entry& entry) const;
    Entry& entry(const QString& code);
    static QString newToken();

    mutable QMutex m_mutex;
    const User m_user;
    NxCloudSignInOptions m_options;
    QMap<QString, Entry> m_codes;
    QQueue<QString> m_arrival; // codes in the order first seen
};

#pragma once

#include <QByteArray>
#include <QString>

// Random tokens and their comparison, from libsodium: session tokens, CSRF
// tokens and one-time passwords.
class NxSecret
{
public:
    // bytes of randomness as unpadded base64url text.
    static QString token(int bytes = 32);
    // Easy to read aloud and type: no 0/O or 1/l/I.
    static QString password(int length = 20);
    // What the database keeps of a session token: its SHA-256, in hex.
    static QString digest(const QString& token);
    // Takes as long whatever the texts hold.
    static bool equal(const QString& a, const QString& b);
};

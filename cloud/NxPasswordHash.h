#pragma once

#include <QString>

// Passwords as Argon2id hashes (libsodium's crypto_pwhash_str, interactive
// limits). Hashing takes a tenth of a second and 64 MiB on purpose: callers
// never hold a lock while doing it, and at most a few run at once so a flood
// of sign-ins cannot take all the memory.
class NxPasswordHash
{
public:
    static constexpr int kMinLength = 8;
    static constexpr int kMaxLength = 1024;

    // Empty when libsodium cannot run (out of memory).
    static QString hash(const QString& password);
    // The same hash for the same password for the life of the process: a
    // seed filled again and again (demos, tests) pays for hashing once.
    static QString hashOnce(const QString& password);
    // False for an empty or malformed hash too, after the same work as a
    // real check, so an unknown account answers as slowly as a known one.
    static bool verify(const QString& hash, const QString& password);
    // Why password is not acceptable; empty when it is.
    static QString problem(const QString& password);

private:
    static const QString& dummyHash();
};

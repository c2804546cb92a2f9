#pragma once

#include <QString>

// The pages a teacher's phone shows after scanning a panel's QR code: one
// self-contained, mobile-sized HTML document each, Chinese first, English below.
class NxSignInPage
{
public:
    struct Invitation
    {
        QString code;
        QString confirmPath;  // where the button posts the code
        QString userName;
        QString avatarUrl;
        QString appName;
        QString requestedAt;
    };

    static QString invitation(const Invitation& invitation);
    static QString confirmed(const QString& userName);
    static QString error(const QString& reason);

private:
    static QString layout(const QString& title, const QString& content);
    static QString heading(const QString& icon, const QString& chinese, const QString& english);
    static QString account(const Invitation& invitation);
    static QString fact(const QString& label, const QString& value);
    static QString style();
};

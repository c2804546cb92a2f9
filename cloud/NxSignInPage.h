#pragma once

#include <QString>

// The pages a teacher's phone shows after scanning a panel's QR code: one
// self-contained, mobile-sized HTML document each, Chinese first, English below.
class NxSignInPage
{
public:
    // A line shown in both languages.
    struct Message
    {
        QString chinese;
        QString english;
    };

    struct Invitation
    {
        QString code;
        QString confirmPath;  // where the form posts code, name and password
        QString appName;
        QString requestedAt;
        QString name;         // as typed before, to type it only once
        Message problem;      // why the last try failed; empty at first
    };

    // The form that asks for the teacher's name and password.
    static QString invitation(const Invitation& invitation);
    static QString confirmed(const QString& userName);
    static QString error(const QString& reason);

private:
    static QString layout(const QString& title, const QString& content);
    static QString heading(const QString& icon, const QString& chinese, const QString& english);
    static QString form(const Invitation& invitation);
    static QString problem(const Message& message);
    static QString fact(const QString& label, const QString& value);
    static QString style();
};

#pragma once

#include <QString>

// How the sign-in endpoints behave, so that tests and demos can reach every
// branch of the client without a phone.
struct NxCloudSignInOptions
{
    // Polls a code answers "not confirmed" before it confirms itself; < 0 never.
    int autoConfirmAfterPolls = -1;
    // Key of the user token in the poll answer: "token" or "usertoken".
    QString tokenKey = tokenKeyDefault();
    bool emptyAccessToken = false;  // quick sign-in answers "h4token": ""
    bool brokenAvatar = false;      // avatar URL points at a missing picture

    static QString tokenKeyDefault();
    static QString tokenKeyAlternative();
    bool autoConfirms(int pollsSoFar) const;
};

#pragma once

#include "NxChannelSet.h"
#include "TavoWebCommandGlobal.h"

#include <QByteArray>
#include <QList>
#include <QSharedPointer>
#include <QString>

// Decodes the cloud's answers, apart from the network and the client's
// signals, so every answer has one reader whatever asked for it.
class TAVOWEBCOMMAND_EXPORT NxCloudAnswers
{
public:
    // A channel answer: the catalogue of one category, the own channels
    // ("my resources") or the channels offered for adding.
    struct Channels {
        enum Kind { Unknown, Catalogue, UserChannels, AddedChannels };
        Kind kind = Unknown;
        QSharedPointer<NxChannelSet> channel; // Catalogue (null when unnamed) and UserChannels
        QList<QSharedPointer<NxChannelSet>> list; // AddedChannels
    };
    // A poll of the QR sign-in. result 0: answered; uid empty while the
    // phone has not confirmed yet.
    struct SignIn {
        int result = 0;
        QString uid;
        bool hasToken = false;
        QString token;
    };
    // The quick sign-in. casid is the answer's whenever result is 0 or -100.
    struct QuickSignIn {
        int result = 0;
        QString casid;
        QString avatar;
    };

    static Channels channels(const QByteArray& data);
    static SignIn signIn(const QByteArray& data);
    static QuickSignIn quickSignIn(const QByteArray& data);
    // An own channel added (add) or deleted; id is the new channel's id, or
    // the service's message when the addition failed.
    static int operation(const QByteArray& data, bool add, QString* id);
    static int liveCode(const QByteArray& data, QString* url);
    // Success is the number 0 or the text "0" only; another number (or
    // numeric text) is that failure code; anything else, or no code, is -1.
    static int answerCode(const QJsonObject& reply);
};

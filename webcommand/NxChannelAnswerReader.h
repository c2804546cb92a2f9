#pragma once

#include "NxCloudAnswers.h"
#include "TavoWebCommandGlobal.h"

#include <QByteArray>

// Reads a channel answer of the service straight from its bytes with
// RapidJSON; a catalogue of thousands of channels is read several times
// faster than through QJsonDocument. Bytes that RapidJSON refuses, or could
// read otherwise than QJsonDocument, are read by QJsonDocument as before,
// so both give one tree for every input.
class TAVOWEBCOMMAND_EXPORT NxChannelAnswerReader
{
public:
    static NxCloudAnswers::Channels read(const QByteArray& data);
    // RapidJSON alone: false, and the answer untouched, where the bytes are
    // left to QJsonDocument.
    static bool readFast(const QByteArray& data, NxCloudAnswers::Channels& answer);
};

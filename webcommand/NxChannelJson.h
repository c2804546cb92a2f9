#pragma once

#include "TavoWebCommandGlobal.h"

#include <QJsonObject>
#include <QSharedPointer>

class NxChannelSet;

// Reads a channel tree from the service's JSON.
class TAVOWEBCOMMAND_EXPORT NxChannelJson
{
public:
    // Null when the object has no "channelName". Null children are dropped,
    // so receivers of a tree never meet a null entry.
    static QSharedPointer<NxChannelSet> read(const QJsonObject& object);

private:
    static void readImages(NxChannelSet& channel, const QJsonArray& images);
    static void readChildren(NxChannelSet& channel, const QJsonArray& children);
};

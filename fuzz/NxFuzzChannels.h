#pragma once

#include "NxChannelSet.h"

#include <QSharedPointer>

// What every reader of channels promises its receivers, checked on a tree.
class NxFuzzChannels
{
public:
    // No null child anywhere; the writer's form of each channel is built.
    static void checkTree(const QSharedPointer<NxChannelSet>& channel);
};

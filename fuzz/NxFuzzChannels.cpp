#include "NxFuzzChannels.h"

#include "NxFuzzApp.h"

void NxFuzzChannels::checkTree(const QSharedPointer<NxChannelSet>& channel)
{
    if (!channel)
        return;
    NxChannelSet::channel2Json(channel);
    for (const QSharedPointer<NxChannelSet>& child : channel->children()) {
        NxFuzzApp::check(!child.isNull(), "null child in a channel tree");
        checkTree(child);
    }
}

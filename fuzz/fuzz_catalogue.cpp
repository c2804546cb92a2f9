// A catalogue answer of the cloud, read as the cloud client reads it.
#include "NxCloudAnswers.h"
#include "NxFuzzApp.h"
#include "NxFuzzChannels.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    NxFuzzApp::ensure();
    const NxCloudAnswers::Channels answer
        = NxCloudAnswers::channels(NxFuzzApp::bytes(data, size));
    NxFuzzChannels::checkTree(answer.channel);
    for (const QSharedPointer<NxChannelSet>& channel : answer.list) {
        NxFuzzApp::check(!channel.isNull(), "null channel in a list answer");
        NxFuzzChannels::checkTree(channel);
    }
    if (answer.kind == NxCloudAnswers::Channels::Catalogue && answer.channel)
        NxChannelSet::chCategoryFromString(answer.channel->channelId());
    return 0;
}

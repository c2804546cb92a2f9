// Own-channel answers: the list of "my resources" and the results of adding
// and deleting one.
#include "NxCloudAnswers.h"
#include "NxFuzzApp.h"
#include "NxFuzzChannels.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    NxFuzzApp::ensure();
    const QByteArray answer = NxFuzzApp::bytes(data, size);
    const NxCloudAnswers::Channels channels = NxCloudAnswers::channels(answer);
    if (channels.kind == NxCloudAnswers::Channels::UserChannels) {
        NxFuzzApp::check(!channels.channel.isNull(), "no root for my resources");
        NxFuzzApp::check(channels.channel->channelId() == QLatin1String("myresources"), "my resources misnamed");
    }
    NxFuzzChannels::checkTree(channels.channel);
    QString id;
    NxCloudAnswers::operation(answer, true, &id);
    NxCloudAnswers::operation(answer, false, nullptr);
    return 0;
}

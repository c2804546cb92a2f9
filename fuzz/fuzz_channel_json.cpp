// The channel reader on any JSON object, or on each element of an array.
#include "NxChannelJson.h"
#include "NxFuzzApp.h"
#include "NxFuzzChannels.h"

#include <QJsonArray>
#include <QJsonDocument>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    NxFuzzApp::ensure();
    const QJsonDocument document
        = QJsonDocument::fromJson(NxFuzzApp::bytes(data, size));
    if (document.isObject())
        NxFuzzChannels::checkTree(NxChannelJson::read(document.object()));
    for (const QJsonValue& value : document.array())
        NxFuzzChannels::checkTree(NxChannelJson::read(value.toObject()));
    return 0;
}

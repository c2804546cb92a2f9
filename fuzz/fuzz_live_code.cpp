// The answer to a live code.
#include "NxCloudAnswers.h"
#include "NxFuzzApp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    NxFuzzApp::ensure();
    QString url;
    NxCloudAnswers::liveCode(NxFuzzApp::bytes(data, size), &url);
    return 0;
}

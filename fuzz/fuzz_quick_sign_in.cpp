// The answer of the quick sign-in that follows a confirmed QR sign-in.
#include "NxCloudAnswers.h"
#include "NxFuzzApp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    NxFuzzApp::ensure();
    NxCloudAnswers::quickSignIn(NxFuzzApp::bytes(data, size));
    return 0;
}

// A poll answer of the QR sign-in.
#include "NxCloudAnswers.h"
#include "NxFuzzApp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    NxFuzzApp::ensure();
    NxCloudAnswers::signIn(NxFuzzApp::bytes(data, size));
    return 0;
}

// Downloaded channel pictures and avatars.
#include "NxFuzzApp.h"
#include "NxPictureReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    NxFuzzApp::ensure(NxFuzzApp::Kind::Gui);
    const QImage image = NxPictureReader::fromData(NxFuzzApp::bytes(data, size), QStringLiteral("fuzz"));
    NxFuzzApp::check(qint64(image.width()) * image.height() <= NxPictureReader::kMaxPixels, "an oversized picture decoded");
    return 0;
}

// The file dialog's cloud listings: the personal disk and the collected
// resources, read from one answer each way.
#include "NxCloudListing.h"
#include "NxCloudUtils.h"
#include "NxFuzzApp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    NxFuzzApp::ensure(NxFuzzApp::Kind::Gui);
    const QJsonObject reply = NxCloudUtils::getJsonObjectFromString(QString::fromUtf8(NxFuzzApp::bytes(data, size)));
    const QString pass = QStringLiteral("ID_OPEN_CLOUD");
    for (const auto& parse : {&NxCloudListing::parseDisk, &NxCloudListing::parseResources}) {
        const NxCloudListing::Result result = parse(reply, pass, QStringLiteral("Units"));
        NxFuzzApp::check(result.files.size() <= result.entries.size(), "a cloud file without its row");
    }
    return 0;
}

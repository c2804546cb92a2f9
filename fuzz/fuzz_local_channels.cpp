// The local channel files as the main window reads them at start: the home
// page's pins placed by their slot, then saved again as the window does
// after a change, and read back.
#include "NxFuzzApp.h"
#include "NxLocalChannelFile.h"
#include "TavomcPresenterChannelLists.h"

#include <QJsonObject>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    NxFuzzApp::ensure(NxFuzzApp::Kind::Gui);
    const QByteArray text = NxFuzzApp::bytes(data, size);
    for (const char* name : {"FirstPage_Local.jdx", "tv_local.JDX", "TavoChannel_Local.jdx"})
        NxFuzzApp::writeFile(QLatin1String(name), text);
    const QString dir = NxFuzzApp::workDir();
    TavomcPresenterChannelLists lists;
    lists.loadLocalChannelFiles(dir);
    NxFuzzApp::check(lists.tvLocalChannels == lists.firstPageLocalChannels, "one text read two ways");
    for (const QJsonValue& value : qAsConst(lists.firstPageLocalChannels)) {
        const QJsonObject entry = value.toObject();
        if (!TavomcPresenterChannelLists::isPlaceable(entry))
            continue;
        const int page = entry.value(QStringLiteral("page")).toInt();
        const int index = entry.value(QStringLiteral("index")).toInt();
        NxFuzzApp::check(page >= 0 && page <= TavomcPresenterChannelLists::kMaxGridPages && index >= 0
                             && index < TavomcPresenterChannelLists::kGridCells,
                         "a placeable entry outside every page");
    }
    // The window saves the whole list after a change; a damaged file is set aside first.
    const QJsonObject first = lists.firstPageLocalChannels.at(0).toObject();
    const QJsonObject request = lists.saveRequest(TavomcPresenterChannelLists::Saved::FirstPage, false, first, QString());
    const QJsonArray saved = request.value(QStringLiteral("data")).toArray();
    NxFuzzApp::check(NxLocalChannelFile::write(dir, QStringLiteral("firstpage"), saved), "list not saved");
    // Compared as variants: Qt orders keys holding a NUL differently once they come back escaped.
    NxFuzzApp::check(NxLocalChannelFile::read(dir, QStringLiteral("FirstPage")).toVariantList() == saved.toVariantList(),
                     "saved list reads back changed");
    return 0;
}

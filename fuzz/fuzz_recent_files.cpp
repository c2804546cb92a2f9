// The file dialog's recent-file store as found on disk, then one file
// opened and the store read again.
#include "NxFuzzApp.h"
#include "NxRecentFiles.h"

#include <QCoreApplication>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    NxFuzzApp::ensure(NxFuzzApp::Kind::Gui);
    QCoreApplication::instance()->setProperty("recentFileDir", NxFuzzApp::workDir());
    const QByteArray text = NxFuzzApp::bytes(data, size);
    NxFuzzApp::writeFile(QStringLiteral("image_files.json"), text);
    NxFuzzApp::writeFile(QStringLiteral("courseware_files.json"), text);
    NxRecentFiles& store = NxRecentFiles::instance();
    store.reload();
    for (const char* type : {"image", "video"}) {
        const QList<NxRecentFiles::Entry> entries = store.entries(QLatin1String(type));
        NxFuzzApp::check(entries.size() <= NxRecentFiles::kMaxEntries, "too many recent files");
        for (const NxRecentFiles::Entry& entry : entries)
            NxFuzzApp::check(!entry.strName.isEmpty(), "a recent file without a name");
    }
    const NxRecentFiles::Entry opened{QStringLiteral("ID_DESKTOP"), QStringLiteral("a"), QStringLiteral("b.png"),
                                      QString(), QStringLiteral("2024-5-1 8:30"), QStringLiteral("image")};
    store.add(opened);
    store.reload();
    const QList<NxRecentFiles::Entry> again = store.entries(QStringLiteral("image"));
    NxFuzzApp::check(!again.isEmpty() && again.first().strName == opened.strName, "the opened file was not kept first");
    return 0;
}

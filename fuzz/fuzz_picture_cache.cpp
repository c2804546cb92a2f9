// The picture cache's index as found in the channel directory at start,
// with pictures it names looked up as the client does.
#include "NxFuzzApp.h"
#include "NxWebLocalCache.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <sys/stat.h>

namespace {

// Small pictures beside the index, for entries that name them, and what
// else a directory may hold under a picture's name: a folder and a pipe.
void placePictures()
{
    static const bool placed = [] {
        // Index entries may name them relative to the current directory.
        QDir::setCurrent(NxFuzzApp::workDir());
        for (const char* format : {"png", "jpg", "bmp"}) {
            QImage picture(3, 2, QImage::Format_RGB32);
            picture.fill(Qt::darkBlue);
            picture.save(NxFuzzApp::workDir() + QStringLiteral("/pic.") + QLatin1String(format), format);
        }
        QDir(NxFuzzApp::workDir()).mkdir(QStringLiteral("folder.png"));
        mkfifo(QFile::encodeName(NxFuzzApp::workDir() + QStringLiteral("/pipe.png")).constData(), 0600);
        return true;
    }();
    Q_UNUSED(placed)
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    NxFuzzApp::ensure(NxFuzzApp::Kind::Gui);
    placePictures();
    const QByteArray index = NxFuzzApp::bytes(data, size);
    NxFuzzApp::writeFile(QStringLiteral("NXT_ImgCache.jdx"), index);
    NxWebLocalCache cache;
    cache.setMemoryBudget(64 * 1024);
    cache.slotStartImgCache(NxFuzzApp::workDir());
    // Decoding ahead runs between requests: let it run out.
    for (int round = 0; round < 100 && cache.isDecodingAhead(); ++round)
        QCoreApplication::processEvents();
    const QJsonArray entries = QJsonDocument::fromJson(index).array();
    for (int i = 0; i < entries.size() && i < 8; ++i) {
        QImage image;
        if (cache.find(entries.at(i).toObject().value(QStringLiteral("url")).toString(), image))
            NxFuzzApp::check(!image.isNull(), "a hit without a picture");
    }
    NxFuzzApp::check(cache.count() <= entries.size(), "more entries than the index named");
    return 0;
}

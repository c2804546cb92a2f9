// NxCloudArtwork: renders every channel picture the seed refers to, at build
// time, so the demo catalogue ships finished pictures without downloading any.
// Usage: NxCloudArtwork <seed.json> <output dir>

#include "NxArtworkPainter.h"
#include "NxArtworkPlan.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QTextStream>

namespace {
QJsonObject readSeed(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QJsonObject();
    return QJsonDocument::fromJson(file.readAll()).object();
}
}

int main(int argc, char* argv[])
{
    // Fonts need a GUI application; the offscreen platform needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        err << "usage: NxCloudArtwork <seed.json> <output dir>" << Qt::endl;
        return 2;
    }
    const QJsonObject seed = readSeed(args.at(1));
    const QList<NxArtworkPlan::Picture> pictures = NxArtworkPlan::fromSeed(seed);
    if (pictures.isEmpty()) {
        err << "no pictures in seed " << args.at(1) << Qt::endl;
        return 1;
    }
    QDir out(args.at(2));
    if (!out.mkpath(QStringLiteral("."))) {
        err << "cannot create " << out.path() << Qt::endl;
        return 1;
    }
    for (const NxArtworkPlan::Picture& picture : pictures) {
        if (!NxArtworkPainter::render(picture).save(out.filePath(picture.file), "PNG")) {
            err << "cannot write " << out.filePath(picture.file) << Qt::endl;
            return 1;
        }
    }
    return 0;
}

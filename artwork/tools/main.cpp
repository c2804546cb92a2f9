// Renders the SVG sources of one picture at build time.
//
//   NxArtworkRender --out ID_TV.png [--size 824x388] a.svg [overlay.svg ...]
//   NxArtworkRender --out ID_LOADING.gif --frames 24 --delay 40 --matte #17153c --ffmpeg /usr/bin/ffmpeg spinner.svg
//   NxArtworkRender --out photo.jpg --matte #000000 background.svg
//
// The output format follows the file suffix (png, jpg, ico, gif). Without
// --size the first source's own width and height are used; an animation's
// source may name its defaults on its root element (data-frames, data-delay,
// data-matte). Animations are made by ffmpeg from the rendered frames.

#include "NxFfmpegGif.h"
#include "NxSvgComposer.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "NxArtworkRender: %s\n", qPrintable(message));
    return 1;
}

QSize parseSize(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('x'));
    if (parts.size() != 2)
        return QSize();
    return QSize(parts.at(0).toInt(), parts.at(1).toInt());
}

// Formats without alpha get the matte colour underneath.
QImage flatten(const QImage& image, const QColor& matte)
{
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(matte);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    return flat;
}

bool writeStill(const NxSvgComposer& composer, const QSize& size, const QString& out, const QColor& matte)
{
    const QString suffix = QFileInfo(out).suffix().toLower();
    QImage image = composer.render(size, 0.0);
    QImageWriter writer(out, suffix == QLatin1String("jpg") ? "jpeg" : suffix.isEmpty() ? "png" : suffix.toLatin1());
    if (suffix == QLatin1String("jpg")) {
        image = flatten(image, matte);
        writer.setQuality(92);
        writer.setOptimizedWrite(true);
    } else {
        image = image.convertToFormat(QImage::Format_ARGB32);
        writer.setQuality(0); // smallest file: for PNG quality only trades speed for size
    }
    if (!writer.write(image)) {
        std::fprintf(stderr, "NxArtworkRender: %s: %s\n", qPrintable(out), qPrintable(writer.errorString()));
        return false;
    }
    return true;
}

bool writeAnimation(const NxSvgComposer& composer, const QString& ffmpeg, const QSize& size, const QString& out,
    const QColor& matte, int frames, int delayMs)
{
    NxFfmpegGif gif(ffmpeg, out, matte, delayMs);
    for (int i = 0; i < frames; ++i)
        if (!gif.addFrame(composer.render(size, 360.0 * i / frames)))
            break;
    if (gif.finish())
        return true;
    std::fprintf(stderr, "NxArtworkRender: %s\n", qPrintable(gif.error()));
    return false;
}

// Settings of one run: the command line first, then the source's own defaults.
struct Job {
    QString out;
    QSize size;
    QColor matte;
    int frames = 1;
    int delayMs = 40;
};

bool readJob(const QCommandLineParser& parser, const NxSvgComposer& composer, Job* job, QString* error)
{
    auto setting = [&](const QString& option, const QString& attribute) {
        const QString own = composer.rootAttribute(attribute);
        return parser.isSet(option) || own.isEmpty() ? parser.value(option) : own;
    };
    job->out = parser.value(QStringLiteral("out"));
    job->size = parser.isSet(QStringLiteral("size")) ? parseSize(parser.value(QStringLiteral("size"))) : composer.defaultSize();
    job->matte = QColor(setting(QStringLiteral("matte"), QStringLiteral("data-matte")));
    job->frames = qMax(1, setting(QStringLiteral("frames"), QStringLiteral("data-frames")).toInt());
    job->delayMs = setting(QStringLiteral("delay"), QStringLiteral("data-delay")).toInt();
    if (job->out.isEmpty())
        *error = QStringLiteral("--out is required");
    else if (job->size.isEmpty())
        *error = QStringLiteral("no usable size for %1").arg(job->out);
    else if (!job->matte.isValid())
        *error = QStringLiteral("bad matte colour");
    return error->isEmpty();
}

void addOptions(QCommandLineParser& parser)
{
    parser.addPositionalArgument(QStringLiteral("svg"), QStringLiteral("SVG sources, bottom layer first"));
    parser.addOptions({
        {QStringLiteral("out"), QStringLiteral("picture to write"), QStringLiteral("file")},
        {QStringLiteral("size"), QStringLiteral("pixel size WxH"), QStringLiteral("size")},
        {QStringLiteral("frames"), QStringLiteral("animation frames"), QStringLiteral("n"), QStringLiteral("1")},
        {QStringLiteral("delay"), QStringLiteral("frame delay in ms"), QStringLiteral("ms"), QStringLiteral("40")},
        {QStringLiteral("matte"), QStringLiteral("surface colour behind the picture"), QStringLiteral("colour"), QStringLiteral("#000000")},
        {QStringLiteral("ffmpeg"), QStringLiteral("ffmpeg program that makes animations"), QStringLiteral("program"), QStringLiteral("ffmpeg")},
    });
}

} // namespace

int main(int argc, char* argv[])
{
    // A build step never has a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtime.isValid())
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    addOptions(parser);
    parser.process(app);

    NxSvgComposer composer(parser.positionalArguments());
    if (!composer.load())
        return fail(composer.error());
    Job job;
    QString error;
    if (!readJob(parser, composer, &job, &error))
        return fail(error);

    QDir().mkpath(QFileInfo(job.out).absolutePath());
    const bool ok = QFileInfo(job.out).suffix().toLower() == QLatin1String("gif")
        ? writeAnimation(composer, parser.value(QStringLiteral("ffmpeg")), job.size, job.out, job.matte, job.frames, job.delayMs)
        : writeStill(composer, job.size, job.out, job.matte);
    return ok ? 0 : fail(QStringLiteral("cannot write %1").arg(job.out));
}

#include "NxFfmpegGif.h"

#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>

namespace {
// Twenty-four small frames take ffmpeg well under a second; a hung run must
// still end the build step.
const int kTimeoutMs = 120 * 1000;

QString frameTemplate(const QString& out)
{
    const QFileInfo info(out);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral("-frames-XXXXXX");
}
}

NxFfmpegGif::NxFfmpegGif(const QString& ffmpeg, const QString& out, const QColor& matte, int delayMs)
    : m_ffmpeg(ffmpeg)
    , m_out(out)
    , m_matte(matte)
    , m_delayCs(qMax(1, delayMs / 10)) // GIF counts in hundredths of a second
    , m_frames(frameTemplate(out))
{
    if (!m_frames.isValid())
        failed(QStringLiteral("cannot create a frame directory beside %1: %2").arg(out, m_frames.errorString()));
}

bool NxFfmpegGif::addFrame(const QImage& frame)
{
    if (!m_error.isEmpty())
        return false;
    const QString file = m_frames.filePath(QStringLiteral("%1.png").arg(m_count, 3, 10, QLatin1Char('0')));
    if (!oneBitAlpha(frame).save(file, "png"))
        return failed(QStringLiteral("cannot write frame %1").arg(file));
    ++m_count;
    return true;
}

bool NxFfmpegGif::finish()
{
    if (!m_error.isEmpty())
        return false;
    if (m_count == 0)
        return failed(QStringLiteral("no frames for %1").arg(m_out));
    QByteArray gif;
    return runFfmpeg(&gif) && save(gif);
}

QImage NxFfmpegGif::oneBitAlpha(const QImage& frame) const
{
    // Straight (not premultiplied) alpha keeps the colours of soft edges true.
    QImage image = frame.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int a = qAlpha(line[x]);
            auto mix = [a](int top, int bottom) { return (top * a + bottom * (255 - a)) / 255; };
            line[x] = a < 128 ? qRgba(0, 0, 0, 0)
                              : qRgb(mix(qRed(line[x]), m_matte.red()), mix(qGreen(line[x]), m_matte.green()),
                                  mix(qBlue(line[x]), m_matte.blue()));
        }
    }
    return image;
}

QStringList NxFfmpegGif::arguments() const
{
    // One palette over every frame, one entry kept for transparency; no
    // dithering, so a turning arc does not shimmer from frame to frame.
    const QString filter = QStringLiteral("split[a][b];[a]palettegen=stats_mode=full:reserve_transparent=1[p];"
                                          "[b][p]paletteuse=dither=none:alpha_threshold=128");
    return {QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"), QStringLiteral("error"),
        QStringLiteral("-nostdin"), QStringLiteral("-framerate"), QStringLiteral("100/%1").arg(m_delayCs),
        QStringLiteral("-i"), framePattern(), QStringLiteral("-filter_complex"), filter,
        QStringLiteral("-loop"), QStringLiteral("0"), QStringLiteral("-f"), QStringLiteral("gif"),
        QStringLiteral("pipe:1")};
}

// ffmpeg reads the numbered files; a % of the directory's own is escaped.
QString NxFfmpegGif::framePattern() const
{
    return QString(m_frames.path()).replace(QLatin1Char('%'), QStringLiteral("%%")) + QStringLiteral("/%03d.png");
}

bool NxFfmpegGif::runFfmpeg(QByteArray* gif)
{
    QProcess ffmpeg;
    ffmpeg.start(m_ffmpeg, arguments());
    if (!ffmpeg.waitForStarted())
        return failed(QStringLiteral("cannot start ffmpeg (%1): %2").arg(m_ffmpeg, ffmpeg.errorString()));
    if (!ffmpeg.waitForFinished(kTimeoutMs)) {
        ffmpeg.kill();
        ffmpeg.waitForFinished();
        return failed(QStringLiteral("ffmpeg did not finish %1 within %2 s").arg(m_out).arg(kTimeoutMs / 1000));
    }
    const QString log = QString::fromLocal8Bit(ffmpeg.readAllStandardError()).trimmed();
    if (ffmpeg.exitStatus() != QProcess::NormalExit || ffmpeg.exitCode() != 0)
        return failed(QStringLiteral("ffmpeg failed on %1 (exit code %2): %3").arg(m_out).arg(ffmpeg.exitCode()).arg(log));
    *gif = ffmpeg.readAllStandardOutput();
    if (!gif->startsWith("GIF89a"))
        return failed(QStringLiteral("ffmpeg gave no GIF for %1: %2").arg(m_out, log));
    return true;
}

bool NxFfmpegGif::save(const QByteArray& gif)
{
    QSaveFile file(m_out);
    if (!file.open(QIODevice::WriteOnly) || file.write(gif) != gif.size() || !file.commit())
        return failed(QStringLiteral("cannot write %1: %2").arg(m_out, file.errorString()));
    return true;
}

bool NxFfmpegGif::failed(const QString& message)
{
    if (m_error.isEmpty())
        m_error = message;
    return false;
}

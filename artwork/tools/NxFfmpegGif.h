#pragma once

#include <QColor>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>

// Makes a looping animated GIF with ffmpeg (Qt can read GIF but not write it).
// The frames go to PNG files in a temporary directory beside the output and
// ffmpeg builds one palette for all of them. GIF has one-bit transparency:
// pixels under half opacity become transparent, the others are laid over the
// matte colour so their soft edges blend towards the surface the animation is
// shown on. The output is replaced only once ffmpeg has succeeded.
class NxFfmpegGif
{
public:
    NxFfmpegGif(const QString& ffmpeg, const QString& out, const QColor& matte, int delayMs);

    bool addFrame(const QImage& frame);
    bool finish();
    QString error() const { return m_error; }

private:
    QImage oneBitAlpha(const QImage& frame) const;
    QStringList arguments() const;
    QString framePattern() const;
    bool runFfmpeg(QByteArray* gif);
    bool save(const QByteArray& gif);
    bool failed(const QString& message);

    QString m_ffmpeg;
    QString m_out;
    QColor m_matte;
    int m_delayCs;
    QTemporaryDir m_frames;
    int m_count = 0;
    QString m_error;
};

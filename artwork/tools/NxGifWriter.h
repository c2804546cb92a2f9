#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QVector>

// Writes a looping animated GIF (Qt can read GIF but not write it).
// GIF has one-bit transparency: pixels under half opacity become transparent,
// the others are laid over the matte colour so their soft edges blend towards
// the surface the animation is shown on.
class NxGifWriter
{
public:
    NxGifWriter(const QColor& matte, int delayMs);

    void addFrame(const QImage& frame);
    QByteArray encode() const;
    bool write(const QString& path) const;

private:
    static const int kTransparent = 255;

    QVector<uchar> indexFrame(const QImage& frame, class NxColorQuantizer& quantizer) const;
    static void appendLzw(QByteArray& out, const QVector<uchar>& indices);
    static void appendShort(QByteArray& out, int value);

    QColor m_matte;
    int m_delayMs;
    QVector<QImage> m_frames;
};

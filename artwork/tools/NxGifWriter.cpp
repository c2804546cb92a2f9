#include "NxGifWriter.h"

#include "NxColorQuantizer.h"

#include <QFile>
#include <QHash>

namespace {
// Packs variable-length codes least significant bit first, as GIF wants.
class BitPacker
{
public:
    void put(int code, int bits)
    {
        m_buffer |= quint32(code) << m_count;
        m_count += bits;
        while (m_count >= 8) {
            m_bytes.append(char(m_buffer & 0xff));
            m_buffer >>= 8;
            m_count -= 8;
        }
    }
    QByteArray finish()
    {
        if (m_count > 0)
            m_bytes.append(char(m_buffer & 0xff));
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    quint32 m_buffer = 0;
    int m_count = 0;
};

QRgb overMatte(QRgb pixel, const QColor& matte)
{
    const int a = qAlpha(pixel);
    auto mix = [a](int top, int bottom) { return (top * a + bottom * (255 - a)) / 255; };
    const QColor c = QColor::fromRgba(pixel);
    return qRgb(mix(c.red(), matte.red()), mix(c.green(), matte.green()), mix(c.blue(), matte.blue()));
}
}

NxGifWriter::NxGifWriter(const QColor& matte, int delayMs)
    : m_matte(matte)
    , m_delayMs(delayMs)
{
}

void NxGifWriter::addFrame(const QImage& frame)
{
    // Straight (not premultiplied) alpha keeps the colours of soft edges true.
    m_frames.append(frame.convertToFormat(QImage::Format_ARGB32));
}

QVector<uchar> NxGifWriter::indexFrame(const QImage& frame, NxColorQuantizer& quantizer) const
{
    QVector<uchar> indices;
    indices.reserve(frame.width() * frame.height());
    for (int y = 0; y < frame.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
        for (int x = 0; x < frame.width(); ++x) {
            const QRgb p = line[x];
            indices.append(qAlpha(p) < 128 ? uchar(kTransparent) : uchar(quantizer.indexOf(overMatte(p, m_matte))));
        }
    }
    return indices;
}

QByteArray NxGifWriter::encode() const
{
    if (m_frames.isEmpty())
        return QByteArray();
    const QSize size = m_frames.first().size();

    QVector<QRgb> opaque;
    for (const QImage& frame : m_frames)
        for (int y = 0; y < frame.height(); ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
            for (int x = 0; x < frame.width(); ++x)
                if (qAlpha(line[x]) >= 128)
                    opaque.append(overMatte(line[x], m_matte));
        }
    NxColorQuantizer quantizer(opaque, kTransparent);

    QByteArray out("GIF89a");
    appendShort(out, size.width());
    appendShort(out, size.height());
    out.append(char(0xf7)); // global table of 256 entries
    out.append(char(kTransparent));
    out.append(char(0));
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < quantizer.palette().size() ? quantizer.palette().at(i) : m_matte.rgb();
        out.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
    }
    // Loop for ever.
    out.append("\x21\xff\x0bNETSCAPE2.0\x03\x01", 16);
    appendShort(out, 0);
    out.append(char(0));

    for (const QImage& frame : m_frames) {
        // Graphic control: restore to background, transparent index set.
        out.append("\x21\xf9\x04\x09", 4);
        appendShort(out, qMax(1, m_delayMs / 10));
        out.append(char(kTransparent));
        out.append(char(0));
        out.append(char(0x2c));
        appendShort(out, 0);
        appendShort(out, 0);
        appendShort(out, size.width());
        appendShort(out, size.height());
        out.append(char(0));
        appendLzw(out, indexFrame(frame.scaled(size), quantizer));
    }
    out.append(char(0x3b));
    return out;
}

bool NxGifWriter::write(const QString& path) const
{
    QFile file(path);
    const QByteArray data = encode();
    return !data.isEmpty() && file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size();
}

void NxGifWriter::appendLzw(QByteArray& out, const QVector<uchar>& indices)
{
    const int minCodeSize = 8;
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    int codeSize = minCodeSize + 1;
    int lastCode = endCode;
    QHash<quint32, int> table; // (prefix code << 8 | next index) -> code

    BitPacker bits;
    bits.put(clearCode, codeSize);
    int current = -1;
    for (uchar index : indices) {
        if (current < 0) {
            current = index;
            continue;
        }
        const quint32 key = (quint32(current) << 8) | index;
        const auto found = table.constFind(key);
        if (found != table.cend()) {
            current = found.value();
            continue;
        }
        bits.put(current, codeSize);
        table.insert(key, ++lastCode);
        if (lastCode >= (1 << codeSize))
            ++codeSize;
        if (lastCode == 4095) {
            bits.put(clearCode, codeSize);
            table.clear();
            codeSize = minCodeSize + 1;
            lastCode = endCode;
        }
        current = index;
    }
    if (current >= 0)
        bits.put(current, codeSize);
    // A clear before the end code keeps every decoder's code width in step.
    bits.put(clearCode, codeSize);
    bits.put(endCode, minCodeSize + 1);

    const QByteArray data = bits.finish();
    out.append(char(minCodeSize));
    for (int i = 0; i < data.size(); i += 255) {
        const int n = qMin(255, data.size() - i);
        out.append(char(n));
        out.append(data.mid(i, n));
    }
    out.append(char(0));
}

void NxGifWriter::appendShort(QByteArray& out, int value)
{
    out.append(char(value & 0xff));
    out.append(char((value >> 8) & 0xff));
}

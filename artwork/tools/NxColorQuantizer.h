#pragma once

#include <QHash>
#include <QRgb>
#include <QVector>

// Reduces the colours of animation frames to a palette that GIF can hold
// (median cut over the colours actually used, weighted by how often they occur).
class NxColorQuantizer
{
public:
    NxColorQuantizer(const QVector<QRgb>& colours, int maxColours);

    const QVector<QRgb>& palette() const { return m_palette; }
    int indexOf(QRgb colour);

private:
    struct Box {
        QVector<QRgb> colours;
        QVector<int> counts;
    };

    static int widestChannel(const Box& box, int* range);
    static QPair<Box, Box> split(const Box& box);
    static QRgb average(const Box& box);

    QVector<QRgb> m_palette;
    QHash<QRgb, int> m_lookup;
};

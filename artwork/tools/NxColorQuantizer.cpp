#include "NxColorQuantizer.h"

#include <algorithm>
#include <climits>
#include <numeric>

namespace {
int channel(QRgb c, int which)
{
    return which == 0 ? qRed(c) : which == 1 ? qGreen(c) : qBlue(c);
}

qint64 weight(const QVector<int>& counts)
{
    return std::accumulate(counts.cbegin(), counts.cend(), qint64(0));
}
}

NxColorQuantizer::NxColorQuantizer(const QVector<QRgb>& colours, int maxColours)
{
    QHash<QRgb, int> histogram;
    for (QRgb c : colours)
        ++histogram[c | 0xff000000u];

    Box all;
    for (auto it = histogram.cbegin(); it != histogram.cend(); ++it) {
        all.colours.append(it.key());
        all.counts.append(it.value());
    }
    if (all.colours.size() <= maxColours) {
        m_palette = all.colours;
        std::sort(m_palette.begin(), m_palette.end());
        return;
    }

    QVector<Box> boxes{all};
    while (boxes.size() < maxColours) {
        // Split the box whose widest channel spread, weighted by use, is largest.
        int best = -1;
        qint64 bestScore = 0;
        for (int i = 0; i < boxes.size(); ++i) {
            int range = 0;
            widestChannel(boxes.at(i), &range);
            const qint64 score = qint64(range) * weight(boxes.at(i).counts);
            if (boxes.at(i).colours.size() > 1 && score > bestScore) {
                best = i;
                bestScore = score;
            }
        }
        if (best < 0)
            break;
        const QPair<Box, Box> halves = split(boxes.at(best));
        boxes[best] = halves.first;
        boxes.append(halves.second);
    }
    for (const Box& box : boxes)
        m_palette.append(average(box));
}

int NxColorQuantizer::indexOf(QRgb colour)
{
    colour |= 0xff000000u;
    const auto found = m_lookup.constFind(colour);
    if (found != m_lookup.cend())
        return found.value();
    int best = 0;
    int bestDistance = INT_MAX;
    for (int i = 0; i < m_palette.size(); ++i) {
        const int dr = qRed(colour) - qRed(m_palette.at(i));
        const int dg = qGreen(colour) - qGreen(m_palette.at(i));
        const int db = qBlue(colour) - qBlue(m_palette.at(i));
        const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    m_lookup.insert(colour, best);
    return best;
}

int NxColorQuantizer::widestChannel(const Box& box, int* range)
{
    int widest = 0;
    *range = -1;
    for (int which = 0; which < 3; ++which) {
        int lo = 255, hi = 0;
        for (QRgb c : box.colours) {
            lo = qMin(lo, channel(c, which));
            hi = qMax(hi, channel(c, which));
        }
        if (hi - lo > *range) {
            *range = hi - lo;
            widest = which;
        }
    }
    return widest;
}

QPair<NxColorQuantizer::Box, NxColorQuantizer::Box> NxColorQuantizer::split(const Box& box)
{
    int range = 0;
    const int which = widestChannel(box, &range);
    QVector<int> order(box.colours.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        return channel(box.colours.at(a), which) < channel(box.colours.at(b), which);
    });
    // Cut at the weighted median so busy colours get boxes of their own.
    const qint64 half = weight(box.counts) / 2;
    qint64 running = 0;
    int cut = 1;
    for (int i = 0; i < order.size() - 1; ++i) {
        running += box.counts.at(order.at(i));
        cut = i + 1;
        if (running >= half)
            break;
    }
    Box low, high;
    for (int i = 0; i < order.size(); ++i) {
        Box& target = i < cut ? low : high;
        target.colours.append(box.colours.at(order.at(i)));
        target.counts.append(box.counts.at(order.at(i)));
    }
    return qMakePair(low, high);
}

QRgb NxColorQuantizer::average(const Box& box)
{
    qint64 r = 0, g = 0, b = 0;
    const qint64 total = qMax<qint64>(1, weight(box.counts));
    for (int i = 0; i < box.colours.size(); ++i) {
        r += qint64(qRed(box.colours.at(i))) * box.counts.at(i);
        g += qint64(qGreen(box.colours.at(i))) * box.counts.at(i);
        b += qint64(qBlue(box.colours.at(i))) * box.counts.at(i);
    }
    return qRgb(int(r / total), int(g / total), int(b / total));
}

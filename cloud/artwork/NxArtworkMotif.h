#pragma once

#include <QColor>
#include <QRectF>
#include <QString>
#include <QStringList>

class QPainter;

// Simple white pictograms, one per subject, drawn with vector paths.
class NxArtworkMotif
{
public:
    static QStringList names();
    // Draws motif into the square box; detail colours inner strokes.
    // An unknown name draws the "play" motif.
    static void draw(QPainter& painter, const QString& motif, const QRectF& box, const QColor& detail);

private:
    using DrawFn = void (*)(QPainter&, const QColor&);
    struct Entry
    {
        const char* name;
        DrawFn draw;
    };
    static const Entry* find(const QString& motif);

    static void book(QPainter& p, const QColor& detail);
    static void flask(QPainter& p, const QColor& detail);
    static void note(QPainter& p, const QColor& detail);
    static void globe(QPainter& p, const QColor& detail);
    static void play(QPainter& p, const QColor& detail);
    static void math(QPainter& p, const QColor& detail);
    static void palette(QPainter& p, const QColor& detail);
    static void code(QPainter& p, const QColor& detail);
    static void column(QPainter& p, const QColor& detail);
    static void ball(QPainter& p, const QColor& detail);
    static void atom(QPainter& p, const QColor& detail);
    static void leaf(QPainter& p, const QColor& detail);
    static void star(QPainter& p, const QColor& detail);
    static void pencil(QPainter& p, const QColor& detail);
    static void brush(QPainter& p, const QColor& detail);
    static void heart(QPainter& p, const QColor& detail);
    static void bulb(QPainter& p, const QColor& detail);
    static void abacus(QPainter& p, const QColor& detail);
    static void tv(QPainter& p, const QColor& detail);
    static void speech(QPainter& p, const QColor& detail);
    static void doc(QPainter& p, const QColor& detail);
    static void photo(QPainter& p, const QColor& detail);

    static const Entry kEntries[];
};

#include "NxArtworkMotif.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

// Motifs are drawn in a 100 x 100 design square.
namespace {
const qreal kDesign = 100.0;

QPen whitePen(qreal width)
{
    return QPen(Qt::white, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void strokeWhite(QPainter& p, qreal width)
{
    p.setPen(whitePen(width));
    p.setBrush(Qt::NoBrush);
}

void fillWhite(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
}

void strokeDetail(QPainter& p, const QColor& detail, qreal width)
{
    p.setPen(QPen(detail, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
}

void glyph(QPainter& p, const QRectF& box, const QString& text, const QColor& color, int pixelSize)
{
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    p.setFont(font);
    p.setPen(color);
    p.drawText(box, Qt::AlignCenter, text);
}
}

const NxArtworkMotif::Entry NxArtworkMotif::kEntries[] = {
    {"book", &NxArtworkMotif::book},       {"flask", &NxArtworkMotif::flask},
    {"note", &NxArtworkMotif::note},       {"globe", &NxArtworkMotif::globe},
    {"play", &NxArtworkMotif::play},       {"math", &NxArtworkMotif::math},
    {"palette", &NxArtworkMotif::palette}, {"code", &NxArtworkMotif::code},
    {"column", &NxArtworkMotif::column},   {"ball", &NxArtworkMotif::ball},
    {"atom", &NxArtworkMotif::atom},       {"leaf", &NxArtworkMotif::leaf},
    {"star", &NxArtworkMotif::star},       {"pencil", &NxArtworkMotif::pencil},
    {"brush", &NxArtworkMotif::brush},     {"heart", &NxArtworkMotif::heart},
    {"bulb", &NxArtworkMotif::bulb},       {"abacus", &NxArtworkMotif::abacus},
    {"tv", &NxArtworkMotif::tv},           {"speech", &NxArtworkMotif::speech},
    {"doc", &NxArtworkMotif::doc},         {"photo", &NxArtworkMotif::photo},
    {nullptr, nullptr}};

QStringList NxArtworkMotif::names()
{
    QStringList list;
    for (const Entry* e = kEntries; e->name; ++e)
        list.append(QString::fromLatin1(e->name));
    return list;
}

void NxArtworkMotif::draw(QPainter& painter, const QString& motif, const QRectF& box, const QColor& detail)
{
    const Entry* entry = find(motif);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(box.topLeft());
    painter.scale(box.width() / kDesign, box.height() / kDesign);
    (entry ? entry->draw : &NxArtworkMotif::play)(painter, detail);
    painter.restore();
}

const NxArtworkMotif::Entry* NxArtworkMotif::find(const QString& motif)
{
    for (const Entry* e = kEntries; e->name; ++e) {
        if (motif == QLatin1String(e->name))
            return e;
    }
    return nullptr;
}

void NxArtworkMotif::book(QPainter& p, const QColor& detail)
{
    QPainterPath left;
    left.moveTo(48, 28);
    left.cubicTo(38, 20, 22, 19, 8, 24);
    left.lineTo(8, 78);
    left.cubicTo(22, 73, 38, 74, 48, 82);
    left.closeSubpath();
    fillWhite(p);
    p.drawPath(left);
    p.drawPath(QTransform(-1, 0, 0, 1, kDesign, 0).map(left));
    strokeDetail(p, detail, 3);
    for (int i = 0; i < 3; ++i) {
        const qreal y = 38 + i * 11;
        p.drawLine(QLineF(16, y - 2, 40, y + 1));
        p.drawLine(QLineF(60, y + 1, 84, y - 2));
    }
}

void NxArtworkMotif::flask(QPainter& p, const QColor& detail)
{
    QPainterPath glass;
    glass.moveTo(40, 14);
    glass.lineTo(40, 40);
    glass.lineTo(18, 78);
    glass.quadTo(15, 86, 24, 86);
    glass.lineTo(76, 86);
    glass.quadTo(85, 86, 82, 78);
    glass.lineTo(60, 40);
    glass.lineTo(60, 14);
    QPainterPath liquid;
    liquid.addRect(0, 58, kDesign, kDesign);
    fillWhite(p);
    p.drawPath(glass.intersected(liquid));
    strokeWhite(p, 6);
    p.drawPath(glass);
    p.drawLine(QLineF(34, 14, 66, 14));
    p.setPen(Qt::NoPen);
    p.setBrush(detail);
    p.drawEllipse(QPointF(44, 72), 4, 4);
    p.drawEllipse(QPointF(58, 66), 2.5, 2.5);
    fillWhite(p);
    p.drawEllipse(QPointF(54, 48), 3, 3);
    p.drawEllipse(QPointF(47, 30), 2.2, 2.2);
}

void NxArtworkMotif::note(QPainter& p, const QColor&)
{
    fillWhite(p);
    p.save();
    p.translate(28, 74);
    p.rotate(-20);
    p.drawEllipse(QPointF(0, 0), 12, 9);
    p.restore();
    p.save();
    p.translate(70, 66);
    p.rotate(-20);
    p.drawEllipse(QPointF(0, 0), 12, 9);
    p.restore();
    strokeWhite(p, 6);
    p.drawLine(QLineF(38, 71, 38, 22));
    p.drawLine(QLineF(80, 63, 80, 14));
    fillWhite(p);
    p.drawPolygon(QPolygonF({QPointF(35, 19), QPointF(83, 10), QPointF(83, 24), QPointF(35, 33)}));
}

void NxArtworkMotif::globe(QPainter& p, const QColor&)
{
    const QRectF earth(14, 14, 72, 72);
    strokeWhite(p, 5);
    p.drawEllipse(earth);
    p.drawEllipse(QRectF(34, 14, 32, 72));
    p.drawLine(QLineF(50, 14, 50, 86));
    p.drawLine(QLineF(14, 50, 86, 50));
    QPainterPath clip;
    clip.addEllipse(earth);
    p.save();
    p.setClipPath(clip);
    p.drawLine(QLineF(10, 31, 90, 31));
    p.drawLine(QLineF(10, 69, 90, 69));
    p.restore();
}

void NxArtworkMotif::play(QPainter& p, const QColor&)
{
    p.setPen(whitePen(10));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(36, 24), QPointF(36, 76), QPointF(78, 50)}));
}

void NxArtworkMotif::math(QPainter& p, const QColor&)
{
    strokeWhite(p, 7);
    p.drawLine(QLineF(16, 30, 40, 30));   // plus
    p.drawLine(QLineF(28, 18, 28, 42));
    p.drawLine(QLineF(60, 30, 84, 30));   // minus
    p.drawLine(QLineF(19, 61, 37, 79));   // times
    p.drawLine(QLineF(37, 61, 19, 79));
    p.drawLine(QLineF(60, 70, 84, 70));   // divide
    fillWhite(p);
    p.drawEllipse(QPointF(72, 60), 4, 4);
    p.drawEllipse(QPointF(72, 80), 4, 4);
}

void NxArtworkMotif::palette(QPainter& p, const QColor&)
{
    QPainterPath board;
    board.moveTo(50, 12);
    board.cubicTo(80, 12, 92, 34, 88, 52);
    board.cubicTo(85, 66, 70, 62, 66, 72);
    board.cubicTo(62, 84, 56, 90, 44, 88);
    board.cubicTo(20, 84, 10, 66, 10, 50);
    board.cubicTo(10, 28, 26, 12, 50, 12);
    QPainterPath hole;
    hole.addEllipse(QPointF(58, 70), 6, 6);
    fillWhite(p);
    p.drawPath(board.subtracted(hole));
    const QColor paints[] = {QColor(255, 107, 129), QColor(255, 201, 71), QColor(72, 219, 160), QColor(84, 180, 255)};
    const QPointF spots[] = {QPointF(30, 34), QPointF(50, 26), QPointF(70, 34), QPointF(26, 58)};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(paints[i]);
        p.drawEllipse(spots[i], 7, 7);
    }
}

void NxArtworkMotif::code(QPainter& p, const QColor&)
{
    strokeWhite(p, 8);
    p.drawPolyline(QPolygonF({QPointF(32, 28), QPointF(12, 50), QPointF(32, 72)}));
    p.drawPolyline(QPolygonF({QPointF(68, 28), QPointF(88, 50), QPointF(68, 72)}));
    p.drawLine(QLineF(57, 20, 43, 80));
}

void NxArtworkMotif::column(QPainter& p, const QColor&)
{
    fillWhite(p);
    p.drawPolygon(QPolygonF({QPointF(50, 10), QPointF(88, 30), QPointF(12, 30)}));
    p.drawRect(QRectF(14, 33, 72, 6));
    for (int i = 0; i < 4; ++i)
        p.drawRoundedRect(QRectF(20 + i * 17, 43, 9, 33), 2, 2);
    p.drawRect(QRectF(14, 79, 72, 6));
    p.drawRect(QRectF(8, 87, 84, 5));
}

void NxArtworkMotif::ball(QPainter& p, const QColor&)
{
    strokeWhite(p, 5);
    p.drawEllipse(QRectF(14, 14, 72, 72));
    p.drawLine(QLineF(50, 14, 50, 86));
    p.drawLine(QLineF(14, 50, 86, 50));
    p.drawArc(QRectF(-14, 20, 52, 60), -60 * 16, 120 * 16);
    p.drawArc(QRectF(62, 20, 52, 60), 120 * 16, 120 * 16);
}

void NxArtworkMotif::atom(QPainter& p, const QColor&)
{
    strokeWhite(p, 4.5);
    for (int angle : {0, 60, 120}) {
        p.save();
        p.translate(50, 50);
        p.rotate(angle);
        p.drawEllipse(QPointF(0, 0), 40, 15);
        p.restore();
    }
    fillWhite(p);
    p.drawEllipse(QPointF(50, 50), 8, 8);
}

void NxArtworkMotif::leaf(QPainter& p, const QColor& detail)
{
    QPainterPath shape;
    shape.moveTo(18, 84);
    shape.cubicTo(10, 46, 38, 16, 86, 14);
    shape.cubicTo(88, 58, 62, 88, 18, 84);
    fillWhite(p);
    p.drawPath(shape);
    strokeDetail(p, detail, 4);
    p.drawLine(QLineF(22, 80, 72, 30));
    p.drawLine(QLineF(42, 60, 40, 42));
    p.drawLine(QLineF(42, 60, 60, 62));
    p.drawLine(QLineF(56, 46, 56, 32));
    p.drawLine(QLineF(56, 46, 70, 47));
    strokeWhite(p, 5);
    p.drawLine(QLineF(18, 84, 10, 92));
}

void NxArtworkMotif::star(QPainter& p, const QColor&)
{
    QPolygonF points;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = (i % 2 == 0) ? 40 : 17;
        const qreal angle = qDegreesToRadians(-90.0 + i * 36.0);
        points.append(QPointF(50 + radius * qCos(angle), 54 + radius * qSin(angle)));
    }
    p.setPen(whitePen(6));
    p.setBrush(Qt::white);
    p.drawPolygon(points);
}

void NxArtworkMotif::pencil(QPainter& p, const QColor& detail)
{
    p.translate(50, 50);
    p.rotate(-45);
    fillWhite(p);
    p.drawRoundedRect(QRectF(-44, -10, 14, 20), 4, 4);               // eraser
    p.drawRect(QRectF(-27, -10, 50, 20));                              // body
    p.drawPolygon(QPolygonF({QPointF(26, -10), QPointF(44, 0), QPointF(26, 10)}));
    strokeDetail(p, detail, 3);
    p.drawLine(QLineF(-27, 0, 23, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(detail);
    p.drawPolygon(QPolygonF({QPointF(37, -4), QPointF(44, 0), QPointF(37, 4)}));
}

void NxArtworkMotif::brush(QPainter& p, const QColor&)
{
    QPainterPath stroke;  // an ink swoosh under the brush
    stroke.moveTo(10, 84);
    stroke.cubicTo(30, 72, 46, 92, 66, 80);
    strokeWhite(p, 6);
    p.drawPath(stroke);
    p.translate(56, 44);
    p.rotate(40);
    fillWhite(p);
    p.drawRoundedRect(QRectF(-5, -42, 10, 44), 4, 4);                 // handle
    p.drawRect(QRectF(-7, 4, 14, 7));                                  // ferrule
    QPainterPath tip;
    tip.moveTo(-7, 13);
    tip.cubicTo(-9, 26, -2, 34, 0, 40);
    tip.cubicTo(2, 34, 9, 26, 7, 13);
    tip.closeSubpath();
    p.drawPath(tip);
}

void NxArtworkMotif::heart(QPainter& p, const QColor&)
{
    QPainterPath shape;
    shape.moveTo(50, 86);
    shape.cubicTo(20, 64, 8, 46, 12, 32);
    shape.cubicTo(16, 14, 40, 10, 50, 28);
    shape.cubicTo(60, 10, 84, 14, 88, 32);
    shape.cubicTo(92, 46, 80, 64, 50, 86);
    fillWhite(p);
    p.drawPath(shape);
}

void NxArtworkMotif::bulb(QPainter& p, const QColor& detail)
{
    QPainterPath glass;
    glass.moveTo(38, 66);
    glass.cubicTo(38, 56, 24, 50, 24, 36);
    glass.cubicTo(24, 20, 36, 10, 50, 10);
    glass.cubicTo(64, 10, 76, 20, 76, 36);
    glass.cubicTo(76, 50, 62, 56, 62, 66);
    glass.closeSubpath();
    fillWhite(p);
    p.drawPath(glass);
    p.drawRoundedRect(QRectF(38, 70, 24, 6), 2, 2);
    p.drawRoundedRect(QRectF(40, 79, 20, 6), 2, 2);
    p.drawRoundedRect(QRectF(44, 88, 12, 4), 2, 2);
    strokeDetail(p, detail, 3.5);
    p.drawPolyline(QPolygonF({QPointF(43, 64), QPointF(43, 44), QPointF(50, 50), QPointF(57, 44), QPointF(57, 64)}));
}

void NxArtworkMotif::abacus(QPainter& p, const QColor&)
{
    strokeWhite(p, 6);
    p.drawRoundedRect(QRectF(12, 16, 76, 68), 6, 6);
    p.setPen(whitePen(3));
    const int beads[3][2] = {{2, 3}, {4, 1}, {1, 2}};
    for (int row = 0; row < 3; ++row) {
        const qreal y = 32 + row * 18;
        p.setPen(whitePen(3));
        p.drawLine(QLineF(14, y, 86, y));
        fillWhite(p);
        for (int b = 0; b < beads[row][0]; ++b)
            p.drawEllipse(QPointF(24 + b * 11, y), 5, 5);
        for (int b = 0; b < beads[row][1]; ++b)
            p.drawEllipse(QPointF(76 - b * 11, y), 5, 5);
    }
}

void NxArtworkMotif::tv(QPainter& p, const QColor&)
{
    strokeWhite(p, 6);
    p.drawLine(QLineF(36, 12, 50, 26));
    p.drawLine(QLineF(64, 12, 50, 26));
    p.drawRoundedRect(QRectF(12, 28, 76, 52), 8, 8);
    p.drawLine(QLineF(32, 90, 68, 90));
    fillWhite(p);
    p.drawPolygon(QPolygonF({QPointF(43, 42), QPointF(43, 66), QPointF(63, 54)}));
}

void NxArtworkMotif::speech(QPainter& p, const QColor& detail)
{
    QPainterPath back;
    back.addRoundedRect(QRectF(40, 14, 50, 38), 10, 10);
    back.moveTo(74, 50);
    back.lineTo(82, 62);
    back.lineTo(62, 50);
    strokeWhite(p, 5);
    p.drawPath(back.simplified());
    QPainterPath front;
    front.addRoundedRect(QRectF(10, 36, 54, 40), 10, 10);
    front.moveTo(22, 74);
    front.lineTo(16, 88);
    front.lineTo(36, 74);
    fillWhite(p);
    p.drawPath(front.simplified());
    glyph(p, QRectF(10, 36, 54, 40), QStringLiteral("文"), detail, 26);
    glyph(p, QRectF(40, 12, 50, 38), QStringLiteral("A"), Qt::white, 24);
}

void NxArtworkMotif::doc(QPainter& p, const QColor& detail)
{
    QPainterPath sheet;
    sheet.moveTo(20, 10);
    sheet.lineTo(62, 10);
    sheet.lineTo(80, 28);
    sheet.lineTo(80, 90);
    sheet.lineTo(20, 90);
    sheet.closeSubpath();
    fillWhite(p);
    p.drawPath(sheet);
    p.setBrush(detail);
    p.drawPolygon(QPolygonF({QPointF(62, 10), QPointF(62, 28), QPointF(80, 28)}));
    strokeDetail(p, detail, 4);
    for (int i = 0; i < 4; ++i)
        p.drawLine(QLineF(30, 42 + i * 12, i == 3 ? 54 : 70, 42 + i * 12));
}

void NxArtworkMotif::photo(QPainter& p, const QColor& detail)
{
    fillWhite(p);
    p.drawRoundedRect(QRectF(10, 18, 80, 64), 8, 8);
    p.setBrush(detail);
    p.drawPolygon(QPolygonF({QPointF(18, 74), QPointF(40, 44), QPointF(56, 62), QPointF(64, 52), QPointF(82, 74)}));
    p.drawEllipse(QPointF(68, 34), 7, 7);
}

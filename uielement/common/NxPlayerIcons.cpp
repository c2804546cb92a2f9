#include "NxPlayerIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

QIcon NxPlayerIcons::icon(Kind kind, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, qMax(1.5, size / 12.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::white);
    draw(painter, kind, size);
    return QIcon(pixmap);
}

void NxPlayerIcons::draw(QPainter& painter, Kind kind, double s)
{
    QPainterPath path;
    switch (kind) {
    case Back:
        painter.setBrush(Qt::NoBrush);
        path.moveTo(s * 0.55, s * 0.2);
        path.lineTo(s * 0.25, s * 0.5);
        path.lineTo(s * 0.55, s * 0.8);
        path.moveTo(s * 0.25, s * 0.5);
        path.lineTo(s * 0.8, s * 0.5);
        break;
    case Play:
        path.moveTo(s * 0.3, s * 0.18);
        path.lineTo(s * 0.82, s * 0.5);
        path.lineTo(s * 0.3, s * 0.82);
        path.closeSubpath();
        break;
    case Pause:
        path.addRect(s * 0.25, s * 0.2, s * 0.16, s * 0.6);
        path.addRect(s * 0.59, s * 0.2, s * 0.16, s * 0.6);
        break;
    case Rewind:
    case Forward:
        drawSkip(painter, kind == Forward, s);
        return;
    case Volume:
    case Mute:
        drawSpeaker(painter, kind == Mute, s);
        return;
    case Replay:
        painter.setBrush(Qt::NoBrush);
        path.arcMoveTo(s * 0.2, s * 0.2, s * 0.6, s * 0.6, 100);
        path.arcTo(s * 0.2, s * 0.2, s * 0.6, s * 0.6, 100, 290);
        painter.drawPath(path);
        painter.setBrush(Qt::white);
        path = QPainterPath();
        path.moveTo(s * 0.3, s * 0.1);
        path.lineTo(s * 0.5, s * 0.2);
        path.lineTo(s * 0.32, s * 0.33);
        path.closeSubpath();
        break;
    }
    painter.drawPath(path);
}

// A circular arrow with the number of seconds in it.
void NxPlayerIcons::drawSkip(QPainter& painter, bool forward, double s)
{
    painter.save();
    if (forward) {
        painter.translate(s, 0);
        painter.scale(-1, 1);
    }
    QPainterPath arc;
    arc.arcMoveTo(s * 0.12, s * 0.12, s * 0.76, s * 0.76, 120);
    arc.arcTo(s * 0.12, s * 0.12, s * 0.76, s * 0.76, 120, 270);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(arc);
    QPainterPath head;
    head.moveTo(s * 0.14, s * 0.12);
    head.lineTo(s * 0.38, s * 0.14);
    head.lineTo(s * 0.22, s * 0.34);
    head.closeSubpath();
    painter.setBrush(Qt::white);
    painter.drawPath(head);
    painter.restore();
    QFont font = painter.font();
    font.setPixelSize(qMax(6, int(s * 0.3)));
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRectF(0, s * 0.05, s, s), Qt::AlignCenter, QStringLiteral("10"));
}

void NxPlayerIcons::drawSpeaker(QPainter& painter, bool muted, double s)
{
    QPainterPath body;
    body.moveTo(s * 0.12, s * 0.38);
    body.lineTo(s * 0.28, s * 0.38);
    body.lineTo(s * 0.5, s * 0.18);
    body.lineTo(s * 0.5, s * 0.82);
    body.lineTo(s * 0.28, s * 0.62);
    body.lineTo(s * 0.12, s * 0.62);
    body.closeSubpath();
    painter.drawPath(body);
    painter.setBrush(Qt::NoBrush);
    if (muted) {
        painter.drawLine(QPointF(s * 0.62, s * 0.36), QPointF(s * 0.88, s * 0.64));
        painter.drawLine(QPointF(s * 0.88, s * 0.36), QPointF(s * 0.62, s * 0.64));
        return;
    }
    painter.drawArc(QRectF(s * 0.42, s * 0.32, s * 0.28, s * 0.36), -50 * 16, 100 * 16);
    painter.drawArc(QRectF(s * 0.4, s * 0.18, s * 0.46, s * 0.64), -50 * 16, 100 * 16);
}

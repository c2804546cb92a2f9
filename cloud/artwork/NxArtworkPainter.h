#pragma once

#include "NxArtworkPlan.h"

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QSize>

class QPainter;

// Renders one channel picture in the product's look: deep blue-violet ground,
// a glowing accent badge with the subject's motif, the name on a dark panel.
// An avatar is a round accent badge with the first character of the name.
class NxArtworkPainter
{
public:
    static QSize sizeFor(const QString& type);
    static QImage render(const NxArtworkPlan::Picture& picture);

private:
    static void paintTile(QPainter& p, const QRectF& area, const NxArtworkPlan::Picture& picture);
    static void paintBanner(QPainter& p, const QRectF& area, const NxArtworkPlan::Picture& picture);
    static void paintAvatar(QPainter& p, const QRectF& area, const NxArtworkPlan::Picture& picture);
    static void paintBackground(QPainter& p, const QRectF& area, qreal channelHue);
    static void paintGlow(QPainter& p, const QPointF& centre, qreal radius, qreal hue, int alpha);
    static void paintDots(QPainter& p, const QRectF& area, qreal spacing, qreal radius);
    static void paintRings(QPainter& p, const QPointF& centre, qreal radius, qreal step, int count);
    static void paintBadge(QPainter& p, const QPointF& centre, qreal radius, const QString& motif, qreal hue);
    // The accent disc with a soft halo behind badges and the avatar.
    static void paintDisc(QPainter& p, const QPointF& centre, qreal radius, qreal hue);
    static void paintPanel(QPainter& p, const QRectF& box, qreal radius);
    static void paintText(QPainter& p, const QRectF& box, const QString& text, int pixelSize,
                          const QColor& color, Qt::Alignment align, bool wrap);
    static QColor hsv(qreal hue, qreal saturation, qreal value, int alpha = 255);
};

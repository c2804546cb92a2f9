#include "NxArtworkPainter.h"

#include "NxArtworkMotif.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QPainter>
#include <QRadialGradient>
#include <QTextOption>
#include <QtMath>

namespace {
const QString kFontFamily = QStringLiteral("WenQuanYi Micro Hei");
// The accent gradient rgba(73,83,219) -> rgba(95,87,252) sits at these hues;
// each channel shifts it by its own hue offset.
const qreal kAccentHue = 236.0;
const qreal kAccentHueEnd = 244.0;
// The ground follows a channel's hue only half-way, so every picture keeps
// the deep blue-violet base.
const qreal kGroundHue = 248.0;
const qreal kGroundFollow = 0.5;

qreal wrapHue(qreal hue)
{
    return hue - 360.0 * qFloor(hue / 360.0);
}
}

QSize NxArtworkPainter::sizeFor(const QString& type)
{
    if (type == QLatin1String("avatar"))
        return QSize(256, 256);
    if (type == QLatin1String("large"))
        return QSize(824, 824); // the banner and the channel pages show it square
    if (type == QLatin1String("middle"))
        return QSize(480, 320);
    return QSize(240, 160);
}

QImage NxArtworkPainter::render(const NxArtworkPlan::Picture& picture)
{
    QImage image(sizeFor(picture.type), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    const QRectF area(QPointF(0, 0), QSizeF(image.size()));
    const bool avatar = picture.type == QLatin1String("avatar");
    if (avatar)
        paintAvatar(p, area, picture);
    else if (picture.type == QLatin1String("large"))
        paintBanner(p, area, picture);
    else
        paintTile(p, area, picture);
    p.end();
    // The avatar keeps its transparent corners.
    return image.convertToFormat(avatar ? QImage::Format_ARGB32 : QImage::Format_RGB32);
}

void NxArtworkPainter::paintTile(QPainter& p, const QRectF& area, const NxArtworkPlan::Picture& picture)
{
    const qreal u = area.height() / 160.0;
    paintBackground(p, area, picture.hue);
    paintGlow(p, QPointF(area.width() * 0.82, area.height() * 0.12), area.height() * 0.75, picture.hue, 120);
    paintRings(p, QPointF(area.width() * 0.06, area.height() * 0.98), 40 * u, 16 * u, 4);
    paintDots(p, QRectF(12 * u, 12 * u, 44 * u, 28 * u), 9 * u, 1.2 * u);
    // No name: the tile writes the channel's name under its picture.
    paintBadge(p, QPointF(area.width() / 2, 64 * u), 36 * u, picture.motif, picture.hue);
}

void NxArtworkPainter::paintBanner(QPainter& p, const QRectF& area, const NxArtworkPlan::Picture& picture)
{
    // No text: the tile writes the channel's name in its band at the bottom.
    const qreal u = area.height() / 480.0;
    const QPointF badge(area.width() / 2, area.height() * 0.44);
    paintBackground(p, area, picture.hue);
    paintGlow(p, badge, 300 * u, picture.hue, 150);
    paintGlow(p, QPointF(0, area.height()), 330 * u, picture.hue + 30, 70);
    paintRings(p, badge, 110 * u, 30 * u, 5);
    paintDots(p, QRectF(36 * u, 36 * u, 120 * u, 36 * u), 14 * u, 2 * u);
    paintBadge(p, badge, 92 * u, picture.motif, picture.hue);
}

void NxArtworkPainter::paintAvatar(QPainter& p, const QRectF& area, const NxArtworkPlan::Picture& picture)
{
    const QPointF centre = area.center();
    const qreal radius = area.width() / 2;
    p.save();
    QPainterPath round;
    round.addEllipse(centre, radius, radius);
    p.setClipPath(round);
    paintBackground(p, area, picture.hue);
    paintGlow(p, QPointF(area.width() * 0.78, area.height() * 0.18), radius * 1.1, picture.hue, 150);
    paintDots(p, QRectF(radius * 0.22, radius * 1.45, radius * 0.5, radius * 0.3), radius * 0.1, radius * 0.014);
    p.restore();
    paintDisc(p, centre, radius * 0.62, picture.hue);
    paintText(p, QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius),
              picture.name.left(1), qRound(radius * 0.62), Qt::white, Qt::AlignCenter, false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 90), qMax<qreal>(2.0, radius / 40)));
    p.drawEllipse(centre, radius - radius / 40, radius - radius / 40);
}

void NxArtworkPainter::paintBackground(QPainter& p, const QRectF& area, qreal channelHue)
{
    const qreal hue = kGroundHue + (channelHue - kGroundHue) * kGroundFollow;
    QLinearGradient ground(area.topLeft(), area.bottomRight());
    ground.setColorAt(0, hsv(hue + 6, 0.70, 0.17));
    ground.setColorAt(0.55, hsv(hue + 10, 0.64, 0.25));
    ground.setColorAt(1, hsv(hue + 22, 0.58, 0.33));
    p.fillRect(area, ground);
}

void NxArtworkPainter::paintGlow(QPainter& p, const QPointF& centre, qreal radius, qreal hue, int alpha)
{
    QRadialGradient glow(centre, radius);
    glow.setColorAt(0, hsv(hue + 4, 0.66, 0.98, alpha));
    glow.setColorAt(0.45, hsv(hue + 4, 0.66, 0.90, alpha / 3));
    glow.setColorAt(1, hsv(hue, 0.66, 0.80, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(centre, radius, radius);
}

void NxArtworkPainter::paintDots(QPainter& p, const QRectF& area, qreal spacing, qreal radius)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 46));
    for (qreal y = area.top(); y <= area.bottom(); y += spacing) {
        for (qreal x = area.left(); x <= area.right(); x += spacing)
            p.drawEllipse(QPointF(x, y), radius, radius);
    }
}

void NxArtworkPainter::paintRings(QPainter& p, const QPointF& centre, qreal radius, qreal step, int count)
{
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < count; ++i) {
        p.setPen(QPen(QColor(255, 255, 255, 34 - i * 5), qMax<qreal>(1.0, step / 16)));
        const qreal r = radius + i * step;
        p.drawEllipse(centre, r, r);
    }
}

void NxArtworkPainter::paintBadge(QPainter& p, const QPointF& centre, qreal radius, const QString& motif, qreal hue)
{
    const qreal shift = hue - kAccentHue;
    paintDisc(p, centre, radius, hue);
    const qreal side = radius * 1.18;
    NxArtworkMotif::draw(p, motif, QRectF(centre.x() - side / 2, centre.y() - side / 2, side, side),
                         hsv(kAccentHue + shift, 0.70, 0.72));
}

void NxArtworkPainter::paintDisc(QPainter& p, const QPointF& centre, qreal radius, qreal hue)
{
    const qreal shift = hue - kAccentHue;
    p.setPen(Qt::NoPen);
    p.setBrush(hsv(kAccentHue + shift, 0.55, 1.0, 50));
    p.drawEllipse(centre, radius * 1.16, radius * 1.16);
    QLinearGradient fill(centre - QPointF(radius, radius), centre + QPointF(radius, radius));
    fill.setColorAt(0, hsv(kAccentHue + shift, 0.667, 0.86));
    fill.setColorAt(1, hsv(kAccentHueEnd + shift, 0.655, 0.99));
    p.setBrush(fill);
    p.setPen(QPen(QColor(255, 255, 255, 70), qMax<qreal>(1.0, radius / 40)));
    p.drawEllipse(centre, radius, radius);
}

void NxArtworkPainter::paintPanel(QPainter& p, const QRectF& box, qreal radius)
{
    p.setPen(QPen(QColor(255, 255, 255, 28), 1));
    p.setBrush(QColor(8, 8, 36, 150));
    p.drawRoundedRect(box, radius, radius);
}

void NxArtworkPainter::paintText(QPainter& p, const QRectF& box, const QString& text, int pixelSize,
                                 const QColor& color, Qt::Alignment align, bool wrap)
{
    QFont font(kFontFamily);
    font.setPixelSize(pixelSize);
    font.setStyleStrategy(QFont::PreferAntialias);
    p.setFont(font);
    p.setPen(color);
    const QFontMetricsF metrics(font);
    if (!wrap) {
        p.drawText(box, align, metrics.elidedText(text, Qt::ElideRight, box.width()));
        return;
    }
    // Wrapped text never spills out of its box.
    QTextOption option(align);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    p.save();
    p.setClipRect(box);
    p.drawText(box, text, option);
    p.restore();
}

QColor NxArtworkPainter::hsv(qreal hue, qreal saturation, qreal value, int alpha)
{
    return QColor::fromHsvF(wrapHue(hue) / 360.0, saturation, value, alpha / 255.0);
}

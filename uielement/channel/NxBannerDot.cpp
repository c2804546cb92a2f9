#include "NxBannerDot.h"

#include <QPainter>

NxBannerDot::NxBannerDot(int diameter, double inset, QWidget* parent)
    : QPushButton(parent)
    , m_inset(inset)
{
    setCheckable(true);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(diameter, diameter);
}

void NxBannerDot::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const double inset = isChecked() ? 0.0 : m_inset;
    painter.setBrush(isChecked() ? QColor(255, 255, 255) : QColor(255, 255, 255, 128));
    painter.drawEllipse(QRectF(rect()).adjusted(inset, inset, -inset, -inset));
}

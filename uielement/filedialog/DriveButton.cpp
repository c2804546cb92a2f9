#include "DriveButton.h"

#include "NxCloudUtils.h"
#include "NxScale.h"

#include <QPainter>

DriveButton::DriveButton(QWidget* parent, double scale, const QString& pass, const QString& caption, const QString& icon,
                         const QString& iconNormal, const QString& netId)
    : QPushButton(parent)
    , m_scale(scale)
    , m_pass(pass)
    , m_caption(caption)
    , m_netId(netId)
    , m_icon(icon)
    , m_iconNormal(iconNormal)
{
    setObjectName(pass);
    setFixedHeight(NxScale::px(48, scale));
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    setToolTip(caption);
    QFont captionFont(QStringLiteral("Microsoft YaHei"));
    captionFont.setPixelSize(NxScale::px(14, scale));
    setFont(captionFont);
    connect(this, &QPushButton::clicked, this, [this] { emit sgl_Pressed(this); });
}

void DriveButton::setCurrent(bool current)
{
    m_current = current;
    update();
}

void DriveButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int inset = NxScale::px(8, m_scale);
    const QRect band = rect().adjusted(inset, NxScale::px(2, m_scale), -inset, -NxScale::px(2, m_scale));
    if (m_current || isDown()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(m_current ? QColor(102, 110, 220, 38) : QColor(0, 0, 0, 15));
        painter.drawRoundedRect(band, NxScale::px(6, m_scale), NxScale::px(6, m_scale));
    }
    const int side = NxScale::px(24, m_scale);
    const QRect iconRect(band.left() + NxScale::px(12, m_scale), (height() - side) / 2, side, side);
    const QPixmap& icon = (m_current && isEnabled()) ? m_icon : m_iconNormal;
    painter.drawPixmap(iconRect, icon.scaled(iconRect.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    const int textLeft = iconRect.right() + NxScale::px(10, m_scale);
    const QRect textRect(textLeft, 0, band.right() - textLeft - NxScale::px(6, m_scale), height());
    painter.setFont(font());
    painter.setPen(!isEnabled() ? QColor(204, 204, 204) : (m_current ? QColor(0x66, 0x6E, 0xDC) : QColor(0x33, 0x33, 0x33)));
    painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft, NxCloudUtils::strFarmat(m_caption, textRect.width(), font()));
}

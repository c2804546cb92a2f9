#include "NxBannerDots.h"

#include "NxScale.h"

#include <QMouseEvent>
#include <QPainter>

NxBannerDots::NxBannerDots(double scale, QWidget* parent)
    : QWidget(parent)
    , m_diameter(NxScale::px(10, scale))
    , m_step(m_diameter + NxScale::px(8, scale))
    // Half the 1.3-pixel transparent ring the others keep around them.
    , m_inset(0.65 * scale)
{
    setObjectName(QStringLiteral("indicatorRow"));
    setCount(0);
}

void NxBannerDots::setCount(int count)
{
    m_count = count;
    m_pressed = -1;
    const bool shown = count >= 2;
    setAttribute(Qt::WA_TransparentForMouseEvents, !shown);
    setFixedSize(shown ? count * m_step : 0, shown ? m_diameter : 0);
    update();
}

int NxBannerDots::count() const
{
    return m_count;
}

void NxBannerDots::setCurrent(int index)
{
    if (index == m_current)
        return;
    m_current = index;
    update();
}

int NxBannerDots::current() const
{
    return m_current;
}

QRect NxBannerDots::dotRect(int index) const
{
    return QRect(index * m_step, 0, m_diameter, m_diameter);
}

int NxBannerDots::dotAt(const QPoint& pos) const
{
    for (int i = 0; i < m_count; ++i) {
        if (dotRect(i).contains(pos))
            return i;
    }
    return -1;
}

void NxBannerDots::paintEvent(QPaintEvent*)
{
    if (m_count < 2)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < m_count; ++i) {
        const bool current = i == m_current;
        const double inset = current ? 0.0 : m_inset;
        painter.setBrush(current ? QColor(255, 255, 255) : QColor(255, 255, 255, 128));
        painter.drawEllipse(QRectF(dotRect(i)).adjusted(inset, inset, -inset, -inset));
    }
}

// A press between the dots belongs to the banner, as with buttons in a row.
void NxBannerDots::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton ? dotAt(event->pos()) : -1;
    event->setAccepted(m_pressed >= 0);
}

void NxBannerDots::mouseReleaseEvent(QMouseEvent* event)
{
    const int pressed = m_pressed;
    m_pressed = -1;
    event->setAccepted(pressed >= 0);
    if (pressed >= 0 && dotAt(event->pos()) == pressed)
        emit dotClicked(pressed);
}

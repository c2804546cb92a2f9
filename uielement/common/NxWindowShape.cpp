#include "NxWindowShape.h"

#include "INxWindows.h"
#include "NxPlatform.h"

#include <QBitmap>
#include <QEvent>
#include <QPainter>
#include <QWidget>

NxWindowShape::NxWindowShape(QWidget* window)
    : QObject(window)
    , m_window(window)
{
    window->installEventFilter(this);
}

bool NxWindowShape::apply(QWidget* window, int margin, int radius)
{
    if (NxPlatform::windows()->hasCompositing()) {
        window->setAttribute(Qt::WA_TranslucentBackground);
        return true;
    }
    window->setAttribute(Qt::WA_TranslucentBackground, false);
    auto* shape = window->findChild<NxWindowShape*>(QString(), Qt::FindDirectChildrenOnly);
    if (!shape)
        shape = new NxWindowShape(window);
    shape->m_margin = margin;
    shape->m_radius = radius;
    shape->cut();
    return false;
}

void NxWindowShape::paintPanel(QWidget* window, QPainter& painter, const QColor& fill)
{
    painter.fillRect(window->rect(), fill);
    const auto* shape = window->findChild<NxWindowShape*>(QString(), Qt::FindDirectChildrenOnly);
    if (!shape)
        return;
    // The darkest line of the shadow, as it looks on white.
    painter.setPen(QColor(0xC3, 0xC3, 0xC3));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(shape->panel().adjusted(0, 0, -1, -1), shape->m_radius, shape->m_radius);
}

QRect NxWindowShape::panel() const
{
    return m_window->rect().adjusted(m_margin, m_margin, -m_margin, -m_margin);
}

bool NxWindowShape::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::Resize)
        cut();
    return QObject::eventFilter(watched, event);
}

// A window mask is drawn without antialiasing: whole pixels in or out.
void NxWindowShape::cut()
{
    if (m_window->size().isEmpty())
        return;
    QBitmap mask(m_window->size());
    mask.fill(Qt::color0);
    QPainter painter(&mask);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::color1);
    painter.drawRoundedRect(panel(), m_radius, m_radius);
    painter.end();
    m_window->setMask(mask);
}

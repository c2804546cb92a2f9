#include "NxPointerTrack.h"

#include <QMouseEvent>
#include <QWidget>

#include <cstdlib>

namespace {

const QPoint kCancelPos(-QWIDGETSIZE_MAX, -QWIDGETSIZE_MAX);

} // namespace

void NxPointerTrack::press(const QPoint& global)
{
    m_x = global.x();
    m_y = global.y();
}

int NxPointerTrack::dx(const QPoint& global) const
{
    return global.x() - m_x;
}

int NxPointerTrack::dy(const QPoint& global) const
{
    return global.y() - m_y;
}

bool NxPointerTrack::within(const QPoint& global, int limit) const
{
    return std::abs(dx(global)) < limit && std::abs(dy(global)) < limit;
}

QMouseEvent NxPointerTrack::cancelRelease(const QWidget* receiver)
{
    return QMouseEvent(QEvent::MouseButtonRelease, receiver->mapFromGlobal(kCancelPos),
                       receiver->window()->mapFromGlobal(kCancelPos), kCancelPos, Qt::LeftButton, Qt::NoButton,
                       Qt::NoModifier, Qt::MouseEventSynthesizedByApplication);
}

bool NxPointerTrack::isCancel(const QMouseEvent* event)
{
    return event->source() == Qt::MouseEventSynthesizedByApplication && event->globalPos() == kCancelPos;
}

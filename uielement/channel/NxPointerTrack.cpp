#include "NxPointerTrack.h"

#include <cstdlib>

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

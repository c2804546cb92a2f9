#pragma once

#include <QPoint>

class QMouseEvent;
class QWidget;

// Where a press started, in global coordinates, and how far the pointer has
// gone from it. Tiles, the "add" panel and the banner share these rules.
class NxPointerTrack
{
public:
    void press(const QPoint& global);
    int dx(const QPoint& global) const;
    int dy(const QPoint& global) const;
    // Both distances strictly below limit.
    bool within(const QPoint& global, int limit) const;

    // The release a scroll area hands to the widget holding a press that
    // turned into a drag: far away, so it never taps, and recognisable, so
    // it never swipes either.
    static QMouseEvent cancelRelease(const QWidget* receiver);
    static bool isCancel(const QMouseEvent* event);

private:
    int m_x = 0;
    int m_y = 0;
};

#pragma once

#include <QPoint>

class QTouchDevice;
class QWidget;

// Drives a widget through the window system, as a panel does: by mouse, or
// by one finger whose touches Qt turns into mouse events.
class NxPointerDriver
{
public:
    enum Kind { Mouse, Touch };

    explicit NxPointerDriver(Kind kind);

    // Positions are in the widget's coordinates.
    void press(QWidget* widget, const QPoint& pos);
    void move(QWidget* widget, const QPoint& pos);
    void release(QWidget* widget, const QPoint& pos);
    void tap(QWidget* widget, const QPoint& pos);
    void tap(QWidget* widget);
    // Press, then move in steps to the end, then release there.
    void drag(QWidget* widget, const QPoint& from, const QPoint& to);

private:
    Kind m_kind;
    QTouchDevice* m_device = nullptr;
};

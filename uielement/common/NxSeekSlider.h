#pragma once

#include <QSlider>

// A horizontal slider a finger can use: a tap anywhere on it jumps there
// (a plain slider only pages), and the handle can then be dragged on.
class NxSeekSlider : public QSlider
{
    Q_OBJECT

public:
    NxSeekSlider(QWidget* parent, double scale);

signals:
    // The user let go of the handle, after a tap or a drag.
    void released(int value);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

#pragma once

#include "TavoUIElementGlobal.h"

#include <QColor>
#include <QObject>
#include <QRect>

class QPainter;
class QWidget;

// The see-through shadow margins and round corners of our windows need a
// compositing manager; without one (Xvfb, plain window managers, Windows 7
// basic themes) they show black. There the window is made opaque and cut
// to its panel instead: the margin left out, the corners rounded hard-edged.
class TAVOUIELEMENT_EXPORT NxWindowShape : public QObject
{
    Q_OBJECT

public:
    // True: the window is translucent and paints its margin and corners
    // itself. False: it is opaque and shown only inside the panel, margin
    // pixels in from its edges with corners of that radius. A second call
    // changes the panel.
    static bool apply(QWidget* window, int margin, int radius);
    // Paints the opaque window: the panel filled, its edge drawn in place of
    // the shadow, so it stands out even against a window of its own colour.
    static void paintPanel(QWidget* window, QPainter& painter, const QColor& fill);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit NxWindowShape(QWidget* window);
    void cut();
    QRect panel() const;

    QWidget* m_window;
    int m_margin = 0;
    int m_radius = 0;
};

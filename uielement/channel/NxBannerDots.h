#pragma once

#include <QWidget>

// The banner's indicator: one dot per item shown, a full white dot for the
// current one, smaller half-white ones for the others; a tap on a dot asks
// for its item. One widget paints every dot and lives as long as the banner:
// on X11 each widget shown after the first frame costs a round trip to the
// display server (Qt asks where the cursor is), which a busy server answers
// only after tens of milliseconds, right when the catalogue arrives.
class NxBannerDots : public QWidget
{
    Q_OBJECT

public:
    NxBannerDots(double scale, QWidget* parent);

    // Fewer than two dots show nothing and take no taps.
    void setCount(int count);
    int count() const;
    void setCurrent(int index);
    int current() const;
    // Where dot index sits, in this widget.
    QRect dotRect(int index) const;

signals:
    void dotClicked(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int dotAt(const QPoint& pos) const;

    int m_diameter;
    int m_step;
    double m_inset;
    int m_count = 0;
    int m_current = 0;
    int m_pressed = -1;
};

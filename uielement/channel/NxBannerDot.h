#pragma once

#include <QPushButton>

// One of the banner's indicator dots: a full white dot for the item shown, a
// smaller half-white one for the others. Painted, not styled: a style sheet
// per dot cost the home page more than the rest of the banner together.
class NxBannerDot : public QPushButton
{
    Q_OBJECT

public:
    // diameter and inset in device-independent pixels; inset shrinks an
    // unchecked dot on every side.
    NxBannerDot(int diameter, double inset, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double m_inset;
};

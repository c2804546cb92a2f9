#include "NxSeekSlider.h"

#include "NxScale.h"

#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>

NxSeekSlider::NxSeekSlider(QWidget* parent, double scale)
    : QSlider(Qt::Horizontal, parent)
{
    setFocusPolicy(Qt::NoFocus);
    setFixedHeight(NxScale::px(48, scale));
    // A round handle: as wide as it is high, its radius half of both.
    const int groove = NxScale::px(8, scale);
    const int margin = (NxScale::px(32, scale) - groove) / 2;
    const int handle = groove + 2 * margin;
    setStyleSheet(QStringLiteral("QSlider::groove:horizontal{height:%1px;background:rgba(255,255,255,90);"
                                 "border-radius:%2px;}"
                                 "QSlider::sub-page:horizontal{background:#4169E1;border-radius:%2px;}"
                                 "QSlider::handle:horizontal{background:#FFFFFF;width:%3px;height:%3px;"
                                 "margin:-%4px 0;border-radius:%5px;}")
                      .arg(groove)
                      .arg(groove / 2)
                      .arg(handle)
                      .arg(margin)
                      .arg(handle / 2));
}

void NxSeekSlider::mousePressEvent(QMouseEvent* event)
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    if (event->button() == Qt::LeftButton && !handle.contains(event->pos())) {
        const int span = groove.width() - handle.width();
        const int at = event->pos().x() - groove.x() - handle.width() / 2;
        setValue(QStyle::sliderValueFromPosition(minimum(), maximum(), at, span));
    }
    // With the handle now under the finger, the press starts a drag.
    QSlider::mousePressEvent(event);
}

void NxSeekSlider::mouseReleaseEvent(QMouseEvent* event)
{
    const bool wasDown = isSliderDown();
    QSlider::mouseReleaseEvent(event);
    if (wasDown && event->button() == Qt::LeftButton)
        emit released(value());
}

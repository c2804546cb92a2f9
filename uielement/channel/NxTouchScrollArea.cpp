#include "NxTouchScrollArea.h"

#include "NxPointerTrack.h"
#include "NxScale.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDebug>
#include <QMouseEvent>
#include <QScrollerProperties>

namespace {

// A drag starts where a tile stops counting a tap: 20 design pixels.
const double kDragStartDesign = 20.0;

} // namespace

NxTouchScrollArea::NxTouchScrollArea(QWidget* parent)
    : QScrollArea(parent)
{
    setWidgetResizable(true);
    setContentsMargins(0, 0, 0, 0);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setStyleSheet(QStringLiteral("border:none; background-color:transparent;"));
    setupScroller();
}

void NxTouchScrollArea::setupScroller()
{
    // Touches reach the page as the mouse events Qt makes of them, so the
    // mouse gesture serves both; a touch gesture would take the touches and
    // leave the tiles without their presses.
    QScroller::grabGesture(viewport(), QScroller::LeftMouseButtonGesture);
    QScroller* scroller = QScroller::scroller(viewport());
    QScrollerProperties properties = scroller->scrollerProperties();
    // The press goes to the tile at once, so holding it is timed as anywhere.
    properties.setScrollMetric(QScrollerProperties::MousePressEventDelay, 0.0);
    const double pixelsPerMetre = scroller->pixelPerMeter().y();
    if (pixelsPerMetre > 0.0)
        properties.setScrollMetric(QScrollerProperties::DragStartDistance,
                                   NxScale::px(kDragStartDesign, NxScale::appFactor()) / pixelsPerMetre);
    else
        qDebug() << "NxTouchScrollArea::setupScroller" << "no screen resolution, default drag start kept";
    const QVariant off = QVariant::fromValue(QScrollerProperties::OvershootAlwaysOff);
    properties.setScrollMetric(QScrollerProperties::HorizontalOvershootPolicy, off);
    properties.setScrollMetric(QScrollerProperties::VerticalOvershootPolicy, off);
    scroller->setScrollerProperties(properties);
    connect(scroller, SIGNAL(stateChanged(QScroller::State)), this, SLOT(slotScrollerStateChanged(QScroller::State)));
}

void NxTouchScrollArea::slotScrollerStateChanged(QScroller::State state)
{
    switch (state) {
    case QScroller::Pressed:
        // The scroller sees the press before the widget under it does.
        m_pressed.clear();
        watchPress(true);
        break;
    case QScroller::Dragging:
        watchPress(false);
        cancelPress();
        break;
    case QScroller::Scrolling:
    case QScroller::Inactive:
        watchPress(false);
        m_pressed.clear();
        break;
    }
}

void NxTouchScrollArea::watchPress(bool on)
{
    if (on == m_watching)
        return;
    m_watching = on;
    if (on)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

bool NxTouchScrollArea::eventFilter(QObject* watched, QEvent* event)
{
    // A press travels up from the widget under it until one takes it; the
    // last one inside the page is the one holding it.
    if (m_watching && event->type() == QEvent::MouseButtonPress && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (viewport()->isAncestorOf(widget))
            m_pressed = widget;
    }
    return QScrollArea::eventFilter(watched, event);
}

// Handed straight to the widget: the scroller swallows every mouse event
// sent while it drags. It stops a long press and is neither a tap nor a swipe.
void NxTouchScrollArea::cancelPress()
{
    if (!m_pressed)
        return;
    if (auto* button = qobject_cast<QAbstractButton*>(m_pressed.data()))
        button->setDown(false);
    QMouseEvent release = NxPointerTrack::cancelRelease(m_pressed);
    static_cast<QObject*>(m_pressed.data())->event(&release);
    m_pressed.clear();
}

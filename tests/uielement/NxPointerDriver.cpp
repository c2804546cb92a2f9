#include "NxPointerDriver.h"

#include <QWidget>
#include <QWindow>
#include <QtTest>

namespace {

QWindow* windowOf(QWidget* widget)
{
    return widget->window()->windowHandle();
}

QPoint inWindow(QWidget* widget, const QPoint& pos)
{
    return widget->mapTo(widget->window(), pos);
}

} // namespace

NxPointerDriver::NxPointerDriver(Kind kind)
    : m_kind(kind)
{
    if (kind == Touch) {
        static QTouchDevice* const device = QTest::createTouchDevice();
        m_device = device;
    }
}

void NxPointerDriver::press(QWidget* widget, const QPoint& pos)
{
    if (m_kind == Mouse)
        QTest::mousePress(windowOf(widget), Qt::LeftButton, Qt::NoModifier, inWindow(widget, pos));
    else
        QTest::touchEvent(windowOf(widget), m_device).press(0, inWindow(widget, pos), windowOf(widget));
}

void NxPointerDriver::move(QWidget* widget, const QPoint& pos)
{
    if (m_kind == Mouse)
        QTest::mouseMove(windowOf(widget), inWindow(widget, pos));
    else
        QTest::touchEvent(windowOf(widget), m_device).move(0, inWindow(widget, pos), windowOf(widget));
}

void NxPointerDriver::release(QWidget* widget, const QPoint& pos)
{
    if (m_kind == Mouse)
        QTest::mouseRelease(windowOf(widget), Qt::LeftButton, Qt::NoModifier, inWindow(widget, pos));
    else
        QTest::touchEvent(windowOf(widget), m_device).release(0, inWindow(widget, pos), windowOf(widget));
}

void NxPointerDriver::tap(QWidget* widget, const QPoint& pos)
{
    press(widget, pos);
    release(widget, pos);
}

void NxPointerDriver::tap(QWidget* widget)
{
    tap(widget, widget->rect().center());
}

void NxPointerDriver::drag(QWidget* widget, const QPoint& from, const QPoint& to)
{
    press(widget, from);
    const int steps = 4;
    for (int i = 1; i <= steps; ++i)
        move(widget, from + (to - from) * i / steps);
    release(widget, to);
}

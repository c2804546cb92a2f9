#include "NxAfterFirstFrame.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

NxAfterFirstFrame::NxAfterFirstFrame(QWidget* watched, int waitMs, QObject* parent)
    : QObject(parent)
    , m_watched(watched)
    , m_waitMs(waitMs)
{
    m_watched->installEventFilter(this);
}

void NxAfterFirstFrame::add(const std::function<void()>& work)
{
    m_work.append(work);
    if (m_done) {
        QTimer::singleShot(0, this, &NxAfterFirstFrame::runAll);
    } else if (!m_waiting) {
        m_waiting = true;
        QTimer::singleShot(m_waitMs, this, &NxAfterFirstFrame::runAll);
    }
}

bool NxAfterFirstFrame::isDone() const
{
    return m_done;
}

bool NxAfterFirstFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_watched && event->type() == QEvent::Paint && !m_done) {
        m_done = true;
        m_watched->removeEventFilter(this);
        // Once this frame has reached the screen.
        QTimer::singleShot(0, this, &NxAfterFirstFrame::runAll);
    }
    return QObject::eventFilter(watched, event);
}

void NxAfterFirstFrame::runAll()
{
    m_done = true;
    const QVector<std::function<void()>> work = std::move(m_work);
    m_work.clear();
    for (const std::function<void()>& item : work)
        item();
}

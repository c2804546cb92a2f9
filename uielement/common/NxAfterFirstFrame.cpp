#include "NxAfterFirstFrame.h"

#include <QEvent>
#include <QWidget>

NxAfterFirstFrame::NxAfterFirstFrame(QWidget* watched, int delayMs, QObject* parent)
    : QObject(parent)
    , m_watched(watched)
    , m_delayMs(delayMs)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &NxAfterFirstFrame::runAll);
    m_watched->installEventFilter(this);
}

void NxAfterFirstFrame::add(const std::function<void()>& work)
{
    m_work.append(work);
    if (m_ran)
        m_timer.start(0);
    else if (!m_painted && !m_timer.isActive())
        m_timer.start(2 * m_delayMs);
}

bool NxAfterFirstFrame::isPainted() const
{
    return m_painted;
}

bool NxAfterFirstFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_watched && event->type() == QEvent::Paint && !m_painted) {
        m_painted = true;
        m_watched->removeEventFilter(this);
        if (!m_ran)
            m_timer.start(m_delayMs);
    }
    return QObject::eventFilter(watched, event);
}

void NxAfterFirstFrame::runAll()
{
    m_ran = true;
    const QVector<std::function<void()>> work = std::move(m_work);
    m_work.clear();
    for (const std::function<void()>& item : work)
        item();
}

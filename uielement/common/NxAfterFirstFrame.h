#pragma once

#include "TavoUIElementGlobal.h"

#include <QObject>
#include <QVector>

#include <functional>

class QWidget;

// Work a window need not do before its first frame: run once the watched
// widget has painted that frame, or after a wait when it is never painted
// (a window minimised at start), and at once when added later.
class TAVOUIELEMENT_EXPORT NxAfterFirstFrame : public QObject
{
    Q_OBJECT

public:
    NxAfterFirstFrame(QWidget* watched, int waitMs, QObject* parent);

    void add(const std::function<void()>& work);
    bool isDone() const;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void runAll();

    QWidget* m_watched;
    int m_waitMs;
    bool m_done = false;
    bool m_waiting = false;
    QVector<std::function<void()>> m_work;
};

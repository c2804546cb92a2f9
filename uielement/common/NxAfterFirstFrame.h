#pragma once

#include "TavoUIElementGlobal.h"

#include <QObject>
#include <QTimer>
#include <QVector>

#include <functional>

class QWidget;

// Work a window need not do before its first frame: run a while after the
// watched widget has painted that frame, so that neither the frame nor what
// comes right after it (the network check's answer, the catalogue) waits for
// it; after twice that while when the widget is never painted (a window
// minimised at start); at once when added later.
class TAVOUIELEMENT_EXPORT NxAfterFirstFrame : public QObject
{
    Q_OBJECT

public:
    NxAfterFirstFrame(QWidget* watched, int delayMs, QObject* parent);

    void add(const std::function<void()>& work);
    bool isPainted() const;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void runAll();

    QWidget* m_watched;
    int m_delayMs;
    bool m_painted = false;
    bool m_ran = false;
    QTimer m_timer;
    QVector<std::function<void()>> m_work;
};

#pragma once

#include "TavoUIElementGlobal.h"

#include <QPointer>
#include <QScrollArea>
#include <QScroller>

// A scroll area of a panel page: no scroll bars, dragged and flicked by a
// finger or the mouse. A press that turns into a drag is taken back from the
// widget under it, so a drag never taps or long-presses a tile.
class TAVOUIELEMENT_EXPORT NxTouchScrollArea : public QScrollArea
{
    Q_OBJECT

public:
    explicit NxTouchScrollArea(QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void slotScrollerStateChanged(QScroller::State state);

private:
    void setupScroller();
    void watchPress(bool on);
    void cancelPress();

    // The widget that took the press which may still become a drag.
    QPointer<QWidget> m_pressed;
    bool m_watching = false;
};

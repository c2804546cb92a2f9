#pragma once

#include "TavoUIElementGlobal.h"

#include <QTimer>
#include <QWidget>

class QHBoxLayout;
class QLabel;

// The one toast of the process: a short text in the middle of the screen,
// shown 200 ms after it is asked for, held for 1340 ms, then faded out over
// 330 ms. A new text restarts the cycle.
class TAVOUIELEMENT_EXPORT NxToolTipHelp : public QWidget
{
    Q_OBJECT

public:
    static NxToolTipHelp& Instance();

    void setMesseage(const QString& text);
    void setMesseage(const QString& text, const QPoint& pos);
    void stopToast();

private slots:
    void OnTimer();
    void OutTimer();
    void slotShowDelayed();

private:
    NxToolTipHelp();
    Q_DISABLE_COPY(NxToolTipHelp)

    int px(double design) const;
    // Fixes the label to the text's size plus the design padding.
    void fitLabel(const QString& text, int designPadHeight);
    void applyLabelStyle(const QString& alpha);
    void startCycle();

    QTimer m_inTimer;
    QTimer m_outTimer;
    QTimer m_delayTimer;
    int m_step = 200;
    QLabel* m_label = nullptr;
    QHBoxLayout* m_layout = nullptr;
    double m_scale = 1.0;
};

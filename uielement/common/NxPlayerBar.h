#pragma once

#include "TavoUIElementGlobal.h"

#include <QWidget>

class QPushButton;

// The live player's back button: a small window of its own in the lower
// right corner of the primary screen.
class TAVOUIELEMENT_EXPORT NxPlayerBar : public QWidget
{
    Q_OBJECT

public:
    NxPlayerBar(QWidget* parent, double scale);

    // Where the bar sits on a screen of that geometry.
    static QPoint placeOn(const QRect& screen, double scale);

signals:
    void signalExit();

private:
    void initUi();

    double m_scale;
    QPushButton* m_button = nullptr;
};

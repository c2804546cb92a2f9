#pragma once

#include "TavoUIElementGlobal.h"

#include <QPushButton>

// A button drawn from pictures: pixName for normal, pixName + "_hover",
// "_pressed" and "_disabled" for the other states. A release anywhere after
// a press on it clicks, which suits fingers that slide off a small button.
class TAVOUIELEMENT_EXPORT NxPushButton : public QPushButton
{
    Q_OBJECT

public:
    NxPushButton(QWidget* parent, double scale);

    void setPixName(const QString& name);
    void setIsPressStatus(bool on);

protected:
    void changeEvent(QEvent* event) override;
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    enum State { Normal = 0, Hovered = 1, Pressed = 2 };

    void retranslateUi();
    void setState(int state);
    // Hovered or pressed, unless the sticky pressed look wins.
    int restingState(int state) const;
    QPixmap currentPixmap() const;

    int m_state = Normal;
    QString m_pixName;
    bool m_pressedFlag = false;
    bool m_isPressStatus = false;
    double m_scale = 1.0;
};

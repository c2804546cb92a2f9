#pragma once

#include "TavoUIElementGlobal.h"

#include <QPointer>
#include <QWidget>

class NxAccessToolBarWidget;
class QPushButton;

// The account popup of the toolbar: switch account or log out. It stays
// above every window, so it leaves on any tap outside it and when the
// program loses activation.
class TAVOUIELEMENT_EXPORT NxUserSwitchWidget : public QWidget
{
    Q_OBJECT

public:
    NxUserSwitchWidget(NxAccessToolBarWidget* parent, double scale);

    // Taps on this widget (the avatar) are left to the toolbar, which toggles.
    void setToggleWidget(QWidget* toggle);

signals:
    void signalUserSwitch();
    void signalLogOut();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QPushButton* addButton(const char* key);
    int px(double design) const;
    bool isOutside(const QPoint& global) const;

    double m_scale;
    QString m_buttonStyle;
    QWidget* m_content = nullptr;
    QPushButton* m_switchButton = nullptr;
    QPushButton* m_logOutButton = nullptr;
    QPointer<QWidget> m_toggle;
};

#pragma once

#include "TavoUIElementGlobal.h"

#include <QWidget>

class NxAccessToolBarWidget;
class QPushButton;

// The account popup of the toolbar: switch account or log out.
class TAVOUIELEMENT_EXPORT NxUserSwitchWidget : public QWidget
{
    Q_OBJECT

public:
    NxUserSwitchWidget(NxAccessToolBarWidget* parent, double scale);

signals:
    void signalUserSwitch();
    void signalLogOut();

private:
    QPushButton* addButton(const char* key);
    int px(double design) const;

    double m_scale;
    QString m_buttonStyle;
    QWidget* m_content = nullptr;
    QPushButton* m_switchButton = nullptr;
    QPushButton* m_logOutButton = nullptr;
};

#pragma once

#include "NxCommonDialogEffect.h"

#include <QTimer>

class QLabel;
class QPushButton;

// The prompt that a channel cannot be deleted; it closes itself after three
// seconds, counted down on its button.
class TAVOUIELEMENT_EXPORT NxMessagePromptDialog : public NxCommonDialogEffect
{
    Q_OBJECT

public:
    explicit NxMessagePromptDialog(QWidget* parent);

private slots:
    void slotTimeout();

private:
    void updateButtonText();

    int m_countdown = 3;
    QTimer m_timer;
    QWidget* m_background = nullptr;
    QLabel* m_label = nullptr;
    QPushButton* m_button = nullptr;
};

#pragma once

#include "NxCommonDialogEffect.h"

#include <QTimer>

class QLabel;
class QPushButton;

// The notice that no live stream is running; it closes itself after a
// five-second countdown shown on its button.
class TAVOUIELEMENT_EXPORT NxSecWindow : public NxCommonDialogEffect
{
    Q_OBJECT

public:
    explicit NxSecWindow(QWidget* parent);

public slots:
    void closeWin();

signals:
    void signCloseSec();

private slots:
    void slotChangeTime();

private:
    void initUi();
    void updateButtonText();
    void finish();

    int m_countdown = 5;
    QTimer m_timer;
    QLabel* m_label = nullptr;
    QPushButton* m_button = nullptr;
};

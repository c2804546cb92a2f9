#pragma once

#include "NxCommonDialogEffect.h"

class QLabel;
class QPushButton;

// The question before a channel is deleted. OK only reports the answer; the
// receiver closes the dialog once the deletion is under way.
class TAVOUIELEMENT_EXPORT NxDelConfirmDialog : public NxCommonDialogEffect
{
    Q_OBJECT

public:
    explicit NxDelConfirmDialog(QWidget* parent);

signals:
    void sigDelConfirmed();

private:
    QPushButton* createButton(const QString& objectName, const QString& text, const QString& sheet);

    QWidget* m_background = nullptr;
    QLabel* m_label = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};

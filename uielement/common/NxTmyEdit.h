#pragma once

#include "TavoUIElementGlobal.h"

#include <QLineEdit>

// A line edit for codes typed on an on-screen keypad: digits are handed to
// the owner instead of being inserted, clipboard and undo keys do nothing.
class TAVOUIELEMENT_EXPORT NxTmyEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit NxTmyEdit(QWidget* parent);

signals:
    void sigKeyinput(QString keyinput);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    static bool isBlockedSequence(QKeyEvent* event);
};

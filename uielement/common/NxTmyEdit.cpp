#include "NxTmyEdit.h"

#include <QKeyEvent>

NxTmyEdit::NxTmyEdit(QWidget* parent)
    : QLineEdit(parent)
{
    // No input method, so no composition window over the keypad.
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void NxTmyEdit::keyPressEvent(QKeyEvent* event)
{
    if (isBlockedSequence(event)) {
        event->accept();
        return;
    }
    const int key = event->key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        event->accept();
        emit sigKeyinput(QString(QChar(key)));
        return;
    }
    QLineEdit::keyPressEvent(event);
}

bool NxTmyEdit::isBlockedSequence(QKeyEvent* event)
{
    return event->matches(QKeySequence::SelectAll) || event->matches(QKeySequence::Copy)
        || event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Undo)
        || event->matches(QKeySequence::Cut);
}

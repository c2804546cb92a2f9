#include "NxFilterLineEdit.h"

#include <QRegularExpressionValidator>

NxFilterLineEdit::NxFilterLineEdit(QWidget* parent)
    : QLineEdit(parent)
{
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[^<>/\\\\|:\"*?\\x{FF1A}]+\\.\\w+")), this));
}

void NxFilterLineEdit::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
    emit sigMousePressed();
}

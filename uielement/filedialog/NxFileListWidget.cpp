#include "NxFileListWidget.h"

#include <QMouseEvent>

NxFileListWidget::NxFileListWidget(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("filelist"));
}

void NxFileListWidget::mousePressEvent(QMouseEvent* event)
{
    emit sgl_CancelSelAll(event);
    event->accept();
}

#include "NxFileDialogViewThumbMode.h"

#include "NxFilePictures.h"
#include "NxFileThumbnaiWidget.h"
#include "NxScale.h"

#include <QDebug>
#include <QScrollArea>

NxFileDialogViewThumbMode::NxFileDialogViewThumbMode(QWidget* parent, double scale, NxFilePictures* pictures)
    : NxFileDialogViewMode(parent, scale, pictures)
{
    connect(pictures, &NxFilePictures::sigPixmapCreatedEnd, this, &NxFileDialogViewThumbMode::slotPixmapCreatedEnd);
    setItemStyleSheet(NxFileThumbnaiWidget::styleSheet(scale));
}

int NxFileDialogViewThumbMode::columns() const
{
    const int room = scrollArea()->viewport()->width() - spacing();
    return qMax(1, room / (cellSize().width() + spacing()));
}

QSize NxFileDialogViewThumbMode::cellSize() const
{
    return NxFileThumbnaiWidget::tileSize(scale());
}

NxFileItemWidget* NxFileDialogViewThumbMode::createItem(QWidget* parent, int index, const NxFileEntry& entry)
{
    return new NxFileThumbnaiWidget(parent, scale(), index, entry);
}

QSize NxFileDialogViewThumbMode::pictureSize() const
{
    return QSize(NxScale::px(86, scale()), NxScale::px(82, scale()));
}

void NxFileDialogViewThumbMode::slotPixmapCreatedEnd()
{
    qDebug() << "NxFileDialogViewThumbMode::slotPixmapCreatedEnd pictures of the visible tiles are in";
}

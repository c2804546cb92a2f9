#pragma once

#include "NxFileDialogViewMode.h"

// The thumbnail view: tiles of picture and name, as many per row as fit.
class NxFileDialogViewThumbMode : public NxFileDialogViewMode
{
    Q_OBJECT

public:
    NxFileDialogViewThumbMode(QWidget* parent, double scale, NxFilePictures* pictures);

public slots:
    void slotPixmapCreatedEnd();

protected:
    int columns() const override;
    QSize cellSize() const override;
    NxFileItemWidget* createItem(QWidget* parent, int index, const NxFileEntry& entry) override;
    QSize pictureSize() const override;
};

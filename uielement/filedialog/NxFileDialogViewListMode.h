#pragma once

#include "NxFileDialogViewMode.h"

// The list view: a header of name, date and size over rows 40 high.
class NxFileDialogViewListMode : public NxFileDialogViewMode
{
    Q_OBJECT

public:
    NxFileDialogViewListMode(QWidget* parent, double scale, NxFilePictures* pictures);

protected:
    int columns() const override { return 1; }
    QSize cellSize() const override;
    NxFileItemWidget* createItem(QWidget* parent, int index, const NxFileEntry& entry) override;
    QSize pictureSize() const override;
};

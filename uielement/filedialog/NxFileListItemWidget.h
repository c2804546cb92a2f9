#pragma once

#include "NxFileItemWidget.h"

class QLabel;

// One row of the list view: check mark, icon and name, date, size.
class NxFileListItemWidget : public NxFileItemWidget
{
    Q_OBJECT

public:
    NxFileListItemWidget(QWidget* parent, double scale, int index, const NxFileEntry& entry);

    QSize pictureSize() const override;
    // The rows' look, set once on the surface they sit on.
    static QString styleSheet(double scale);

protected:
    void applySelectedLook() override;

private:
    double m_scale;
    QLabel* m_check = nullptr;
};

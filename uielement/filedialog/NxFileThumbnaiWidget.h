#pragma once

#include "NxFileItemWidget.h"

class QLabel;

// One tile of the thumbnail view: the picture or icon above the name.
class NxFileThumbnaiWidget : public NxFileItemWidget
{
    Q_OBJECT

public:
    NxFileThumbnaiWidget(QWidget* parent, double scale, int index, const NxFileEntry& entry);

    QSize pictureSize() const override;
    static QSize tileSize(double scale);
    // The tiles' look, set once on the surface they sit on.
    static QString styleSheet(double scale);

protected:
    void applySelectedLook() override;

private:
    double m_scale;
    QLabel* m_name = nullptr;
};

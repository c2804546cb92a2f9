#pragma once

#include <QComboBox>

// A combo box the mouse wheel does not turn, so scrolling past it on the
// panel never changes the filter by accident.
class NxComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit NxComboBox(QWidget* parent = nullptr);

protected:
    void wheelEvent(QWheelEvent* event) override;
};

#pragma once

#include <QMouseEvent>
#include <QWidget>

// The surface the rows or tiles sit on; a press on empty space between
// them is reported.
class NxFileListWidget : public QWidget
{
    Q_OBJECT

public:
    explicit NxFileListWidget(QWidget* parent = nullptr);

signals:
    void sgl_CancelSelAll(QMouseEvent* event);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

#pragma once

#include <QLineEdit>

// The file-name edit: only names without < > / \ | : " * ? and the
// full-width colon, with a dot and a suffix, can be typed; a press on it
// is reported.
class NxFilterLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit NxFilterLineEdit(QWidget* parent = nullptr);

signals:
    void sigMousePressed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

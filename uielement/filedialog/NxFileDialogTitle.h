#pragma once

#include <QWidget>

class NxPushButton;
class QLabel;

// The dialog's title bar: the title and a close button.
class NxFileDialogTitle : public QWidget
{
    Q_OBJECT

public:
    NxFileDialogTitle(QWidget* parent, double scale);

    void setTitle(const QString& text);
    QString title() const;

signals:
    void sgl_Close();

private:
    QLabel* m_title = nullptr;
    NxPushButton* m_closeBtn = nullptr;
};

#pragma once

#include <QWidget>

class QLabel;
class QMovie;
class QPushButton;

// The page shown instead of a listing: an empty folder or recent list, the
// sign-in prompt of the cloud places, waiting, or a network error.
class NxFileDialogViewInitMode : public QWidget
{
    Q_OBJECT

public:
    NxFileDialogViewInitMode(QWidget* parent, double scale);

    // A message with an optional picture; login adds the sign-in button.
    void showMessage(const QString& text, const QString& picture = QString(), bool login = false);
    void showWaiting(QMovie* movie, const QString& text);
    QString message() const;

signals:
    void sgl_Login();

private:
    double m_scale;
    QLabel* m_picture = nullptr;
    QLabel* m_text = nullptr;
    QPushButton* m_login = nullptr;
};

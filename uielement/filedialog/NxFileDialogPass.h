#pragma once

#include <QList>
#include <QWidget>

class DriveButton;
class QVBoxLayout;

// The column of places: recent files, desktop, documents, pictures, the
// cloud places when enabled, then the disks.
class NxFileDialogPass : public QWidget
{
    Q_OBJECT

public:
    NxFileDialogPass(QWidget* parent, double scale);

    DriveButton* addPlace(const QString& pass, const QString& caption, const QString& icon, const QString& iconNormal,
                          const QString& netId = QString());
    // Removes the disk buttons (passes starting with "ID_DISK").
    void removeDisks();
    void setCurrentPass(const QString& pass);
    DriveButton* button(const QString& pass) const;
    QList<DriveButton*> buttons() const { return m_buttons; }

signals:
    void sgl_ChangePass(QString strPass, QString strNetId);

public slots:
    void slot_ButtonPressed(DriveButton* pButton);

private:
    double m_scale;
    QVBoxLayout* m_layout = nullptr;
    QList<DriveButton*> m_buttons;
};

#pragma once

#include <QPixmap>
#include <QPushButton>

// One place of the places column: icon and caption; the current place is
// drawn with its accent icon on a tinted band.
class DriveButton : public QPushButton
{
    Q_OBJECT

public:
    DriveButton(QWidget* parent, double scale, const QString& pass, const QString& caption, const QString& icon,
                const QString& iconNormal, const QString& netId = QString());

    QString pass() const { return m_pass; }
    QString netId() const { return m_netId; }
    QString caption() const { return m_caption; }
    void setCurrent(bool current);
    bool isCurrent() const { return m_current; }

signals:
    void sgl_Pressed(DriveButton* button);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double m_scale;
    QString m_pass;
    QString m_caption;
    QString m_netId;
    QPixmap m_icon;
    QPixmap m_iconNormal;
    bool m_current = false;
};

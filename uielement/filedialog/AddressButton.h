#pragma once

#include <QPushButton>

// One segment of the address: a place or a folder on the way down.
class AddressButton : public QPushButton
{
    Q_OBJECT

public:
    AddressButton(QWidget* parent, double scale, const QString& caption, const QString& pass, const QString& path,
                  const QString& netId);

    QString path() const { return m_path; }

signals:
    void sgl_ChangePath(QString strPass, QString strPath, QString strFileNetId);

private:
    QString m_pass;
    QString m_path;
    QString m_netId;
};

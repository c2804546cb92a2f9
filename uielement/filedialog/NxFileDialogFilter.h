#pragma once

#include <QWidget>

class NxComboBox;
class NxFilterLineEdit;
class QLabel;
class QPushButton;

// The bottom row: file name, file type, OK and Cancel.
class NxFileDialogFilter : public QWidget
{
    Q_OBJECT

public:
    NxFileDialogFilter(QWidget* parent, double scale);

    void setFilters(const QString& filter);
    QString currentFilter() const;
    QString fileName() const;
    void setFileName(const QString& name);
    // The insert form: a large filled OK, always enabled.
    void setInsertForm(bool on);
    void setOkText(const QString& text);
    NxFilterLineEdit* nameEdit() const { return m_nameEdit; }

signals:
    void sgl_ChangeFilter(QString strFilter);
    void sgl_Ok();
    void sgl_Cancle();

public slots:
    void sltChangeFilter(int index);
    void slotFileNameTextChanged(QString text);
    void slotMousePressed();

private:
    void styleOk();

    double m_scale;
    bool m_insertForm = false;
    QLabel* m_nameLabel = nullptr;
    NxFilterLineEdit* m_nameEdit = nullptr;
    QLabel* m_formatLabel = nullptr;
    NxComboBox* m_filterBox = nullptr;
    QPushButton* m_okBtn = nullptr;
    QPushButton* m_cancelBtn = nullptr;
};

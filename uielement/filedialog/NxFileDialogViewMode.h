#pragma once

#include "NxFileDialogTypes.h"

#include <QHash>
#include <QSharedPointer>
#include <QVector>
#include <QMouseEvent>
#include <QWidget>

class NxFileItemWidget;
class NxFileListWidget;
class NxFilePictures;
class QMouseEvent;
class QScrollArea;
class QVBoxLayout;

using NxFileEntries = QSharedPointer<const QVector<NxFileEntry> >;

// What the list and thumbnail views share: the rows of one listing laid
// out in cells, of which only those near the visible part exist as
// widgets, so a folder of thousands of files shows at once; the chosen
// entries; taps, double taps and kinetic scrolling by touch.
class NxFileDialogViewMode : public QWidget
{
    Q_OBJECT

public:
    NxFileDialogViewMode(QWidget* parent, double scale, NxFilePictures* pictures);

    void setEntries(const NxFileEntries& entries);
    int count() const;
    void setMultiSelect(bool on);
    void selectAll(bool on);
    void clearSelection();
    QList<int> selectedIndexes() const;
    int currentIndex() const { return m_current; }
    void openCurrent();
    // The widget of a row while it exists (near the visible part).
    NxFileItemWidget* itemWidget(int index) const;
    QScrollArea* scrollArea() const { return m_area; }
    // Rows or tiles that exist as widgets now.
    int livingItems() const { return m_items.size(); }

signals:
    void sgl_OpenDir(QString strPass, QString strPath, QString strFileNetId);
    void sgl_OpenFile(QString strPass, QString strPath, QString strFileName, QString strFileNetId);
    void sgl_SelectedFile(QString strPass, QString strPath, QString strFileName, QString strFileNetId, QString strFileNum);
    void sgl_SelectedDir(QString strPass, QString strPath, QString strFileNetId);
    void sgl_MultiSelectedFile(bool bFile, QString strPass, QString strPath, QString strFileName, QString strFileNetId,
                               QString sFileNum);
    void sgl_SelectedItems(int nCount);
    void sgl_CancelSelAll();
    void sgl_SetUnselectAllStatus();

public slots:
    void sltSelectedStatusChanged(int nIndex, bool bSelected);
    void sltItemDoubleClick(int nIndex);
    void sltScrollBarValueChanged(int nValue);
    void sltListItemClicked(QMouseEvent* event);
    void slotPixmapCreated(QString strIndex, QPixmap pixmap);

protected:
    virtual int columns() const = 0;
    virtual QSize cellSize() const = 0;
    virtual NxFileItemWidget* createItem(QWidget* parent, int index, const NxFileEntry& entry) = 0;
    virtual QSize pictureSize() const = 0;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    double scale() const { return m_scale; }
    int spacing() const;
    // Above the scrolling cells (the list's column header).
    void insertHeader(QWidget* header);
    // One style sheet for every cell, parsed once.
    void setItemStyleSheet(const QString& sheet);

private:
    void layoutCanvas();
    void materialise();
    void release(NxFileItemWidget* item);
    QRect cellRect(int index) const;
    void setSelected(int index, bool on);
    static QString subPath(const NxFileEntry& entry);

    double m_scale;
    NxFilePictures* m_pictures;
    QScrollArea* m_area = nullptr;
    QVBoxLayout* m_layout = nullptr;
    NxFileListWidget* m_canvas = nullptr;
    NxFileEntries m_entries;
    QVector<bool> m_selected;
    QHash<int, NxFileItemWidget*> m_items;
    bool m_multi = false;
    int m_current = -1;
};

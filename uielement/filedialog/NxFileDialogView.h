#pragma once

#include "NxFileDialogViewMode.h"

#include <QStackedWidget>

class NxFileDialogViewInitMode;
class NxFileDialogViewListMode;
class NxFileDialogViewThumbMode;
class NxFilePictures;
class QMovie;

// The file view: a message page, the list and the thumbnails, one shown.
class NxFileDialogView : public QStackedWidget
{
    Q_OBJECT

public:
    NxFileDialogView(QWidget* parent, double scale);

    void setEntries(const NxFileEntries& entries, bool local);
    void showMessage(const QString& text, const QString& picture = QString(), bool login = false);
    void showWaiting(QMovie* movie, const QString& text);
    void setThumbnailMode(bool on);
    bool isThumbnailMode() const { return m_thumbnail; }
    void setMultiSelect(bool on);
    void selectAll(bool on);
    NxFileDialogViewMode* currentMode() const;
    NxFileDialogViewListMode* listMode() const { return m_list; }
    NxFileDialogViewThumbMode* thumbMode() const { return m_thumb; }
    NxFileDialogViewInitMode* initMode() const { return m_init; }
    bool isShowingEntries() const { return currentWidget() != reinterpret_cast<QWidget*>(m_init); }
    NxFileEntries entries() const { return m_entries; }
    NxFilePictures* pictures() const { return m_pictures; }

signals:
    void sgl_OpenDir(QString strPass, QString strPath, QString strFileNetId);
    void sgl_OpenFile(QString strPass, QString strPath, QString strFileName, QString strFileNetId);
    void sgl_SelectedFile(QString strPass, QString strPath, QString strFileName, QString strFileNetId, QString strFileNum);
    void sgl_SelectedDir(QString strPass, QString strPath, QString strFileNetId);
    void sgl_Login();
    void sgl_CancelSelAll();
    void sgl_SetUnselectAllStatus();
    void sgl_MultiUnselectAll();
    void sgl_ItemListSelectedAll(bool bSelected);
    void sgl_ItemThumbSelectedAll(bool bSelected);
    void sgl_MultiSelectedFile(bool bFile, QString strPass, QString strPath, QString strFileName, QString strFileNetId,
                               QString sFileNum);

public slots:
    void sltSelectedFile(QString strPass, QString strPath, QString strFileName, QString strFileNetId, QString strFileNum);
    void sltOpenDir(QString strPass, QString strPath, QString strFileNetId);
    void sltMultiSelectedFile(bool bFile, QString strPass, QString strPath, QString strFileName, QString strFileNetId,
                              QString sFileNum);
    void sltSetUnselectAllStatus();
    void slt_MultiUnselectAll();

private:
    void wireMode(NxFileDialogViewMode* mode);
    void showEntries();

    NxFilePictures* m_pictures = nullptr;
    NxFileDialogViewInitMode* m_init = nullptr;
    NxFileDialogViewListMode* m_list = nullptr;
    NxFileDialogViewThumbMode* m_thumb = nullptr;
    NxFileEntries m_entries;
    // The mode not shown gets the listing when it is switched to.
    NxFileDialogViewMode* m_stale = nullptr;
    bool m_thumbnail = false;
};

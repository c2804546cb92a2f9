#include "NxFileDialogView.h"

#include "NxFileDialogViewInitMode.h"
#include "NxFileDialogViewListMode.h"
#include "NxFileDialogViewThumbMode.h"
#include "NxFilePictures.h"

NxFileDialogView::NxFileDialogView(QWidget* parent, double scale)
    : QStackedWidget(parent)
    , m_pictures(new NxFilePictures(this, scale))
    , m_entries(new QVector<NxFileEntry>())
{
    setObjectName(QStringLiteral("fileview"));
    m_init = new NxFileDialogViewInitMode(this, scale);
    m_list = new NxFileDialogViewListMode(this, scale, m_pictures);
    m_thumb = new NxFileDialogViewThumbMode(this, scale, m_pictures);
    addWidget(m_init);
    addWidget(m_list);
    addWidget(m_thumb);
    connect(m_init, &NxFileDialogViewInitMode::sgl_Login, this, &NxFileDialogView::sgl_Login);
    wireMode(m_list);
    wireMode(m_thumb);
    connect(m_list, &NxFileDialogViewMode::sgl_SelectedItems, this,
            [this](int n) { emit sgl_ItemListSelectedAll(n > 0 && n == m_list->count()); });
    connect(m_thumb, &NxFileDialogViewMode::sgl_SelectedItems, this,
            [this](int n) { emit sgl_ItemThumbSelectedAll(n > 0 && n == m_thumb->count()); });
}

void NxFileDialogView::wireMode(NxFileDialogViewMode* mode)
{
    connect(mode, &NxFileDialogViewMode::sgl_OpenDir, this, &NxFileDialogView::sltOpenDir);
    connect(mode, &NxFileDialogViewMode::sgl_OpenFile, this, &NxFileDialogView::sgl_OpenFile);
    connect(mode, &NxFileDialogViewMode::sgl_SelectedFile, this, &NxFileDialogView::sltSelectedFile);
    connect(mode, &NxFileDialogViewMode::sgl_SelectedDir, this, &NxFileDialogView::sgl_SelectedDir);
    connect(mode, &NxFileDialogViewMode::sgl_MultiSelectedFile, this, &NxFileDialogView::sltMultiSelectedFile);
    connect(mode, &NxFileDialogViewMode::sgl_SetUnselectAllStatus, this, &NxFileDialogView::sltSetUnselectAllStatus);
    connect(mode, &NxFileDialogViewMode::sgl_CancelSelAll, this, &NxFileDialogView::slt_MultiUnselectAll);
}

NxFileDialogViewMode* NxFileDialogView::currentMode() const
{
    return m_thumbnail ? static_cast<NxFileDialogViewMode*>(m_thumb) : static_cast<NxFileDialogViewMode*>(m_list);
}

void NxFileDialogView::setEntries(const NxFileEntries& entries, bool local)
{
    m_pictures->reset(local);
    m_entries = entries;
    currentMode()->setEntries(entries);
    m_stale = m_thumbnail ? static_cast<NxFileDialogViewMode*>(m_list) : static_cast<NxFileDialogViewMode*>(m_thumb);
    m_stale->setEntries(NxFileEntries(new QVector<NxFileEntry>()));
    showEntries();
}

void NxFileDialogView::showEntries()
{
    setCurrentWidget(currentMode());
}

void NxFileDialogView::showMessage(const QString& text, const QString& picture, bool login)
{
    m_init->showMessage(text, picture, login);
    setCurrentWidget(m_init);
}

void NxFileDialogView::showWaiting(QMovie* movie, const QString& text)
{
    m_init->showWaiting(movie, text);
    setCurrentWidget(m_init);
}

void NxFileDialogView::setThumbnailMode(bool on)
{
    const bool showing = isShowingEntries();
    m_thumbnail = on;
    if (m_stale == currentMode()) {
        m_stale->setEntries(m_entries);
        m_stale = on ? static_cast<NxFileDialogViewMode*>(m_list) : static_cast<NxFileDialogViewMode*>(m_thumb);
    }
    if (showing)
        showEntries();
}

void NxFileDialogView::setMultiSelect(bool on)
{
    m_list->setMultiSelect(on);
    m_thumb->setMultiSelect(on);
}

void NxFileDialogView::selectAll(bool on)
{
    currentMode()->selectAll(on);
}

void NxFileDialogView::sltSelectedFile(QString strPass, QString strPath, QString strFileName, QString strFileNetId,
                                       QString strFileNum)
{
    emit sgl_SelectedFile(strPass, strPath, strFileName, strFileNetId, strFileNum);
}

void NxFileDialogView::sltOpenDir(QString strPass, QString strPath, QString strFileNetId)
{
    emit sgl_OpenDir(strPass, strPath, strFileNetId);
}

void NxFileDialogView::sltMultiSelectedFile(bool bFile, QString strPass, QString strPath, QString strFileName,
                                            QString strFileNetId, QString sFileNum)
{
    emit sgl_MultiSelectedFile(bFile, strPass, strPath, strFileName, strFileNetId, sFileNum);
}

void NxFileDialogView::sltSetUnselectAllStatus()
{
    emit sgl_SetUnselectAllStatus();
}

void NxFileDialogView::slt_MultiUnselectAll()
{
    emit sgl_CancelSelAll();
    emit sgl_MultiUnselectAll();
}

#include "NxFileDialog.h"

#include "INxSystemInfo.h"
#include "NxCommonDialogEffect.h"
#include "NxFileDialogCloud.h"
#include "NxFileDialogConfirmation.h"
#include "NxFileDialogFilter.h"
#include "NxFileDialogFrame.h"
#include "NxFileDialogListing.h"
#include "NxFileDialogPass.h"
#include "NxFileDialogPath.h"
#include "NxFileDialogPlaces.h"
#include "NxFileDialogTitle.h"
#include "NxFileDialogView.h"
#include "NxFileDialogViewMode.h"
#include "NxFileFilters.h"
#include "NxPlatform.h"
#include "NxRecentFiles.h"
#include "NxScale.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>

namespace {

// Keys translated through variables, listed here so the extraction sees them.
[[maybe_unused]] const char* const kDynamicKeys[] = {
    QT_TRANSLATE_NOOP("NxFileDialog", "ID_RES_SELECTFILE"),          QT_TRANSLATE_NOOP("NxFileDialog", "ID_RES_SPECIAL"),
    QT_TRANSLATE_NOOP("NxFileDialog", "ID_RES_FILEISNOTEXIT"),       QT_TRANSLATE_NOOP("NxFileDialog", "ID_FILE_SAVE_DISK_READONLY"),
    QT_TRANSLATE_NOOP("NxFileDialog", "ID_RES_FILEEXIT"),            QT_TRANSLATE_NOOP("NxFileDialog", "ID_RES_FOLDEREXIT"),
    QT_TRANSLATE_NOOP("NxFileDialog", "ID_SYSTEM_HELP_FEEDBACK_NOUSER"), QT_TRANSLATE_NOOP("NxFileDialog", "ID_OPEN_CLOUD"),
    QT_TRANSLATE_NOOP("NxFileDialog", "ID_CLOUD_RESOURCE"),          QT_TRANSLATE_NOOP("NxFileDialog", "ID_LOCAL_VIDEO"),
    QT_TRANSLATE_NOOP("NxFileDialog", "ID_OPEN_RECENT"),             QT_TRANSLATE_NOOP("NxFileDialog", "ID_DESKTOP"),
    QT_TRANSLATE_NOOP("NxFileDialog", "ID_MY_DOCUMENTS"),            QT_TRANSLATE_NOOP("NxFileDialog", "ID_MY_PICTURE"),
};

QWidget* greyContainer(QWidget* parent, QWidget* content, const char* name)
{
    auto* box = new QWidget(parent);
    box->setObjectName(QLatin1String(name));
    box->setAttribute(Qt::WA_StyledBackground);
    box->setStyleSheet(QStringLiteral("QWidget{background-color:#F5F6F7;border-radius:0px;}"));
    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
    return box;
}

} // namespace

NxFileDialog::NxFileDialog(QMap<QString, QVariant>& params, QWidget* parent)
    : QDialog(parent)
    , m_base(params)
    , m_scale(m_base.getScaleFactor() > 0 ? m_base.getScaleFactor() : 1.0)
{
    QApplication::restoreOverrideCursor();
    m_frame = std::make_unique<NxFileDialogFrame>(this, m_scale);
    QDir().mkpath(NxPlatform::systemInfo()->dataRoot() + QStringLiteral("/Maplo/temp"));
    if (QCoreApplication::instance()->property("recentFileDir").toString().isEmpty())
        QCoreApplication::instance()->setProperty(
            "recentFileDir", NxPlatform::systemInfo()->dataRoot() + QStringLiteral("/Maplo/TavomcPresenterPro/recent/"));
    buildPanes();
    m_places = std::make_unique<NxFileDialogPlaces>(m_pass);
    m_listing = std::make_unique<NxFileDialogListing>(m_view, *m_places);
    m_cloud = new NxFileDialogCloud(m_view, *m_listing, m_scale, this);
    m_confirmation = std::make_unique<NxFileDialogConfirmation>(this, m_scale, m_view, m_history, *m_listing);
    m_places->addNamedPlaces(params.value(QStringLiteral("isCloud")).toBool());
    m_places->refreshDisks(m_history.current().strPass);
    InitSglAndSlot();
    m_view->setFocus();
}

NxFileDialog::~NxFileDialog() = default;

int NxFileDialog::px(double design) const
{
    return NxScale::px(design, m_scale);
}

void NxFileDialog::buildPanes()
{
    m_title = new NxFileDialogTitle(this, m_scale);
    m_pass = new NxFileDialogPass(this, m_scale);
    m_path = new NxFileDialogPath(this, m_scale);
    m_view = new NxFileDialogView(this, m_scale);
    m_filter = new NxFileDialogFilter(this, m_scale);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(px(8), px(8), px(8), px(8));
    grid->setSpacing(0);
    QWidget* title = greyContainer(this, m_title, "titlebox");
    title->setFixedHeight(px(42));
    QWidget* places = greyContainer(this, m_pass, "passbox");
    places->setFixedWidth(px(180));
    m_path->setFixedHeight(px(58));
    m_path->setEnabled(false);
    m_filter->setFixedHeight(px(64));
    m_filter->hide();
    grid->addWidget(title, 0, 0, 1, 2);
    grid->addWidget(places, 1, 0, 2, 1);
    grid->addWidget(m_path, 1, 1);
    grid->addWidget(m_view, 2, 1);
    grid->addWidget(m_filter, 3, 0, 1, 2);
}

void NxFileDialog::InitSglAndSlot()
{
    connect(m_title, &NxFileDialogTitle::sgl_Close, this, &NxFileDialog::sltClose);
    connect(m_pass, &NxFileDialogPass::sgl_ChangePass, this, &NxFileDialog::sltChangePass);
    connect(m_path, &NxFileDialogPath::sgl_BackHistory, this, &NxFileDialog::sltBackHistory);
    connect(m_path, &NxFileDialogPath::sgl_ChangePath, this, &NxFileDialog::sltPathChangePath);
    connect(m_path, &NxFileDialogPath::sigCurDisplayMode, this, &NxFileDialog::slotDisplayModeChanged);
    connect(m_path, &NxFileDialogPath::sigSelAllStatusChanged, this, &NxFileDialog::slotSelAllStatusChanged);
    connect(m_view, &NxFileDialogView::sgl_OpenDir, this, &NxFileDialog::sltChangePath);
    connect(m_view, &NxFileDialogView::sgl_OpenFile, this, &NxFileDialog::slotOpenFile);
    connect(m_view, &NxFileDialogView::sgl_SelectedFile, this, &NxFileDialog::sltSelectedFile);
    connect(m_view, &NxFileDialogView::sgl_SelectedDir, this, &NxFileDialog::sltSelectDir);
    connect(m_view, &NxFileDialogView::sgl_MultiSelectedFile, this, &NxFileDialog::slotMultiSelectedFile);
    connect(m_view, &NxFileDialogView::sgl_Login, this, &NxFileDialog::sltLogin);
    connect(m_view, &NxFileDialogView::sgl_CancelSelAll, this, &NxFileDialog::slotCancelSelAll);
    connect(m_view, &NxFileDialogView::sgl_SetUnselectAllStatus, m_path, &NxFileDialogPath::slotSetUnSelectAllStatus);
    connect(m_view, &NxFileDialogView::sgl_MultiUnselectAll, this, &NxFileDialog::slotMultiUnselectAll);
    connect(m_view, &NxFileDialogView::sgl_ItemListSelectedAll, this, &NxFileDialog::slotItemListSelectedAll);
    connect(m_view, &NxFileDialogView::sgl_ItemThumbSelectedAll, this, &NxFileDialog::slotItemThumbSelectedAll);
    connect(m_filter, &NxFileDialogFilter::sgl_ChangeFilter, this, &NxFileDialog::sltChangeFilter);
    connect(m_filter, &NxFileDialogFilter::sgl_Ok, this, &NxFileDialog::sltOk);
    connect(m_filter, &NxFileDialogFilter::sgl_Cancle, this, &NxFileDialog::sltClose);
}

QString NxFileDialog::GetOpenFilePath(QWidget* parent, EnumResType type, const QString& title, const QString& startPass,
                                      const QString& filter)
{
    return run(0, parent, type, title, startPass, filter);
}

QString NxFileDialog::GetSaveFilePath(QWidget* parent, EnumResType type, const QString& title, const QString& startPass,
                                      const QString& filter)
{
    return run(1, parent, type, title, startPass, filter);
}

QString NxFileDialog::GetInsertFilePath(QWidget* parent, EnumResType type, const QString& title, const QString& startPass,
                                        const QString& filter)
{
    return run(2, parent, type, title, startPass, filter);
}

QStringList NxFileDialog::GetInsertFilePathMultiSel(QWidget* parent, EnumResType type, const QString& title,
                                                    const QString& startPass, const QString& filter)
{
    setMultiSelectMode();
    run(2, parent, type, title, startPass, filter);
    return m_chosenPaths;
}

QString NxFileDialog::run(int mode, QWidget* parent, int type, const QString& title, const QString& startPass,
                          const QString& filter)
{
    m_mode = mode;
    m_chosenPath.clear();
    m_chosenPaths.clear();
    m_saveStatus = false;
    m_openedByDoubleClick = false;
    NxFileDialogCloud::clearDownloads();
    m_filter->setInsertForm(mode == 2);
    m_view->setMultiSelect(m_multiSelect);
    m_path->setSelectAllVisible(m_multiSelect);
    m_view->setThumbnailMode(NxRecentFiles::instance().thumbnailMode());
    m_path->setDisplayMode(NxRecentFiles::instance().thumbnailMode());
    InitFileDialog(type, title, startPass, filter);
    m_filter->show();
    move(NxCommonDialogEffect::centredPosition(size(), parent));
    m_frame->startActive();
    exec();
    return m_chosenPath;
}

void NxFileDialog::InitFileDialog(int type, const QString& title, const QString& startPass, const QString& filter)
{
    const QString filterText = m_listing->useFilter(type, filter);
    m_places->refreshDisks(m_history.current().strPass);
    const HistoryDir start = m_places->startLocation(startPass);
    m_title->setTitle(tr(title.toUtf8().constData()));
    m_filter->setFilters(filterText);
    if (!m_fileNamePreset)
        m_filter->setFileName(QString());
    m_history.enterPlace(start);
    RefreshPath();
}

QList<NxFilePlaces::Disk> NxFileDialog::disks() const
{
    return m_places->disks();
}

void NxFileDialog::RefreshPath()
{
    const HistoryDir& at = m_history.current();
    m_pass->setCurrentPass(at.strPass);
    m_path->setEnabled(true);
    // Only going back needs a history; the view switches always work.
    if (QWidget* back = m_path->findChild<QWidget*>(QStringLiteral("prebtn")))
        back->setEnabled(m_history.canGoBack());
    m_path->setLocation(m_places->caption(at.strPass), at.strPass, at.strPath, m_history.netIds());
    m_path->setSelectAllChecked(false);
    m_cloud->stopListing();
    if (at.strPass == QLatin1String("ID_OPEN_RECENT"))
        m_listing->showRecent();
    else if (NxFilePlaces::isCloud(at.strPass))
        m_cloud->list();
    else
        m_listing->showFolder(at);
}

void NxFileDialog::sltChangePass(QString strPassId, QString strNetId)
{
    if (!m_fileNamePreset)
        m_filter->setFileName(QString());
    NxFileDialogCloud::clearDownloads();
    m_history.enterPlace({strPassId, QString(), strNetId});
    RefreshPath();
}

void NxFileDialog::sltChangePath(QString strPass, QString strPath, QString strFileNetId)
{
    m_history.enterFolder({strPass, strPath, strFileNetId});
    RefreshPath();
}

void NxFileDialog::sltPathChangePath(QString strPass, QString strPath, QString strFileNetId)
{
    m_history.climbTo({strPass, strPath, strFileNetId});
    RefreshPath();
}

void NxFileDialog::sltBackHistory()
{
    m_history.back();
    RefreshPath();
}

void NxFileDialog::sltSelectedFile(QString strPass, QString strPath, QString strFileName, QString strFileNetId, QString)
{
    m_history.chooseFile({strPass, strPath, strFileNetId});
    if (!m_fileNamePreset)
        m_filter->setFileName(strFileName);
}

void NxFileDialog::sltSelectDir(QString strPass, QString strPath, QString strFileNetId)
{
    if (m_fileNamePreset)
        m_history.chooseFolder({strPass, strPath, strFileNetId});
}

void NxFileDialog::slotOpenFile(QString strPass, QString strPath, QString strFileName, QString strFileNetId)
{
    m_openedByDoubleClick = true;
    m_history.pointAt({strPass, strPath, strFileNetId});
    m_filter->setFileName(strFileName);
    sltOk();
    m_openedByDoubleClick = false;
}

void NxFileDialog::slotMultiSelectedFile(bool, QString strPass, QString strPath, QString, QString strFileNetId, QString)
{
    m_history.pointAt({strPass, strPath, strFileNetId});
    updateMultiNames();
}

void NxFileDialog::updateMultiNames()
{
    QStringList names;
    const NxFileEntries entries = m_view->entries();
    for (int index : m_view->currentMode()->selectedIndexes()) {
        if (!entries->at(index).isDir)
            names.append(entries->at(index).name);
    }
    m_filter->setFileName(names.join(QLatin1Char('/')));
}

void NxFileDialog::sltChangeFilter(QString strFilter)
{
    m_listing->setPatterns(NxFileFilters::patternsOf(strFilter));
    RefreshPath();
}

void NxFileDialog::sltOk()
{
    const QString text = m_filter->fileName().trimmed();
    NxFileDialogConfirmation::Choice choice;
    if (NxFilePlaces::isCloud(m_history.chosen().strPass))
        choice = m_confirmation->fetch(text, m_openedByDoubleClick, *m_cloud);
    else if (m_mode == 1)
        choice = m_confirmation->save(text, m_checkFolder);
    else
        choice = m_confirmation->open(text, m_multiSelect, m_openedByDoubleClick);
    switch (choice.outcome) {
    case NxFileDialogConfirmation::Choice::Refused:
        break;
    case NxFileDialogConfirmation::Choice::OutsideFilter:
        shake();
        break;
    case NxFileDialogConfirmation::Choice::Chosen:
        m_chosenPath = choice.paths.first();
        m_chosenPaths = choice.paths;
        m_saveStatus = m_mode == 1;
        finish(true);
        break;
    case NxFileDialogConfirmation::Choice::Fetch:
        m_cloud->showLoading();
        emit signalClickCloudResource(choice.cloudFile.fullPath, choice.cloudName);
        break;
    }
}

void NxFileDialog::finish(bool accepted)
{
    NxRecentFiles::instance().setThumbnailMode(m_view->isThumbnailMode());
    if (accepted) {
        accept();
        return;
    }
    m_filter->setFileName(QString());
    m_chosenPath.clear();
    m_chosenPaths.clear();
    reject();
}

void NxFileDialog::sltClose()
{
    finish(false);
}

void NxFileDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::SelectAll) && m_multiSelect) {
        m_path->setSelectAllChecked(true);
        slotSelAllStatusChanged(true);
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (m_fileNamePreset || m_view->currentMode()->currentIndex() < 0)
            sltOk();
        else
            m_view->currentMode()->openCurrent();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void NxFileDialog::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    // The frame's own constructor sets the window flags, which arrive here first.
    if (m_frame)
        m_frame->takeChange(event);
}

bool NxFileDialog::nativeEvent(const QByteArray& eventType, void* message, long* result)
{
    if (m_frame)
        m_frame->takeNative(eventType, message);
    return QDialog::nativeEvent(eventType, message, result);
}

void NxFileDialog::changeDialogEffect(bool active)
{
    m_frame->setActive(active);
}

void NxFileDialog::paintEvent(QPaintEvent*)
{
    m_frame->paint();
}

void NxFileDialog::shake()
{
    m_frame->shake();
}

bool NxFileDialog::GetSaveStatus() const
{
    return m_saveStatus;
}

QString NxFileDialog::GetFileType() const
{
    return m_history.current().strPass;
}

void NxFileDialog::SetFileName(const QString& name)
{
    m_fileNamePreset = !name.isEmpty();
    m_filter->setFileName(name);
}

void NxFileDialog::setMultiSelectMode()
{
    m_multiSelect = true;
}

void NxFileDialog::setCheckFolder(bool on)
{
    m_checkFolder = on;
}

void NxFileDialog::setRecentFileType(const QString& type)
{
    m_listing->setRecentType(type);
}

void NxFileDialog::reset()
{
    NxRecentFiles::instance().reload();
}

void NxFileDialog::updateUDisk(const QString& drive, bool isRemove)
{
    slotUDiskStateChanged(drive, isRemove);
}

void NxFileDialog::slotUDiskStateChanged(QString name, bool remove)
{
    qDebug() << "NxFileDialog::slotUDiskStateChanged" << name << remove;
    m_places->refreshDisks(m_history.current().strPass);
    const QString pass = NxFilePlaces::diskPass(name);
    if (!remove) {
        m_history.stickPlugged(pass);
        RefreshPath();
    } else if (m_history.stickPulled(pass)) {
        RefreshPath();
    }
}

void NxFileDialog::slotDisplayModeChanged(bool bMode)
{
    m_view->setThumbnailMode(bMode);
    if (m_multiSelect)
        updateMultiNames();
}

void NxFileDialog::slotSelAllStatusChanged(bool bSelAll)
{
    m_view->selectAll(bSelAll);
    updateMultiNames();
}

void NxFileDialog::slotCancelSelAll()
{
    m_path->setSelectAllChecked(false);
}

void NxFileDialog::slotMultiUnselectAll()
{
    m_filter->setFileName(QString());
}

void NxFileDialog::slotItemListSelectedAll(bool bSelected)
{
    m_path->setSelectAllChecked(bSelected);
}

void NxFileDialog::slotItemThumbSelectedAll(bool bSelected)
{
    m_path->setSelectAllChecked(bSelected);
}

void NxFileDialog::sltLogin()
{
    emit sigShowLoginWindow();
}

void NxFileDialog::sltLoginStateChanged(LoginState state)
{
    m_cloud->setLoginState(state);
    if (NxFilePlaces::isCloud(m_history.current().strPass))
        RefreshPath();
}

void NxFileDialog::slotGetFileAndFolderInfo(QString mark, QJsonObject jsonObject)
{
    if (NxFilePlaces::isCloud(m_history.current().strPass))
        m_cloud->takeReply(mark, jsonObject, m_history.current());
}

void NxFileDialog::sltRequestReturn(QString requestUrl, QJsonObject jsonObj, QString)
{
    slotGetFileAndFolderInfo(requestUrl, jsonObj);
}

void NxFileDialog::sltRequestError(QString requestUrl, int errorCode, QString)
{
    m_cloud->takeError(requestUrl, errorCode);
}

void NxFileDialog::slotHttpConnectError()
{
    sltCloudTimeout();
}

void NxFileDialog::sltCloudTimeout()
{
    m_cloud->fail();
}

void NxFileDialog::sltStopOrRenewDownloadFile(QString strID)
{
    qDebug() << "NxFileDialog::sltStopOrRenewDownloadFile" << strID;
    m_cloud->stopLoading();
    RefreshPath();
}

void NxFileDialog::sltCloudFileOpened(QString strID, QString localPath, QString fileName)
{
    m_cloud->stopLoading();
    if (!QFileInfo(localPath).isFile()) {
        m_confirmation->showError(QStringLiteral("ID_RES_FILEISNOTEXIT"));
        RefreshPath();
        return;
    }
    m_chosenPath = localPath;
    m_chosenPaths = QStringList{localPath};
    const HistoryDir& chosen = m_history.chosen();
    const CloudFile file = m_cloud->fileById(strID);
    NxRecentFiles::instance().add({chosen.strPass, chosen.strPath, fileName, strID, file.date, m_listing->recentType()});
    finish(true);
}

CloudFile NxFileDialog::getFileInfoById(const QString& id) const
{
    return m_cloud->fileById(id);
}

CloudFile NxFileDialog::getFileInfoByPath(const QString& path) const
{
    return m_cloud->fileByPath(path);
}

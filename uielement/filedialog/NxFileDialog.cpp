#include "NxFileDialog.h"

#include "DriveButton.h"
#include "INxNativeEvents.h"
#include "INxSystemInfo.h"
#include "NxCloudListing.h"
#include "NxCommonDialogEffect.h"
#include "NxConfig.h"
#include "NxFileDialogFilter.h"
#include "NxFileDialogPass.h"
#include "NxFileDialogPath.h"
#include "NxFileDialogTitle.h"
#include "NxFileDialogView.h"
#include "NxFileDialogViewMode.h"
#include "NxFileFilters.h"
#include "NxFileLister.h"
#include "NxMessageWidget.h"
#include "NxPlatform.h"
#include "NxRecentFiles.h"
#include "NxScale.h"
#include "NxWindowShape.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMovie>
#include <QPainter>
#include <QPropertyAnimation>
#include <QScreen>
#include <QTemporaryFile>
#include <QTimer>

namespace {

const int kCloudTimeoutMs = 15000;
// The white panel's shadow margin and corner, in design pixels.
const int kShadowDesign = 8;
const int kCornerDesign = 6;

const char* const kCloudPaths[] = {"api/rescollect/collectlist", "api/pan/files",       "api/pan/newcreate",
                                   "api/pan/savefile",           "api/pan/savefiles",   "api/pan/wpanfile",
                                   "api/pan/delwpan",            "api/pan/downfile",    "api/pan/filesinfo",
                                   "api/pan/folderchilds",       "api/pan/userpan",     "api/bucket/bucket"};

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
    setWindowFlags(windowFlags() | Qt::Dialog | Qt::FramelessWindowHint);
    m_translucent = NxWindowShape::apply(this, px(kShadowDesign), px(kCornerDesign));
    setWindowModality(Qt::WindowModal);
    setModal(true);
    QDir().mkpath(NxPlatform::systemInfo()->dataRoot() + QStringLiteral("/Maplo/temp"));
    if (QCoreApplication::instance()->property("recentFileDir").toString().isEmpty())
        QCoreApplication::instance()->setProperty(
            "recentFileDir", NxPlatform::systemInfo()->dataRoot() + QStringLiteral("/Maplo/TavomcPresenterPro/recent/"));
    setFixedSize(px(1053), px(616));
    m_isCloud = params.value(QStringLiteral("isCloud")).toBool();
    QFile sheet(QStringLiteral(":/rc/config/NxBrowseDialog.qss"));
    if (sheet.open(QIODevice::ReadOnly))
        setStyleSheet(QString::fromUtf8(sheet.readAll())
                          .arg(px(14))
                          .arg(px(4))
                          .arg(px(18))
                          .arg(px(6)));
    else
        qWarning() << "NxFileDialog: no style sheet resource, default style";

    buildPanes();
    m_cloudTimer = new QTimer(this);
    m_cloudTimer->setSingleShot(true);
    m_cloudTimer->setInterval(kCloudTimeoutMs);
    InitPass(m_isCloud);
    InitSglAndSlot();
    m_waiting = new QMovie(QStringLiteral(":/rc/icon/ID_WAITING.gif"), QByteArray(), this);
    m_waiting->setScaledSize(QSize(px(40), px(40)));
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

void NxFileDialog::InitPass(bool isCloud)
{
    if (isCloud) {
        const bool online = NxConfig::getInstance()->getNetworkStatus();
        for (const char* pass : {"ID_OPEN_CLOUD", "ID_CLOUD_RESOURCE"}) {
            DriveButton* b = m_pass->addPlace(QLatin1String(pass), tr(pass), online ? QStringLiteral(":/rc/icon/ID_CLOUD.png")
                                                                                   : QStringLiteral(":/rc/icon/ID_NET_Disable.png"),
                                              online ? QStringLiteral(":/rc/icon/ID_CLOUD_NOR.png")
                                                     : QStringLiteral(":/rc/icon/ID_NET_Disable.png"));
            b->setEnabled(online);
        }
    }
    m_pass->addPlace(QStringLiteral("ID_OPEN_RECENT"), tr("ID_OPEN_RECENT"), QStringLiteral(":/rc/icon/ID_RECENT.png"),
                     QStringLiteral(":/rc/icon/ID_RECENT_NOR.png"));
    m_pass->addPlace(QStringLiteral("ID_DESKTOP"), tr("ID_DESKTOP"), QStringLiteral(":/rc/icon/ID_SHORTCUT.png"),
                     QStringLiteral(":/rc/icon/ID_SHORTCUT_NOR.png"));
    m_pass->addPlace(QStringLiteral("ID_MY_DOCUMENTS"), tr("ID_MY_DOCUMENTS"), QStringLiteral(":/rc/icon/ID_DOC.png"),
                     QStringLiteral(":/rc/icon/ID_DOC_NOR.png"));
    m_pass->addPlace(QStringLiteral("ID_MY_PICTURE"), tr("ID_MY_PICTURE"), QStringLiteral(":/rc/icon/ID_PIC.png"),
                     QStringLiteral(":/rc/icon/ID_PIC_NOR.png"));
    setDiskListtoPass();
}

void NxFileDialog::setDiskListtoPass()
{
    m_pass->removeDisks();
    m_diskCaptions.clear();
    m_disks = NxFilePlaces::disks();
    for (const NxFilePlaces::Disk& disk : m_disks) {
        m_diskCaptions.insert(disk.pass, disk.caption);
        if (disk.removable)
            m_pass->addPlace(disk.pass, disk.caption, QStringLiteral(":/rc/icon/ID_DISK_U.png"),
                             QStringLiteral(":/rc/icon/ID_DISK_U_NOR.png"));
        else
            m_pass->addPlace(disk.pass, disk.caption, QStringLiteral(":/rc/icon/ID_DISK.png"),
                             QStringLiteral(":/rc/icon/ID_DISK_NOR.png"));
    }
    m_pass->setCurrentPass(m_current.strPass);
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
    connect(m_cloudTimer, &QTimer::timeout, this, &NxFileDialog::sltCloudTimeout);
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
    // Downloads of an earlier showing: its caller has had its file by now.
    clearTempFiles();
    m_filter->setInsertForm(mode == 2);
    m_view->setMultiSelect(m_multiSelect);
    m_path->setSelectAllVisible(m_multiSelect);
    m_view->setThumbnailMode(NxRecentFiles::instance().thumbnailMode());
    m_path->setDisplayMode(NxRecentFiles::instance().thumbnailMode());
    InitFileDialog(type, title, startPass, filter);
    m_filter->show();
    move(NxCommonDialogEffect::centredPosition(size(), parent));
    m_active = true;
    exec();
    return m_chosenPath;
}

bool NxFileDialog::isRemovableDisk(const QString& pass) const
{
    for (const NxFilePlaces::Disk& disk : m_disks) {
        if (disk.pass == pass)
            return disk.removable;
    }
    return false;
}

void NxFileDialog::InitFileDialog(int type, const QString& title, const QString& startPass, const QString& filter)
{
    m_resType = type;
    m_filterText = filter.isEmpty() ? NxFileFilters::filterFor(type) : filter;
    m_patterns = NxFileFilters::patternsOf(NxFileFilters::entries(m_filterText).value(0));
    setDiskListtoPass();
    HistoryDir start = NxFilePlaces::startLocation(startPass, NxFilePlaces::driveNames(m_disks));
    if (start.strPass.isEmpty()) {
        qDebug() << "NxFileDialog::InitFileDialog no place for" << startPass << "- the desktop instead";
        start = {QStringLiteral("ID_DESKTOP"), QString(), QString()};
    }
    // The last folder wins, except over a stick: plugging one in opens it.
    const HistoryDir last = NxRecentFiles::instance().lastFolder();
    if (!last.strPass.isEmpty() && !isRemovableDisk(start.strPass)) {
        if (NxFilePlaces::isCloud(last.strPass) || last.strPass == QLatin1String("ID_OPEN_RECENT")) {
            start = {last.strPass, QString(), QString()};
        } else {
            const QString folder = NxFilePlaces::fullPath(last.strPass, last.strPath);
            if (QFileInfo(folder).isDir()) {
                const HistoryDir disk = NxFilePlaces::getFlagByPath(folder, NxFilePlaces::driveNames(m_disks));
                if (!disk.strPass.isEmpty())
                    start = disk;
            }
        }
    }
    m_title->setTitle(tr(title.toUtf8().constData()));
    m_filter->setFilters(m_filterText);
    if (!m_fileNamePreset)
        m_filter->setFileName(QString());
    m_netIds.clear();
    moveTo(start);
}

void NxFileDialog::pushHistory(const HistoryDir& location)
{
    if (m_history.isEmpty() || !(m_history.first() == location))
        m_history.prepend(location);
}

void NxFileDialog::moveTo(const HistoryDir& location)
{
    m_current = location;
    m_chosen = location;
    m_dirChosen = false;
    pushHistory(location);
    RefreshPath();
}

QString NxFileDialog::placeCaption(const QString& pass) const
{
    if (NxFilePlaces::isDisk(pass))
        return m_diskCaptions.value(pass, pass.mid(NxFilePlaces::kDiskPrefix.size()));
    return tr(pass.toUtf8().constData());
}

void NxFileDialog::RefreshPath()
{
    m_pass->setCurrentPass(m_current.strPass);
    m_path->setEnabled(true);
    // Only going back needs a history; the view switches always work.
    if (QWidget* back = m_path->findChild<QWidget*>(QStringLiteral("prebtn")))
        back->setEnabled(m_history.size() > 1);
    m_path->setLocation(placeCaption(m_current.strPass), m_current.strPass, m_current.strPath, m_netIds);
    m_path->setSelectAllChecked(false);
    m_cloudTimer->stop();
    if (m_current.strPass == QLatin1String("ID_OPEN_RECENT"))
        listRecent();
    else if (NxFilePlaces::isCloud(m_current.strPass))
        listCloud();
    else
        listLocal();
}

void NxFileDialog::listRecent()
{
    auto* entries = new QVector<NxFileEntry>();
    for (const NxRecentFiles::Entry& recent : NxRecentFiles::instance().entries(m_recentType)) {
        if (!m_patterns.contains(NxFileFilters::patternOfName(recent.strName)))
            continue;
        NxFileEntry entry;
        entry.name = recent.strName;
        entry.pass = recent.strPass;
        entry.path = recent.strPath;
        entry.netId = recent.strNetId;
        entry.date = recent.strDate;
        entry.folder = placeCaption(recent.strPass) + (recent.strPath.isEmpty() ? QString() : QLatin1Char('/') + recent.strPath);
        if (!NxFilePlaces::isCloud(recent.strPass)) {
            const QFileInfo info(NxFilePlaces::fullPath(recent.strPass, recent.strPath + QLatin1Char('/') + recent.strName));
            // A file removed since is not offered again.
            if (!info.isFile())
                continue;
            entry.fullPath = info.filePath();
            entry.folder = QDir::toNativeSeparators(info.absolutePath());
            entry.date = NxFileLister::dateText(info.lastModified());
            entry.size = NxFileLister::sizeText(info.size());
        }
        entries->append(entry);
    }
    if (entries->isEmpty()) {
        delete entries;
        m_view->showMessage(tr("ID_RES_NOTOPENFILE"));
        return;
    }
    m_view->setEntries(NxFileEntries(entries), true);
}

void NxFileDialog::listLocal()
{
    const bool followLinks = !NxFilePlaces::isDisk(m_current.strPass);
    auto* entries = new QVector<NxFileEntry>(NxFileLister::list(m_current.strPass, m_current.strPath, m_patterns, followLinks));
    if (entries->isEmpty()) {
        delete entries;
        m_view->showMessage(tr("ID_RES_LISTNULL"));
        return;
    }
    m_view->setEntries(NxFileEntries(entries), true);
}

void NxFileDialog::listCloud()
{
    if (m_loginState != LOGIN_IN) {
        m_view->showMessage(tr("ID_RES_LOGIN"), QString(), true);
        return;
    }
    m_view->showWaiting(m_waiting, tr("ID_ISLOADING"));
    m_cloudTimer->start();
}

void NxFileDialog::sltChangePass(QString strPassId, QString strNetId)
{
    if (!m_fileNamePreset)
        m_filter->setFileName(QString());
    clearTempFiles();
    m_netIds.clear();
    moveTo({strPassId, QString(), strNetId});
}

void NxFileDialog::sltChangePath(QString strPass, QString strPath, QString strFileNetId)
{
    if (!strFileNetId.isEmpty())
        m_netIds.append(strFileNetId);
    moveTo({strPass, strPath, strFileNetId});
}

void NxFileDialog::sltPathChangePath(QString strPass, QString strPath, QString strFileNetId)
{
    const int level = strPath.split(QLatin1Char('/'), Qt::SkipEmptyParts).size();
    while (m_netIds.size() > level)
        m_netIds.removeLast();
    moveTo({strPass, strPath, strFileNetId});
}

void NxFileDialog::sltBackHistory()
{
    if (m_history.size() <= 1) {
        RefreshPath();
        return;
    }
    m_history.removeFirst();
    m_current = m_history.first();
    m_chosen = m_current;
    RefreshPath();
}

void NxFileDialog::sltSelectedFile(QString strPass, QString strPath, QString strFileName, QString strFileNetId, QString)
{
    m_chosen = {strPass, strPath, strFileNetId};
    m_dirChosen = false;
    if (!m_fileNamePreset)
        m_filter->setFileName(strFileName);
}

void NxFileDialog::sltSelectDir(QString strPass, QString strPath, QString strFileNetId)
{
    if (!m_fileNamePreset)
        return;
    m_chosen = {strPass, strPath, strFileNetId};
    m_dirChosen = true;
}

void NxFileDialog::slotOpenFile(QString strPass, QString strPath, QString strFileName, QString strFileNetId)
{
    m_openedByDoubleClick = true;
    m_chosen = {strPass, strPath, strFileNetId};
    m_filter->setFileName(strFileName);
    sltOk();
    m_openedByDoubleClick = false;
}

void NxFileDialog::slotMultiSelectedFile(bool, QString strPass, QString strPath, QString, QString strFileNetId, QString)
{
    m_chosen = {strPass, strPath, strFileNetId};
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
    m_patterns = NxFileFilters::patternsOf(strFilter);
    RefreshPath();
}

QString NxFileDialog::checkFileNameValid(const QString& name)
{
    if (name.isEmpty())
        return QStringLiteral("ID_RES_SELECTFILE");
    for (QChar c : QStringLiteral(":?\"\\/*<>|")) {
        if (name.contains(c))
            return QStringLiteral("ID_RES_SPECIAL");
    }
    return QString();
}

QList<int> NxFileDialog::chosenRows() const
{
    // A double tap names one row exactly: the folder it came with.
    return m_openedByDoubleClick || !m_view->isShowingEntries() ? QList<int>() : m_view->currentMode()->selectedIndexes();
}

const NxFileEntry* NxFileDialog::findListed(const QString& name, QList<int>& rows) const
{
    if (!m_view->isShowingEntries())
        return nullptr;
    const NxFileEntries entries = m_view->entries();
    const bool bare = QFileInfo(name).suffix().isEmpty();
    const auto stands = [&](const NxFileEntry& entry) {
        return !entry.isDir && (entry.name == name || (bare && QFileInfo(entry.name).completeBaseName() == name));
    };
    for (int i = 0; i < rows.size(); ++i) {
        const NxFileEntry& entry = entries->at(rows.at(i));
        if (stands(entry)) {
            rows.removeAt(i);
            return &entry;
        }
    }
    const NxFileEntry* first = nullptr;
    for (const NxFileEntry& entry : *entries) {
        if (!stands(entry))
            continue;
        if (entry.pass == m_chosen.strPass && entry.path == m_chosen.strPath)
            return &entry;
        if (!first)
            first = &entry;
    }
    return first;
}

bool NxFileDialog::matchesFilter(const QString& name) const
{
    return m_patterns.isEmpty() || QDir::match(m_patterns, name);
}

void NxFileDialog::sltOk()
{
    if (NxFilePlaces::isCloud(m_chosen.strPass)) {
        openCloudFile();
        return;
    }
    if (m_mode == 1)
        saveLocalFile();
    else
        openInsertLocalFile();
}

void NxFileDialog::openInsertLocalFile()
{
    const QString text = m_filter->fileName().trimmed();
    const QStringList names = m_multiSelect ? text.split(QLatin1Char('/'), Qt::SkipEmptyParts) : QStringList{text};
    QStringList paths;
    QList<NxRecentFiles::Entry> recents;
    QList<int> rows = chosenRows();
    for (const QString& typed : names.isEmpty() ? QStringList{QString()} : names) {
        const QString problem = checkFileNameValid(typed);
        if (!problem.isEmpty()) {
            showErrorDialog(problem);
            return;
        }
        HistoryDir folder = m_chosen;
        QString name = typed;
        if (const NxFileEntry* listed = findListed(typed, rows)) {
            folder = {listed->pass, listed->path, listed->netId};
            name = listed->name;
        }
        const QString full = NxFilePlaces::fullPath(folder.strPass, folder.strPath + QLatin1Char('/') + name);
        if (QFileInfo(name).suffix().isEmpty() || !QFileInfo(full).isFile()) {
            showErrorDialog(QStringLiteral("ID_RES_FILEISNOTEXIT"));
            return;
        }
        // The caller hands the file to the shell: setup.exe must not pass as a video.
        if (!matchesFilter(name)) {
            qDebug() << "NxFileDialog::openInsertLocalFile" << name << "is outside the filter" << m_patterns;
            shake();
            return;
        }
        paths.append(full);
        recents.append({folder.strPass, folder.strPath, name, folder.strNetId, QString(), m_recentType});
    }
    m_chosenPath = paths.first();
    m_chosenPaths = paths;
    for (const NxRecentFiles::Entry& entry : recents)
        NxRecentFiles::instance().add(entry);
    finish(true);
}

void NxFileDialog::openCloudFile()
{
    const QString name = m_filter->fileName().trimmed();
    const QString problem = checkFileNameValid(name);
    if (!problem.isEmpty()) {
        showErrorDialog(problem);
        return;
    }
    if (m_loginState != LOGIN_IN) {
        showErrorDialog(QStringLiteral("ID_SYSTEM_HELP_FEEDBACK_NOUSER"));
        return;
    }
    QList<int> rows = chosenRows();
    const NxFileEntry* listed = findListed(name, rows);
    const CloudFile file = listed ? getFileInfoById(listed->netId) : CloudFile();
    if (file.id.isEmpty()) {
        showErrorDialog(QStringLiteral("ID_RES_FILEISNOTEXIT"));
        return;
    }
    m_view->showWaiting(m_waiting, tr("ID_ISLOADING"));
    emit signalClickCloudResource(file.fullPath, listed->name);
}

QString NxFileDialog::addFileSuffix(const QString& name) const
{
    if (!QFileInfo(name).suffix().isEmpty())
        return name;
    const QString pattern = m_patterns.value(0);
    const QString suffix = pattern.startsWith(QLatin1String("*.")) ? pattern.mid(2) : QString();
    return suffix.isEmpty() || suffix.contains(QLatin1Char('*')) ? name : name + QLatin1Char('.') + suffix;
}

// A probe of our own name, so no file of the teacher's is ever touched.
bool NxFileDialog::isFolderWritable(const QString& folder)
{
    QTemporaryFile probe(folder + QStringLiteral("/test_XXXXXX.txt"));
    return probe.open();
}

void NxFileDialog::saveLocalFile()
{
    const QString typed = m_filter->fileName().trimmed();
    const QString problem = checkFileNameValid(typed);
    if (!problem.isEmpty()) {
        showErrorDialog(problem);
        return;
    }
    const QString name = addFileSuffix(typed);
    const HistoryDir target = m_dirChosen ? m_chosen : lastRealFolder();
    const QString folder = NxFilePlaces::fullPath(target.strPass, target.strPath);
    if (m_checkFolder && !QFileInfo(folder).isDir()) {
        showErrorDialog(QStringLiteral("ID_RES_FILEISNOTEXIT"));
        return;
    }
    if (!isFolderWritable(folder)) {
        showErrorDialog(QStringLiteral("ID_FILE_SAVE_DISK_READONLY"));
        return;
    }
    const QString full = folder + QLatin1Char('/') + name;
    if (QFileInfo::exists(full) && !askQuestion(QStringLiteral("ID_RES_FILEEXIT")))
        return;
    m_chosenPath = full;
    m_chosenPaths = QStringList{full};
    m_saveStatus = true;
    finish(true);
}

// The recent list is no folder to save into: the last folder shown is.
HistoryDir NxFileDialog::lastRealFolder() const
{
    for (const HistoryDir& visited : m_history) {
        if (visited.strPass != QLatin1String("ID_OPEN_RECENT") && !NxFilePlaces::isCloud(visited.strPass))
            return visited;
    }
    return {QStringLiteral("ID_DESKTOP"), QString(), QString()};
}

void NxFileDialog::showErrorDialog(const QString& key)
{
    qDebug() << "NxFileDialog::showErrorDialog" << key;
    NxMessageWidget message(this, m_scale, 2, true);
    message.setCloseBtnPixName(QStringLiteral(":/rc/icon/pop_top_close"));
    message.setTitleText(tr("ID_MEDIA_EXPORT_FAIL_TIP"));
    message.setCancelBtnVisible(false);
    message.setMessageInfo(QString(), QString(), tr(key.toUtf8().constData()));
    message.exec();
}

bool NxFileDialog::askQuestion(const QString& key)
{
    NxMessageWidget message(this, m_scale, 2, true);
    message.setCloseBtnPixName(QStringLiteral(":/rc/icon/pop_top_close"));
    message.setTitleText(tr("ID_MEDIA_EXPORT_FAIL_TIP"));
    message.setMessageInfo(QString(), QString(), tr(key.toUtf8().constData()));
    return message.exec() == QDialog::Accepted;
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
    if (event->type() == QEvent::ActivationChange && !NxPlatform::nativeEvents()->reportsCaptionActivation())
        changeDialogEffect(isActiveWindow());
}

bool NxFileDialog::nativeEvent(const QByteArray& eventType, void* message, long* result)
{
    const NxNativeMessage decoded = NxPlatform::nativeEvents()->decode(eventType, message);
    if (decoded.kind == NxNativeMessage::CaptionActivation)
        changeDialogEffect(decoded.active);
    return QDialog::nativeEvent(eventType, message, result);
}

void NxFileDialog::changeDialogEffect(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    const int offset = NxCommonDialogEffect::nudgeOffset(m_scale);
    move(x() + (active ? -offset : offset), y());
}

void NxFileDialog::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_translucent) {
        NxWindowShape::paintPanel(this, painter, Qt::white);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const int shadow = px(kShadowDesign);
    for (int i = 0; i < shadow; ++i) {
        painter.setPen(QColor(0, 0, 0, qMax(0, 36 - i * 36 / qMax(1, shadow))));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(shadow - i, shadow - i, i - shadow, i - shadow), 6 + i, 6 + i);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(rect().adjusted(shadow, shadow, -shadow, -shadow), px(kCornerDesign), px(kCornerDesign));
}

void NxFileDialog::shake()
{
    auto* animation = new QPropertyAnimation(this, "geometry", this);
    const QRect home = geometry();
    const int step = px(10);
    animation->setDuration(500);
    for (int i = 1; i < 8; ++i)
        animation->setKeyValueAt(i / 8.0, home.translated(i % 2 ? step : -step, 0));
    animation->setStartValue(home);
    animation->setEndValue(home);
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

bool NxFileDialog::GetSaveStatus() const
{
    return m_saveStatus;
}

QString NxFileDialog::GetFileType() const
{
    return m_current.strPass;
}

void NxFileDialog::SetFileName(const QString& name)
{
    m_fileNamePreset = !name.isEmpty();
    m_fileName = name;
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
    m_recentType = type;
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
    setDiskListtoPass();
    const QString pass = NxFilePlaces::diskPass(name);
    m_usbPasses.removeAll(pass);
    if (!remove) {
        m_usbPasses.append(pass);
        m_netIds.clear();
        moveTo({pass, QString(), QString()});
        return;
    }
    // Going back must never lead onto the stick that is gone.
    for (int i = m_history.size() - 1; i >= 0 && m_history.size() > 1; --i) {
        if (m_history.at(i).strPass == pass)
            m_history.removeAt(i);
    }
    if (m_current.strPass == pass)
        moveTo({m_usbPasses.isEmpty() ? QStringLiteral("ID_DESKTOP") : m_usbPasses.last(), QString(), QString()});
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
    m_loginState = state;
    if (NxFilePlaces::isCloud(m_current.strPass))
        RefreshPath();
}

void NxFileDialog::slotGetFileAndFolderInfo(QString mark, QJsonObject jsonObject)
{
    if (!NxFilePlaces::isCloud(m_current.strPass))
        return;
    NxCloudListing::Result result;
    if (mark == QLatin1String("api/pan/files"))
        result = NxCloudListing::parseDisk(jsonObject, m_current.strPass, m_current.strPath);
    else if (mark == QLatin1String("api/rescollect/collectlist"))
        result = NxCloudListing::parseResources(jsonObject, m_current.strPass, m_current.strPath);
    else
        return;
    m_cloudTimer->stop();
    m_waiting->stop();
    if (!result.success) {
        sltCloudTimeout();
        return;
    }
    m_cloudFiles = result.files;
    if (result.entries.isEmpty()) {
        m_view->showMessage(tr("ID_RES_LISTNULL"));
        return;
    }
    m_view->setEntries(NxFileEntries(new QVector<NxFileEntry>(result.entries)), false);
}

void NxFileDialog::sltRequestReturn(QString requestUrl, QJsonObject jsonObj, QString)
{
    slotGetFileAndFolderInfo(requestUrl, jsonObj);
}

void NxFileDialog::sltRequestError(QString requestUrl, int errorCode, QString)
{
    for (const char* path : kCloudPaths) {
        if (requestUrl.contains(QLatin1String(path))) {
            qDebug() << "NxFileDialog::sltRequestError" << requestUrl << errorCode;
            sltCloudTimeout();
            return;
        }
    }
}

void NxFileDialog::slotHttpConnectError()
{
    sltCloudTimeout();
}

void NxFileDialog::sltCloudTimeout()
{
    m_cloudTimer->stop();
    m_waiting->stop();
    m_view->showMessage(tr("ID_RES_NETERROR"), QStringLiteral(":/rc/icon/ID_OFFLINE.png"));
}

void NxFileDialog::sltStopOrRenewDownloadFile(QString strID)
{
    qDebug() << "NxFileDialog::sltStopOrRenewDownloadFile" << strID;
    m_waiting->stop();
    RefreshPath();
}

void NxFileDialog::sltCloudFileOpened(QString strID, QString localPath, QString fileName)
{
    m_waiting->stop();
    if (!QFileInfo(localPath).isFile()) {
        showErrorDialog(QStringLiteral("ID_RES_FILEISNOTEXIT"));
        RefreshPath();
        return;
    }
    m_chosenPath = localPath;
    m_chosenPaths = QStringList{localPath};
    const CloudFile file = getFileInfoById(strID);
    NxRecentFiles::instance().add({m_chosen.strPass, m_chosen.strPath, fileName, strID, file.date, m_recentType});
    finish(true);
}

CloudFile NxFileDialog::getFileInfoById(const QString& id) const
{
    for (const CloudFile& file : m_cloudFiles) {
        if (file.id == id)
            return file;
    }
    return CloudFile();
}

CloudFile NxFileDialog::getFileInfoByPath(const QString& path) const
{
    for (const CloudFile& file : m_cloudFiles) {
        if (file.fullPath == path)
            return file;
    }
    return CloudFile();
}

QString NxFileDialog::cloudTempDir()
{
    return NxPlatform::systemInfo()->dataRoot() + QStringLiteral("/Maplo/temp/cloud");
}

void NxFileDialog::clearTempFiles()
{
    QDir dir(cloudTempDir());
    if (!dir.exists())
        return;
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::System)) {
        const bool removed = info.isDir() && !info.isSymLink() ? QDir(info.filePath()).removeRecursively()
                                                               : QFile::remove(info.filePath());
        if (!removed)
            qDebug() << "NxFileDialog::clearTempFiles cannot remove" << info.filePath();
    }
}

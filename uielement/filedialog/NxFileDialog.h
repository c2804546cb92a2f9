#pragma once

#include "NxFileDialogTypes.h"
#include "NxFilePlaces.h"
#include "NxWidgetBase.h"
#include "TavoUIElementGlobal.h"

#include <QDialog>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QStringList>
#include <QVariant>
#include <QVector>

class NxFileDialogFilter;
class NxFileDialogPass;
class NxFileDialogPath;
class NxFileDialogTitle;
class NxFileDialogView;
class QMovie;
class QTimer;

// The system's own touch file chooser: places on the left, an address bar,
// a list or thumbnail view and a bottom row with name, filter and OK.
// One Get... call per showing runs it modally and returns the choice.
class TAVOUIELEMENT_EXPORT NxFileDialog : public QDialog
{
    Q_OBJECT

public:
    NxFileDialog(QMap<QString, QVariant>& params, QWidget* parent);
    ~NxFileDialog() override;

    QString GetOpenFilePath(QWidget* parent, EnumResType type, const QString& title, const QString& startPass,
                            const QString& filter);
    QString GetSaveFilePath(QWidget* parent, EnumResType type, const QString& title, const QString& startPass,
                            const QString& filter);
    QString GetInsertFilePath(QWidget* parent, EnumResType type, const QString& title, const QString& startPass,
                              const QString& filter);
    QStringList GetInsertFilePathMultiSel(QWidget* parent, EnumResType type, const QString& title,
                                          const QString& startPass, const QString& filter);

    bool GetSaveStatus() const;
    QString GetFileType() const;
    void SetFileName(const QString& name);
    void setMultiSelectMode();
    void setCheckFolder(bool on);
    void setRecentFileType(const QString& type);
    // Forgets the recent lists read so far; they are read again when shown.
    static void reset();
    void shake();
    void updateUDisk(const QString& drive, bool isRemove);
    void changeDialogEffect(bool active);
    CloudFile getFileInfoById(const QString& id) const;
    CloudFile getFileInfoByPath(const QString& path) const;

    HistoryDir currentLocation() const { return m_current; }
    // The disk places and their captions, in the column's order.
    QList<NxFilePlaces::Disk> disks() const { return m_disks; }

signals:
    void sigShowLoginWindow();
    void signalClickCloudResource(QString strFilePath, QString strFileName);

private slots:
    void sltChangeFilter(QString strFilter);
    void sltBackHistory();
    void sltClose();
    void sltOk();
    void slotHttpConnectError();
    void slotGetFileAndFolderInfo(QString mark, QJsonObject jsonObject);
    void sltCloudTimeout();
    void sltChangePass(QString strPassId, QString strNetId);
    void sltPathChangePath(QString strPass, QString strPath, QString strFileNetId);
    void sltChangePath(QString strPass, QString strPath, QString strFileNetId);
    void sltSelectedFile(QString strPass, QString strPath, QString strFileName, QString strFileNetId, QString strFileNum);
    void slotOpenFile(QString strPass, QString strPath, QString strFileName, QString strFileNetId);
    void sltSelectDir(QString strPass, QString strPath, QString strFileNetId);
    void sltLogin();
    void sltLoginStateChanged(LoginState state);
    void slotDisplayModeChanged(bool bMode);
    void slotSelAllStatusChanged(bool bSelAll);
    void slotCancelSelAll();
    void slotMultiUnselectAll();
    void sltRequestReturn(QString requestUrl, QJsonObject jsonObj, QString extra);
    void sltRequestError(QString requestUrl, int errorCode, QString extra);
    void slotItemListSelectedAll(bool bSelected);
    void slotItemThumbSelectedAll(bool bSelected);
    void slotUDiskStateChanged(QString name, bool remove);
    void sltStopOrRenewDownloadFile(QString strID);
    void sltCloudFileOpened(QString strID, QString localPath, QString fileName);
    void slotMultiSelectedFile(bool bFile, QString strPass, QString strPath, QString strFileName, QString strFileNetId,
                               QString sFileNum);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool nativeEvent(const QByteArray& eventType, void* message, long* result) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int px(double design) const;
    void buildPanes();
    void InitPass(bool isCloud);
    void setDiskListtoPass();
    void InitSglAndSlot();
    void InitFileDialog(int type, const QString& title, const QString& startPass, const QString& filter);
    QString run(int mode, QWidget* parent, int type, const QString& title, const QString& startPass, const QString& filter);
    void RefreshPath();
    void listRecent();
    void listLocal();
    void listCloud();
    void moveTo(const HistoryDir& location);
    void pushHistory(const HistoryDir& location);
    QString placeCaption(const QString& pass) const;
    bool isRemovableDisk(const QString& pass) const;

    void openInsertLocalFile();
    void openCloudFile();
    void saveLocalFile();
    // The translation key of what is wrong with the name; empty when fine.
    static QString checkFileNameValid(const QString& name);
    QString addFileSuffix(const QString& name) const;
    // The rows chosen by tap, for the typed names to stand for.
    QList<int> chosenRows() const;
    // The listed file a typed name stands for (a name without suffix stands
    // for a file of that base name): a chosen row first, taken out of rows
    // (rows of the recent list may share a name), then one in the folder
    // tapped last, then the first; null when none.
    const NxFileEntry* findListed(const QString& name, QList<int>& rows) const;
    bool matchesFilter(const QString& name) const;
    HistoryDir lastRealFolder() const;
    static bool isFolderWritable(const QString& folder);
    void showErrorDialog(const QString& key);
    bool askQuestion(const QString& key);
    void finish(bool accepted);
    void clearTempFiles();
    static QString cloudTempDir();
    void updateMultiNames();

    NxWidgetBase m_base;
    double m_scale;
    NxFileDialogTitle* m_title = nullptr;
    NxFileDialogPass* m_pass = nullptr;
    NxFileDialogPath* m_path = nullptr;
    NxFileDialogView* m_view = nullptr;
    NxFileDialogFilter* m_filter = nullptr;
    QTimer* m_cloudTimer = nullptr;
    int m_mode = 0;
    HistoryDir m_current;
    HistoryDir m_chosen;
    QString m_chosenPath;
    QStringList m_chosenPaths;
    QString m_fileName;
    QStringList m_patterns;
    QList<HistoryDir> m_history;
    QStringList m_netIds;
    QMap<QString, QString> m_diskCaptions;
    bool m_active = true;
    // Drawn with its shadow margin on a see-through window.
    bool m_translucent = true;
    QMovie* m_waiting = nullptr;
    bool m_openedByDoubleClick = false;
    bool m_multiSelect = false;
    bool m_fileNamePreset = false;
    bool m_dirChosen = false;
    bool m_checkFolder = false;
    QString m_recentType = QStringLiteral("courseware");
    int m_resType = RES_MEDIA;
    QStringList m_usbPasses;

    bool m_isCloud = false;
    bool m_saveStatus = false;
    LoginState m_loginState = LOGIN_OUT;
    QString m_filterText;
    QList<NxFilePlaces::Disk> m_disks;
    QList<CloudFile> m_cloudFiles;
};

#pragma once

#include "NxFileDialogHistory.h"
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

#include <memory>

class NxFileDialogCloud;
class NxFileDialogConfirmation;
class NxFileDialogFilter;
class NxFileDialogFrame;
class NxFileDialogListing;
class NxFileDialogPass;
class NxFileDialogPath;
class NxFileDialogPlaces;
class NxFileDialogTitle;
class NxFileDialogView;

// The system's own touch file chooser: places on the left, an address bar,
// a list or thumbnail view and a bottom row with name, filter and OK.
// One Get... call per showing runs it modally and returns the choice.
// Its window, places, history, listing, cloud places and what OK does are
// each a class of their own, which the dialog wires to its panes.
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

    HistoryDir currentLocation() const { return m_history.current(); }
    // The disk places and their captions, in the column's order.
    QList<NxFilePlaces::Disk> disks() const;

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
    void InitSglAndSlot();
    void InitFileDialog(int type, const QString& title, const QString& startPass, const QString& filter);
    QString run(int mode, QWidget* parent, int type, const QString& title, const QString& startPass, const QString& filter);
    void RefreshPath();
    void finish(bool accepted);
    void updateMultiNames();

    NxWidgetBase m_base;
    double m_scale;
    NxFileDialogTitle* m_title = nullptr;
    NxFileDialogPass* m_pass = nullptr;
    NxFileDialogPath* m_path = nullptr;
    NxFileDialogView* m_view = nullptr;
    NxFileDialogFilter* m_filter = nullptr;
    std::unique_ptr<NxFileDialogFrame> m_frame;
    NxFileDialogHistory m_history;
    std::unique_ptr<NxFileDialogPlaces> m_places;
    std::unique_ptr<NxFileDialogListing> m_listing;
    NxFileDialogCloud* m_cloud = nullptr;
    std::unique_ptr<NxFileDialogConfirmation> m_confirmation;
    int m_mode = 0;
    QString m_chosenPath;
    QStringList m_chosenPaths;
    bool m_openedByDoubleClick = false;
    bool m_multiSelect = false;
    bool m_fileNamePreset = false;
    bool m_checkFolder = false;
    bool m_saveStatus = false;
};

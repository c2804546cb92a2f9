#pragma once

#include <QList>
#include <QStringList>
#include <QWidget>

class AddressButton;
class QCheckBox;
class QHBoxLayout;
class QLabel;
class QPushButton;

// The address bar: back, the segments of the current location, select-all
// in multi-selection, and the list and thumbnail switches.
class NxFileDialogPath : public QWidget
{
    Q_OBJECT

public:
    NxFileDialogPath(QWidget* parent, double scale);

    // netIds: the cloud id of each level below the place, when known.
    void setLocation(const QString& placeCaption, const QString& pass, const QString& path, const QStringList& netIds);
    void setSelectAllVisible(bool on);
    void setSelectAllChecked(bool on);
    void setDisplayMode(bool thumbnail);
    bool isThumbnailMode() const;
    QList<AddressButton*> segments() const { return m_segments; }

signals:
    void sgl_BackHistory();
    void sgl_ChangePath(QString strPass, QString strPath, QString strFileNetId);
    void sigSelAllStatusChanged(bool bStatus);
    void sigCurDisplayMode(bool bMode);

public slots:
    void slotChangeListMode();
    void slotChangeThumbMode();
    void slotChangeSelectAllStatus();
    void slotSetUnSelectAllStatus();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QPushButton* makeModeButton(const QString& objectName);
    void clearSegments();
    void fitSegments();

    double m_scale;
    QPushButton* m_backBtn = nullptr;
    QWidget* m_segmentBox = nullptr;
    QHBoxLayout* m_segmentLayout = nullptr;
    QList<AddressButton*> m_segments;
    QList<QLabel*> m_arrows;
    QCheckBox* m_selectAll = nullptr;
    QPushButton* m_listBtn = nullptr;
    QPushButton* m_thumbBtn = nullptr;
};

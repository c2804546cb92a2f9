#pragma once

#include "TavoUIElementGlobal.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QWidget>

class INxControllerManager;
class NxGridWidget;
class QLabel;
class QPushButton;

// A full-screen channel page: a title, a scrolling grid of tiles and a
// return button, with the flow for adding and deleting channels of one's own
// (on this panel, or on the cloud for a signed-in teacher).
class TAVOUIELEMENT_EXPORT NxChannelListWidget : public QWidget
{
    Q_OBJECT

public:
    NxChannelListWidget(bool supportAdd, bool storeOnWeb, bool splitByFrom, QWidget* parent = nullptr);

    void setParam(int width, int height, int tileWidth, int tileHeight, int rows, int columns);
    void setData(QJsonArray first, QJsonArray second, bool loaded);
    QJsonArray getWebData() const;
    QJsonArray getLocalData() const;
    void setTitle(QString title);
    void showList(bool loaded);
    void setControlManager(INxControllerManager* mgr);
    // For a deletion, id names the deleted channels (comma-separated).
    void setChannelAddDelResult(bool bAdd, int nResult, QString id);
    // The pages' return button; the caller connects its click.
    static QPushButton* createReturnButton(QWidget* parent, double scale);

signals:
    void sigReturn();
    void sigChannelItemClicked(QJsonObject json);
    void sigChannelAdded(QJsonObject json);
    void sigDelChannel(QJsonObject json);

public slots:
    void slotAddCustomChannel();
    void slotDoAddChannel(QJsonObject json);
    void slotDelChannel(bool bLocal, QJsonObject json);

private:
    int px(double design) const;
    void buildPage();
    void removeLocalByUrl(const QString& url);
    void addedOnCloud(const QString& id);
    void deletionAnswered(bool deleted, const QString& ids);

    bool m_supportAdd = false;
    bool m_storeOnWeb = false;
    bool m_splitByFrom = false;
    double m_scale = 1.0;
    QRect m_desktop;
    QJsonObject m_pendingAdd;
    // Cloud deletions asked for and not yet answered, oldest first.
    QList<QJsonObject> m_pendingDeletes;
    QJsonArray m_localChannels;
    QJsonArray m_webChannels;
    QLabel* m_title = nullptr;
    NxGridWidget* m_grid = nullptr;
    INxControllerManager* m_controlManager = nullptr;
};

#pragma once

#include "TavoUIElementGlobal.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QVector>
#include <QWidget>

class INxControllerManager;
class NxAddChanelWidget;
class NxChannelWidget;
class QGridLayout;
class QScrollArea;

// Tiles in a fixed number of columns, optionally in a scroll area. Tiles of
// the cloud ("web") keep their cells; the teacher's own ("local") are packed
// after them, followed by the "add" tile.
class TAVOUIELEMENT_EXPORT NxGridWidget : public QWidget
{
    Q_OBJECT

public:
    NxGridWidget(bool withScroll, QWidget* parent = nullptr);

    void setBaseParam(int width, int height, int tileWidth, int tileHeight, int rows, int columns);
    void setSupportAdd(bool on);
    void setMarkLabelVisable(bool on);
    void setNeedCheckNetwork(bool on);
    void setControlManager(INxControllerManager* mgr);

    void setData(QJsonArray channels, bool loaded);
    void addChannel(QJsonObject channel, bool announce);
    void deleteChannelSucess();
    void renewChannelStatus(const QMap<QString, QJsonObject>& added);

    int getChannelCount() const;
    // The spacing between cells for a width, a tile width and a column count.
    static int cellSpacing(int width, int tileWidth, int columns);

signals:
    void sigChannelItemClicked(QJsonObject json);
    void sigAddChannelClicked(QJsonObject json);
    void sigAddCustomChannel();
    void sigChannelAdded(QJsonObject json);
    void sigDelChannel(bool isLocal, QJsonObject json);

public slots:
    void slotAddChannel(QJsonObject json);
    void slotDelChannel(QJsonObject json);

private:
    void buildPage();
    NxChannelWidget* createTile(QJsonObject channel);
    void place(QWidget* widget, int cell);
    void takeOut(QWidget* widget);
    int firstFreeCell() const;
    void placeAddTile();
    void removeLocal();
    void clear();

    int m_width = 0;
    int m_height = 0;
    int m_tileWidth = 0;
    int m_tileHeight = 0;
    int m_columns = 1;
    bool m_withScroll = false;
    bool m_supportAdd = false;
    bool m_markVisible = false;
    bool m_needCheckNetwork = false;
    int m_channelCount = 0;
    QList<NxChannelWidget*> m_webTiles;
    QList<NxChannelWidget*> m_localTiles;
    QJsonObject m_pending;
    NxAddChanelWidget* m_addTile = nullptr;
    QWidget* m_content = nullptr;
    QScrollArea* m_scrollArea = nullptr;
    QGridLayout* m_layout = nullptr;
    // Which widget sits in which cell, row by row.
    QVector<QWidget*> m_cells;
    INxControllerManager* m_controlManager = nullptr;
};

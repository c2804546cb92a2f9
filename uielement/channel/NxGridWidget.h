#pragma once

#include "TavoUIElementGlobal.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QPointer>
#include <QSet>
#include <QVector>
#include <QWidget>

class INxControllerManager;
class NxAddChanelWidget;
class NxChannelWidget;
class QAbstractScrollArea;
class QScrollArea;

// Tiles in a fixed number of columns, optionally in a scroll area. Tiles of
// the cloud ("web") come first; the teacher's own ("local") are packed after
// them, followed by the "add" tile. A catalogue may hold thousands of
// channels: they are kept as data, and only the cells within a screen of the
// visible part (of this grid's scroll area, or of the one it sits in) exist
// as tile widgets, made when they come near and let go when they leave.
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
    // The cloud's answer to a deletion: of the channel named, or without a
    // name of the oldest one asked for.
    void deleteChannelSucess();
    void deleteChannelSucess(const QString& channelId);
    void deleteChannelFailed(const QString& channelId);
    void renewChannelStatus(const QMap<QString, QJsonObject>& added);

    int getChannelCount() const;
    // The cell a tile (or the "add" tile) sits in, -1 for none.
    int cellOf(const QWidget* tile) const;
    // Tile widgets that exist now.
    int livingTiles() const;
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

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private slots:
    void slotViewMoved();

private:
    enum class Origin { Web, Local, Other };
    struct Entry {
        QJsonObject channel;
        QString id;
        Origin origin = Origin::Other;
        NxChannelWidget* tile = nullptr;
    };
    struct Range {
        int first = 0;
        int last = -1;
        bool contains(int cell) const { return cell >= first && cell <= last; }
    };

    void buildPage();
    static Entry entryFor(const QJsonObject& channel);
    NxChannelWidget* createTile(const Entry& entry);
    void release(Entry& entry);
    void clear();
    void removeLocal(const QString& channelId);
    void repack();
    void relayout();
    QRect cellRect(int cell) const;
    int rowStep() const;
    void sizeContent();
    void placeAddTile();
    void follow(QAbstractScrollArea* area);
    QAbstractScrollArea* enclosingArea() const;
    QRect viewArea() const;
    Range wanted(Range* onScreen) const;
    void queueMaterialise();
    void materialise();
    bool isMarked(const Entry& entry) const;

    int m_width = 0;
    int m_height = 0;
    int m_tileWidth = 0;
    int m_tileHeight = 0;
    int m_columns = 1;
    int m_spacing = 0;
    bool m_withScroll = false;
    bool m_supportAdd = false;
    bool m_markVisible = false;
    bool m_needCheckNetwork = false;
    bool m_filled = false;
    bool m_marksKnown = false;
    bool m_materialiseQueued = false;
    int m_channelCount = 0;
    QVector<Entry> m_entries;
    // Cells whose entry has a tile now.
    QVector<int> m_living;
    QSet<QString> m_added;
    // Cloud deletions asked for and not yet answered, oldest first.
    QList<QJsonObject> m_pendingDeletions;
    NxAddChanelWidget* m_addTile = nullptr;
    QWidget* m_content = nullptr;
    QScrollArea* m_scrollArea = nullptr;
    QPointer<QAbstractScrollArea> m_followed;
    INxControllerManager* m_controlManager = nullptr;
};

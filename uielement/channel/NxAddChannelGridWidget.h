#pragma once

#include "TavoUIElementGlobal.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QWidget>

class INxControllerManager;
class NxAddChanelWidget;
class QGridLayout;

// A fixed grid of home-page slots: each shows an "add" panel until a
// channel is placed in it.
class TAVOUIELEMENT_EXPORT NxAddChannelGridWidget : public QWidget
{
    Q_OBJECT

public:
    explicit NxAddChannelGridWidget(QWidget* parent = nullptr);

    void setBaseParam(int width, int height, int tileWidth, int tileHeight, int rows, int columns);
    // One slot per element; the slots are built anew only for a new count.
    void setData(QJsonArray slotData);
    void setChannelMode(int index, const QJsonObject& channel);
    void setAddMode(int index);
    // Slots that show a channel.
    int getChannelCount() const;
    void setControlManager(INxControllerManager* mgr);

signals:
    void sigAddChannelClicked(QJsonObject json);
    void sigDelChannel(QJsonObject json);
    void sigWidgetClicked(QJsonObject json);

private:
    int px(double design) const;
    NxAddChanelWidget* slotAt(int index, const char* caller) const;
    void clearSlots();

    QList<NxAddChanelWidget*> m_slots;
    int m_slotCount = 1;
    bool m_built = false;
    int m_channelCount = 0;
    int m_tileWidth = 0;
    int m_tileHeight = 0;
    int m_columns = 1;
    double m_scale = 1.0;
    INxControllerManager* m_controlManager = nullptr;
    QWidget* m_content = nullptr;
    QGridLayout* m_layout = nullptr;
};

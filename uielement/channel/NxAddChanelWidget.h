#pragma once

#include "NxChannelWidget.h"

class QLabel;

// A slot that shows either an "add" panel (a plus and a caption) or, once a
// channel is placed in it, that channel as an ordinary tile.
class TAVOUIELEMENT_EXPORT NxAddChanelWidget : public NxChannelWidget
{
    Q_OBJECT

public:
    explicit NxAddChanelWidget(QWidget* parent = nullptr);

    void setWidgetSize(int w, int h);
    void setData(QJsonObject json);
    using NxChannelWidget::setItem;
    void setItem(QJsonObject json) override;
    void setAddMode();
    bool isChannelMode() const;

signals:
    void sigAddChannelClicked(QJsonObject json);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int px(double design) const;

    double m_scale = 1.0;
    QWidget* m_pBackWidget = nullptr;
    QLabel* m_nameLabel = nullptr;
    QJsonObject m_panelData;
    NxPointerTrack m_press;
    bool m_delShownOnEnter = false;
    bool m_channelMode = false;
};

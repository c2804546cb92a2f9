#pragma once

#include "TavoUIElementGlobal.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QMap>
#include <QWidget>

class INxControllerManager;
class NxGridWidget;
class QLabel;

// One titled section of the catalogue: four columns of tiles, exactly as
// high as its rows.
class TAVOUIELEMENT_EXPORT NxChannelListConentWidget : public QWidget
{
    Q_OBJECT

public:
    explicit NxChannelListConentWidget(QWidget* parent = nullptr);

    void setControlManager(INxControllerManager* mgr);
    // Keeps the title and the channels, then sizes the section and fills it.
    void setData(const QString& title, const QJsonArray& channels);
    int getContentHeight() const;
    void renewChannelStatus(const QMap<QString, QJsonObject>& added);

signals:
    void sigChannelItemClicked(QJsonObject json);

private:
    int px(double design) const;
    void layoutContent();

    QLabel* m_title = nullptr;
    NxGridWidget* m_grid = nullptr;
    QJsonArray m_channels;
    double m_scale = 1.0;
    int m_contentHeight = 0;
};

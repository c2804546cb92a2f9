#pragma once

#include "TavoUIElementGlobal.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QMap>
#include <QWidget>

class INxControllerManager;
class NxTouchScrollArea;
class QLabel;
class QVBoxLayout;

// The full-screen catalogue of channels to put on the home page: one titled
// section per category, a detail dialog per channel, and the form for a
// channel of one's own. A picked channel carries the slot ("page", "index")
// the catalogue was opened for.
class TAVOUIELEMENT_EXPORT NxAddChannelListWidget : public QWidget
{
    Q_OBJECT

public:
    explicit NxAddChannelListWidget(QWidget* parent = nullptr);

    // catalogue: "page", "index" and "data", an array of {"title", "data"}.
    void setData(const QJsonObject& catalogue, bool loaded);
    void setChannelsStatus(const QMap<QString, QJsonObject>& added);
    void setControlManager(INxControllerManager* mgr);

signals:
    void sigPlayChannelContent(QJsonObject json);
    void sigAddChannel(QJsonObject json);
    void sigReturn();

public slots:
    void slotCustomButtonClicked();
    void slotShowBrief(QJsonObject json);
    void slotPlayChannelContent(QJsonObject json);
    void slotAddChannel(QJsonObject json);

private:
    int px(double design) const;
    void buildPage();
    QLayout* buildTitleRow(QWidget* parent);
    void showFailure(bool shown);
    void buildSections(const QJsonArray& sections);
    void clearSections();

    QJsonObject m_catalogue;
    // "page" and "index" of the slot the page is open for.
    QJsonObject m_slot;
    QJsonArray m_addedChannels;
    QMap<int, QWidget*> m_sections;
    bool m_built = false;
    QWidget* m_background = nullptr;
    QLabel* m_failPicture = nullptr;
    QLabel* m_failText = nullptr;
    NxTouchScrollArea* m_scrollArea = nullptr;
    QWidget* m_content = nullptr;
    QVBoxLayout* m_contentLayout = nullptr;
    INxControllerManager* m_controlManager = nullptr;
    double m_scale = 1.0;
};

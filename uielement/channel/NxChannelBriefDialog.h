#pragma once

#include "NxCommonDialogEffect.h"

#include <QJsonObject>

class INxControllerManager;
class NxChannelWidget;
class QLabel;
class QPushButton;
class QTextEdit;

// The detail of one catalogue channel: its picture, name and introduction,
// with buttons to open it and to add it to the home page.
class TAVOUIELEMENT_EXPORT NxChannelBriefDialog : public NxCommonDialogEffect
{
    Q_OBJECT

public:
    explicit NxChannelBriefDialog(QWidget* parent);

    // Lets the picture tile download the channel's own picture.
    void setControlManager(INxControllerManager* mgr);
    void setChannel(const QJsonObject& channel);

signals:
    void sigPlayVideo(QJsonObject json);
    void sigAddChannel(QJsonObject json);

public slots:
    void slotPlayButtonClicked();
    void slotAddButtonClicked();

private:
    int px(double design) const;
    QWidget* buildContent();
    QWidget* buildCloseRow(QWidget* parent);
    QLayout* buildTextColumn(QWidget* parent);
    bool isAdded() const;

    QJsonObject m_channel;
    NxChannelWidget* m_picture = nullptr;
    QLabel* m_name = nullptr;
    QTextEdit* m_intro = nullptr;
    QPushButton* m_playButton = nullptr;
    QPushButton* m_addButton = nullptr;
    QPushButton* m_closeButton = nullptr;
    double m_scale = 1.0;
};

#pragma once

#include <QJsonObject>
#include <QObject>
#include <QString>

class INxControllerManager;
class QWidget;

// Turns the main window's requests into controller calls and reports each
// user action.
class TavomcPresenterMainController : public QObject
{
    Q_OBJECT

public:
    explicit TavomcPresenterMainController(QObject* parent = nullptr);

    void setMainWindow(QWidget* window);
    void setControllerManager(INxControllerManager* manager);

private slots:
    void slotLoadWebPage(QString sUrl, QString cookie);
    void slotChannelList(QString sType);
    void slotChannelDetail();
    void slotLive();
    void slotLogin();
    void slotLoginCodeHidden();
    void slotAddChannel(QJsonObject json);
    void slotUserActionMyResource();
    void slotUserActionTVList();
    void slotUserActionVelmar();
    void slotUserActionLocalChannel();

private:
    void report(const QString& actionId);

    QWidget* m_mainWindow = nullptr;
    INxControllerManager* m_controllerManager = nullptr;
};

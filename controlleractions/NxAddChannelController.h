#pragma once

#include "INxAddChannelController.h"

#include <QObject>
#include <QString>

class INxWebCommandController;

// Writes the local channel lists and asks the cloud to add or remove a
// teacher's own channels.
class NxAddChannelController : public QObject, public INxAddChannelController
{
    Q_OBJECT
    Q_INTERFACES(INxAddChannelController)

public:
    explicit NxAddChannelController(QObject* parent = nullptr);

    QObject* getObject() override;
    void setWebCommandCtrl(INxWebCommandController* ctrl) override;
    void saveLocalChannels(const QJsonObject& request) override;
    void addChannel(const QJsonObject& request) override;
    void deleteChannel(const QJsonObject& request) override;

    static QJsonObject cloudAddRequest(const QJsonObject& request);

private slots:
    void slotRecvChAdded(void* pCxt, int iResult, QString id);

private:
    QString m_channelDir;
    INxWebCommandController* m_webCommand = nullptr;
};

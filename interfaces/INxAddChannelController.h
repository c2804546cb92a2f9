#pragma once

#include <QJsonObject>
#include <QObject>

class INxWebCommandController;

// Local channel lists on disk, and own channels on the cloud.
class INxAddChannelController
{
public:
    virtual ~INxAddChannelController() = default;

    virtual QObject* getObject() = 0;
    virtual void setWebCommandCtrl(INxWebCommandController* ctrl) = 0;
    virtual void saveLocalChannels(const QJsonObject& request) = 0;
    virtual void addChannel(const QJsonObject& request) = 0;
    virtual void deleteChannel(const QJsonObject& request) = 0;
};

#define INxAddChannelController_iid "com.nxt.TavomcPresenterPro.INxAddChannelController/1.0"
Q_DECLARE_INTERFACE(INxAddChannelController, INxAddChannelController_iid)

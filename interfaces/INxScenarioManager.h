#pragma once

#include <QJsonObject>
#include <QObject>

// Routes scenario events (JSON with "eventid", "from", "scenario").
class INxScenarioManager
{
public:
    virtual QObject* getObject() = 0;
    virtual void handleEvent(QJsonObject event) = 0;
    virtual void processEvent(QJsonObject event) = 0;
    virtual void dispatchEvent(QJsonObject event) = 0;
    virtual void notifyEvent(QJsonObject event) = 0;

protected:
    ~INxScenarioManager() = default;
};

#define INxScenarioManager_iid "com.nxt.qtSlatepad.INxScenarioManager/1.0"
Q_DECLARE_INTERFACE(INxScenarioManager, INxScenarioManager_iid)

#pragma once

#include "INxScenarioManager.h"

#include <QJsonObject>
#include <QObject>

class INxControllerManager;
class INxNetWorkManager;
class TavomcPresenterScenarioMain;

// Obtains and wires the controllers at start, then routes scenario events.
class NxScenarioManager : public QObject, public INxScenarioManager
{
    Q_OBJECT
    Q_INTERFACES(INxScenarioManager)

public:
    NxScenarioManager(INxNetWorkManager* networkManager, QObject* parent, QObject* nativeEventFilter);

    QObject* getObject() override;
    void handleEvent(QJsonObject event) override;
    void processEvent(QJsonObject event) override;
    void dispatchEvent(QJsonObject event) override;
    void notifyEvent(QJsonObject event) override;

    static int scenarioIdOf(const QString& scenario);
    int currentScenario() const;
    TavomcPresenterScenarioMain* mainScenario() const;
    INxControllerManager* controllerManager() const;

private:
    void initControlManager();

    int m_currentScenario = 0;
    INxNetWorkManager* m_networkManager;
    INxControllerManager* m_controllerManager = nullptr;
    TavomcPresenterScenarioMain* m_mainScenario = nullptr;
    QObject* m_nativeEventFilter;
};

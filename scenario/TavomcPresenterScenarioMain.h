#pragma once

#include "TavomcPresenterScenarioMainGlobal.h"

#include <QJsonObject>
#include <QObject>

class INxControllerManager;
class INxNetWorkManager;

// The main scenario: owns the main window and the main controller, connects
// them to each other and to the controllers, and starts the updater.
class TAVOMCPRESENTERSCENARIOMAIN_EXPORT TavomcPresenterScenarioMain : public QObject
{
    Q_OBJECT

public:
    explicit TavomcPresenterScenarioMain(QObject* parent = nullptr);
    ~TavomcPresenterScenarioMain() override;

    void initScenario(const QJsonObject& json, INxControllerManager* controllerManager, INxNetWorkManager* networkManager);
    void showScenario(const QJsonObject& json);

    QObject* mainWindow() const;
    QObject* mainController() const;
    // The updater's command as Base64 text, for a program directory.
    static QString updateCommand(const QString& programDir, const QString& registryVersion);

signals:
    void signalUDiskStateChanged(QString, bool);

private:
    void createMainContrller();
    void connectSignal();
    void softwareUpdate();

    INxNetWorkManager* m_networkManager = nullptr;
    QObject* m_mainWindow = nullptr;
    QObject* m_mainController = nullptr;
    INxControllerManager* m_controllerManager = nullptr;
};

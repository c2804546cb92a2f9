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
    // Every connection of initScenario was made: the signatures are strings,
    // so a typo shows only here.
    bool isWired() const;
    // The updater's command as Base64 text, for a program directory.
    static QString updateCommand(const QString& programDir, const QString& registryVersion);

signals:
    void signalUDiskStateChanged(QString, bool);

private:
    void createMainContrller();
    void connectSignal();
    void wire(const QObject* sender, const char* signal, const QObject* receiver, const char* member);
    void softwareUpdate();

    INxNetWorkManager* m_networkManager = nullptr;
    QObject* m_mainWindow = nullptr;
    QObject* m_mainController = nullptr;
    INxControllerManager* m_controllerManager = nullptr;
    bool m_wired = true;
};

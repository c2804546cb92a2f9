#pragma once

#include "NxSingleApplication.h"

#include <QJsonObject>
#include <QPointer>

class INxScenarioManager;
class INxWatchManager;

// The program's application object: remembers the scenario event of the
// start (or of the latest second start).
class NxmcPresenterApp : public NxSingleApplication
{
    Q_OBJECT

public:
    NxmcPresenterApp(const QString& appId, int& argc, char** argv);

    static QJsonObject buildEventJson(const QString& argument);
    // Element 1 of the argument list, or empty; later ones are ignored.
    static QString startArgument(const QStringList& arguments);

    QJsonObject startEvent() const;
    void setStartEvent(const QJsonObject& event);
    void setScenarioManager(INxScenarioManager* manager);
    void setWatchManager(INxWatchManager* manager);

    bool notify(QObject* receiver, QEvent* event) override;

public slots:
    void sltMessageReceived(const QString& message);

private:
    QJsonObject m_event;
    INxScenarioManager* m_scenarioManager = nullptr;
    INxWatchManager* m_watchManager = nullptr;
    QPointer<QObject> m_watchObject; // cleared as the watch manager is destroyed
};

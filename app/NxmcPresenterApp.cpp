#include "NxmcPresenterApp.h"

#include "INxWatchManager.h"

#include <QDebug>
#include <QHash>
#include <QStringList>
#include <QThread>

NxmcPresenterApp::NxmcPresenterApp(const QString& appId, int& argc, char** argv)
    : NxSingleApplication(appId, argc, argv)
{
    connect(this, SIGNAL(messageReceived(const QString&)), this, SLOT(sltMessageReceived(const QString&)));
}

QJsonObject NxmcPresenterApp::buildEventJson(const QString& argument)
{
    static const QHash<QString, QString> scenarios = {
        {QStringLiteral("1"), QStringLiteral("ID_SCENARIO_MAIN")},
        {QStringLiteral("2"), QStringLiteral("ID_SCENARIO_DETAILS")},
        {QStringLiteral("3"), QStringLiteral("ID_SCENARIO_HONOR")},
        {QStringLiteral("4"), QStringLiteral("ID_SCENARIO_POP")},
    };
    QJsonObject event;
    event.insert(QStringLiteral("eventid"), QStringLiteral("ID_SCENARIO_SHOW"));
    event.insert(QStringLiteral("from"), QString());
    event.insert(QStringLiteral("scenario"), scenarios.value(argument, QStringLiteral("ID_SCENARIO_MAIN")));
    return event;
}

QString NxmcPresenterApp::startArgument(const QStringList& arguments)
{
    return arguments.size() > 1 ? arguments.at(1) : QString();
}

QJsonObject NxmcPresenterApp::startEvent() const
{
    return m_event;
}

void NxmcPresenterApp::setStartEvent(const QJsonObject& event)
{
    m_event = event;
}

void NxmcPresenterApp::setScenarioManager(INxScenarioManager* manager)
{
    m_scenarioManager = manager;
}

void NxmcPresenterApp::setWatchManager(INxWatchManager* manager)
{
    m_watchManager = manager;
    m_watchObject = manager ? manager->getObject() : nullptr;
}

bool NxmcPresenterApp::notify(QObject* receiver, QEvent* event)
{
    // The watch manager is a GUI-thread object: events of worker threads
    // pass by it, and it is asked only while it exists.
    if (m_watchManager && m_watchObject && QThread::currentThread() == thread()) {
        m_watchManager->setEnabled(true);
        if (!m_watchManager->filterEvent(receiver, event))
            return false;
    }
    return QApplication::notify(receiver, event);
}

void NxmcPresenterApp::sltMessageReceived(const QString& message)
{
    // Only remembered: the running instance neither re-routes nor raises.
    m_event = buildEventJson(message);
    qDebug() << "NxmcPresenterApp::sltMessageReceived" << message << m_event.value(QStringLiteral("scenario")).toString();
}

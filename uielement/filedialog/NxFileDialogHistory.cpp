#include "NxFileDialogHistory.h"

#include "NxFilePlaces.h"

void NxFileDialogHistory::moveTo(const HistoryDir& location)
{
    m_current = location;
    m_chosen = location;
    m_folderChosen = false;
    if (m_visited.isEmpty() || !(m_visited.first() == location))
        m_visited.prepend(location);
}

void NxFileDialogHistory::enterPlace(const HistoryDir& place)
{
    m_netIds.clear();
    moveTo(place);
}

void NxFileDialogHistory::enterFolder(const HistoryDir& folder)
{
    if (!folder.strNetId.isEmpty())
        m_netIds.append(folder.strNetId);
    moveTo(folder);
}

void NxFileDialogHistory::climbTo(const HistoryDir& folder)
{
    const int level = folder.strPath.split(QLatin1Char('/'), Qt::SkipEmptyParts).size();
    while (m_netIds.size() > level)
        m_netIds.removeLast();
    moveTo(folder);
}

void NxFileDialogHistory::back()
{
    if (!canGoBack())
        return;
    m_visited.removeFirst();
    m_current = m_visited.first();
    m_chosen = m_current;
}

void NxFileDialogHistory::chooseFile(const HistoryDir& folder)
{
    m_chosen = folder;
    m_folderChosen = false;
}

void NxFileDialogHistory::chooseFolder(const HistoryDir& folder)
{
    m_chosen = folder;
    m_folderChosen = true;
}

void NxFileDialogHistory::pointAt(const HistoryDir& folder)
{
    m_chosen = folder;
}

HistoryDir NxFileDialogHistory::saveFolder() const
{
    return m_folderChosen ? m_chosen : lastRealFolder();
}

// The recent list is no folder to save into: the last folder shown is.
HistoryDir NxFileDialogHistory::lastRealFolder() const
{
    for (const HistoryDir& visited : m_visited) {
        if (visited.strPass != QLatin1String("ID_OPEN_RECENT") && !NxFilePlaces::isCloud(visited.strPass))
            return visited;
    }
    return {QStringLiteral("ID_DESKTOP"), QString(), QString()};
}

void NxFileDialogHistory::stickPlugged(const QString& pass)
{
    m_sticks.removeAll(pass);
    m_sticks.append(pass);
    enterPlace({pass, QString(), QString()});
}

bool NxFileDialogHistory::stickPulled(const QString& pass)
{
    m_sticks.removeAll(pass);
    // Going back must never lead onto the stick that is gone.
    for (int i = m_visited.size() - 1; i >= 0 && m_visited.size() > 1; --i) {
        if (m_visited.at(i).strPass == pass)
            m_visited.removeAt(i);
    }
    if (m_current.strPass != pass)
        return false;
    moveTo({m_sticks.isEmpty() ? QStringLiteral("ID_DESKTOP") : m_sticks.last(), QString(), QString()});
    return true;
}

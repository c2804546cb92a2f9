#pragma once

#include "NxFileDialogTypes.h"

#include <QList>
#include <QStringList>

// Where the file dialog is, what was tapped there last and the way back.
// A cloud folder is reached through the ids of the folders above it.
class NxFileDialogHistory
{
public:
    const HistoryDir& current() const { return m_current; }
    // The folder of the row tapped last; the current place until one is.
    const HistoryDir& chosen() const { return m_chosen; }
    const QStringList& netIds() const { return m_netIds; }
    bool canGoBack() const { return m_visited.size() > 1; }

    // Each move leaves the dialog at the place given, nothing chosen there.
    void enterPlace(const HistoryDir& place);
    void enterFolder(const HistoryDir& folder);
    // A folder above the current one, picked on the address bar.
    void climbTo(const HistoryDir& folder);
    // Stays when there is nowhere to go back to.
    void back();

    void chooseFile(const HistoryDir& folder);
    void chooseFolder(const HistoryDir& folder);
    // A row opened or ticked in a multi-selection: its folder is where typed
    // names are looked for, while a folder chosen to save into stays chosen.
    void pointAt(const HistoryDir& folder);
    // Where a save goes: the folder chosen, else the last real folder shown.
    HistoryDir saveFolder() const;

    // A stick plugged in is opened at once.
    void stickPlugged(const QString& pass);
    // True when the dialog was on the stick pulled and has moved off it.
    bool stickPulled(const QString& pass);

private:
    void moveTo(const HistoryDir& location);
    HistoryDir lastRealFolder() const;

    HistoryDir m_current;
    HistoryDir m_chosen;
    bool m_folderChosen = false;
    // Newest first.
    QList<HistoryDir> m_visited;
    QStringList m_netIds;
    QStringList m_sticks;
};

#pragma once

#include <QList>
#include <QRect>
#include <QString>

// Top-level windows of other programs, and the programs the desktop opens
// addresses and files with. Style bits carry their Windows meaning; other
// systems map their window states onto them, so the rules that read them
// are the same everywhere.
class INxWindows
{
public:
    using Handle = quintptr;

    static const quint32 kChildStyle = 0x40000000;
    static const quint32 kVisibleStyle = 0x10000000;
    static const quint32 kToolWindowExStyle = 0x00000080;
    static const quint32 kNoActivateExStyle = 0x08000000;

    virtual ~INxWindows() = default;

    // False where windows of other programs cannot be seen (no X11 display).
    virtual bool isAvailable() = 0;
    virtual QList<Handle> topLevelWindows() = 0;
    virtual quint32 style(Handle window) = 0;
    virtual quint32 exStyle(Handle window) = 0;
    virtual qint64 processId(Handle window) = 0;
    // Empty when the process cannot be opened for query.
    virtual QString processImagePath(qint64 processId) = 0;
    virtual QRect geometry(Handle window) = 0;
    virtual QString title(Handle window) = 0;
    virtual Handle findByTitle(const QString& title) = 0;
    virtual bool isWindow(Handle window) = 0;
    virtual bool isVisible(Handle window) = 0;
    virtual bool isMinimized(Handle window) = 0;
    virtual void maximize(Handle window) = 0;
    virtual void bringToFront(Handle window) = 0;
    virtual Handle activeWindow() = 0;
    // A window of ours that clicks must not activate while another program
    // is in front; accepting again also brings it to the front.
    virtual void setAcceptsActivation(Handle ownWindow, bool accepts) = 0;
    // No press-and-hold, pen feedback or flicks on a window of ours.
    virtual void disableTabletPenFeedback(Handle ownWindow) = 0;
    // Whether a compositing manager lays the see-through parts of our
    // windows over what lies behind them; without one they show black.
    virtual bool hasCompositing() = 0;

    // The command line registered for web addresses; empty when none.
    virtual QString defaultBrowserCommand() = 0;
    // The program that opens files of a suffix such as ".mp4"; empty when
    // none, or when an app without program file handles them.
    virtual QString associatedProgram(const QString& suffix) = 0;
    virtual QString associatedAppName(const QString& suffix) = 0;
};

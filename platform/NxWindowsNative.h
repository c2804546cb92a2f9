#pragma once

#include "INxWindows.h"
#include "NxPlatformGlobal.h"

#include <QScopedPointer>

// The running system's windows; the source file is chosen per system by the
// build (unix/ or win/).
class NX_PLATFORM_EXPORT NxWindowsNative : public INxWindows
{
public:
    NxWindowsNative();
    ~NxWindowsNative() override;

    bool isAvailable() override;
    QList<Handle> topLevelWindows() override;
    quint32 style(Handle window) override;
    quint32 exStyle(Handle window) override;
    qint64 processId(Handle window) override;
    QString processImagePath(qint64 processId) override;
    QRect geometry(Handle window) override;
    QString title(Handle window) override;
    Handle findByTitle(const QString& title) override;
    bool isWindow(Handle window) override;
    bool isVisible(Handle window) override;
    bool isMinimized(Handle window) override;
    void maximize(Handle window) override;
    void bringToFront(Handle window) override;
    Handle activeWindow() override;
    void setAcceptsActivation(Handle ownWindow, bool accepts) override;
    void disableTabletPenFeedback(Handle ownWindow) override;
    bool hasCompositing() override;
    QString defaultBrowserCommand() override;
    QString associatedProgram(const QString& suffix) override;
    QString associatedAppName(const QString& suffix) override;

private:
    struct Private;
    QScopedPointer<Private> d;
};

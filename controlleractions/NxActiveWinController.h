#pragma once

#include "INxActiveWinController.h"
#include "INxWindows.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

class INxNativeEventFilter;

// Finds the window of a program the system started, maximises it and
// watches it: while such a window is in front the home page takes no taps.
class NxActiveWinController : public QObject, public INxActiveWinController
{
    Q_OBJECT
    Q_INTERFACES(INxActiveWinController)

public:
    using Handle = INxWindows::Handle;

    explicit NxActiveWinController(QObject* parent = nullptr);

    QObject* getObject() override;
    int setNativeEventFilter(INxNativeEventFilter* filter) override;
    INxNativeEventFilter* nativeEventFilter() const;
    // The address or file whose program is being looked for.
    QString sourceFile() const;
    QList<Handle> watchedWindows() const;
    bool isMonitoring() const;

    // "http://" or "https://" in any letter case.
    static bool isWebAddress(const QString& source);
    // The program of a registered command line: a leading quoted path, or
    // else its first word, without quotes.
    static QString programOfCommandLine(const QString& commandLine);
    QString getDefaultBrowser() const;

signals:
    void sigActiveEnable(bool bEnable);

private slots:
    void slotBrowserStarted(QString sUrl);
    void slotLocalVideoStarted(QString sFilePath);
    void slotMonitor();
    void slotStartMon();

private:
    void startSearch(const QString& source);
    Handle doAppRun();
    Handle getWindowFromSrcFile(const QString& source);
    Handle windowOfApp(const QString& friendlyName) const;
    Handle windowOfProgram(const QString& program);
    // One top-level window: true to go on with the next.
    bool cbGetWindowFromExe(Handle window);
    void watch(Handle window);

    INxNativeEventFilter* m_filter = nullptr;
    QList<Handle> m_watched;
    QTimer m_monitorTimer;
    QTimer m_startTimer;
    QString m_source;
    QString m_wantedExe;
    Handle m_found = 0;
    int m_attempts = 0;
};

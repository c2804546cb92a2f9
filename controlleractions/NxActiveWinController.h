#pragma once

#include "INxActiveWinController.h"

#include <QObject>
#include <QString>
#include <QTimer>

class INxNativeEventFilter;

// Finds the window of a program the system started, maximises it and
// watches it while it stays in front.
class NxActiveWinController : public QObject, public INxActiveWinController
{
    Q_OBJECT
    Q_INTERFACES(INxActiveWinController)

public:
    explicit NxActiveWinController(QObject* parent = nullptr);

    QObject* getObject() override;
    int setNativeEventFilter(INxNativeEventFilter* filter) override;
    INxNativeEventFilter* nativeEventFilter() const;
    // The address or file whose program is being looked for.
    QString sourceFile() const;

signals:
    void sigActiveEnable(bool bEnable);

private slots:
    void slotBrowserStarted(QString sUrl);
    void slotLocalVideoStarted(QString sFilePath);
    void slotMonitor();
    void slotStartMon();

private:
    INxNativeEventFilter* m_filter = nullptr;
    QTimer m_monitorTimer;
    QTimer m_startTimer;
    QString m_source;
};

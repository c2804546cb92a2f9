#pragma once

#include "INxNativeEventFilter.h"

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QPoint>
#include <QString>

class NxMountWatcher;

// Sees the native messages of the process before Qt: reports USB volumes,
// taps while the panel's bottom bar is shown, hides the windows from
// accessibility queries and can keep clicks from activating windows.
class NxNativeEventFilter : public QObject, public QAbstractNativeEventFilter, public INxNativeEventFilter
{
    Q_OBJECT

public:
    explicit NxNativeEventFilter(QObject* parent = nullptr);

    bool nativeEventFilter(const QByteArray& eventType, void* message, long* result) override;

    QObject* getObject() override;
    void setMouseActivate(bool activate) override;
    bool isMouseActivate() override;

    // Volumes of systems that announce them outside native messages; needs
    // the application object.
    void startVolumeWatch();

    // The drive of the lowest bit set in a unit mask, as "E:".
    static QString driveName(quint32 unitMask);
    void volumeArrived(const QString& name);
    void volumeRemoved(const QString& name);
    void leftButtonPressed(const QPoint& globalPos);

signals:
    void sigIsBottomBarShow(QPoint);
    void signalUDiskStateChanged(QString name, bool remove);

private:
    bool m_arrivalLatch = false;
    bool m_mouseActivate = true;
    NxMountWatcher* m_mountWatcher = nullptr;
};

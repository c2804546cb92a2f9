#include "NxNativeEventFilter.h"

#include "INxNativeEvents.h"
#include "NxMountWatcher.h"
#include "NxPlatform.h"

#include <QCursor>

NxNativeEventFilter::NxNativeEventFilter(QObject* parent)
    : QObject(parent)
{
}

QObject* NxNativeEventFilter::getObject()
{
    return this;
}

void NxNativeEventFilter::setMouseActivate(bool activate)
{
    m_mouseActivate = activate;
}

bool NxNativeEventFilter::isMouseActivate()
{
    return m_mouseActivate;
}

void NxNativeEventFilter::startVolumeWatch()
{
    if (m_mountWatcher)
        return;
    m_mountWatcher = new NxMountWatcher(this);
    connect(m_mountWatcher, &NxMountWatcher::volumeArrived, this, &NxNativeEventFilter::volumeArrived);
    connect(m_mountWatcher, &NxMountWatcher::volumeRemoved, this, &NxNativeEventFilter::volumeRemoved);
    m_mountWatcher->start();
}

QString NxNativeEventFilter::driveName(quint32 unitMask)
{
    int bit = 0;
    while (bit < 26 && !(unitMask & (1u << bit)))
        ++bit;
    return (QString(QChar('A' + bit)) + QLatin1Char(':')).left(2).toUpper();
}

void NxNativeEventFilter::volumeArrived(const QString& name)
{
    // A second stick while the first is in is not reported.
    if (m_arrivalLatch)
        return;
    m_arrivalLatch = true;
    emit signalUDiskStateChanged(name, false);
}

void NxNativeEventFilter::volumeRemoved(const QString& name)
{
    m_arrivalLatch = false;
    emit signalUDiskStateChanged(name, true);
}

void NxNativeEventFilter::leftButtonPressed(const QPoint& globalPos)
{
    if (qEnvironmentVariable("isBottomBarShow") == QLatin1String("true"))
        emit sigIsBottomBarShow(globalPos);
}

bool NxNativeEventFilter::nativeEventFilter(const QByteArray& eventType, void* message, long* result)
{
    INxNativeEvents* events = NxPlatform::nativeEvents();
    const NxNativeMessage decoded = events->decode(eventType, message);
    switch (decoded.kind) {
    case NxNativeMessage::VolumeArrival:
        volumeArrived(driveName(decoded.unitMask));
        return false;
    case NxNativeMessage::VolumeRemoval:
        volumeRemoved(driveName(decoded.unitMask));
        return false;
    case NxNativeMessage::LeftButtonDown:
        leftButtonPressed(QCursor::pos());
        return false;
    case NxNativeMessage::AccessibilityQuery:
        return true;
    case NxNativeMessage::MouseActivate:
        if (m_mouseActivate)
            return false;
        events->refuseActivation(message, result);
        return true;
    case NxNativeMessage::CaptionActivation: // the dialogs' own business
    case NxNativeMessage::Other:
        break;
    }
    return false;
}

#pragma once

#include "INxWatchManager.h"

#include <QObject>
#include <QString>

class QMouseEvent;
class QTimer;

// Opens the touch keyboard 200 ms after a tap into a text input.
class NxWatchManager : public QObject, public INxWatchManager
{
    Q_OBJECT

public:
    explicit NxWatchManager(QObject* parent = nullptr);

    QObject* getObject() override;
    bool filterEvent(QObject* receiver, QEvent* event) override;
    void setEnabled(bool enabled) override;

    bool isKeyboardPending() const;

    // Does this release ask for the keyboard (touch, on a text input)?
    static bool isTextInputTap(const QObject* receiver, const QMouseEvent* release, bool isRunScreen);
    // Two Windows 10 builds must not open it for the device input field.
    static bool keyboardAllowed(bool isWindows10, const QString& kernelVersion, const QString& objectName);

private slots:
    void handleTimeOut();

private:
    QTimer* m_keyboardTimer;
    bool m_enabled = false;
};

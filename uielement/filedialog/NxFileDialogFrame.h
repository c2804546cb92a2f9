#pragma once

#include <QByteArray>

class QDialog;
class QEvent;

// The file dialog's window: frameless and modal, a white panel with a
// shadow painted on a see-through window (cut to the panel where nothing
// composites), nudged sideways when its activation really changes and
// shaken when a name is refused.
class NxFileDialogFrame
{
public:
    NxFileDialogFrame(QDialog* dialog, double scale);

    void paint();
    // The state a showing starts in; no nudge.
    void startActive() { m_active = true; }
    void setActive(bool active);
    // Activation as the platform reports it: through Qt or by a native
    // caption message.
    void takeChange(const QEvent* event);
    void takeNative(const QByteArray& eventType, void* message);
    void shake();

private:
    int px(double design) const;

    QDialog* m_dialog;
    double m_scale;
    bool m_active = true;
    // Drawn with its shadow margin on a see-through window.
    bool m_translucent = true;
};

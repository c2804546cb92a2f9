#pragma once

#include "TavoUIElementGlobal.h"

#include <QDialog>

class QFrame;
class QHBoxLayout;

// The frameless shell of most dialogs: a white rounded panel on a transparent
// window that cannot be dragged and ignores Escape. Subclasses put their
// content into its centre.
class TAVOUIELEMENT_EXPORT NxCommonDialogEffect : public QDialog
{
    Q_OBJECT

public:
    NxCommonDialogEffect(QWidget* parent, double scale);

    void setCenterWidget(QWidget* w);
    void setWidgetModal(bool on);
    // The window system reports a new activation state. A modal dialog
    // nudges sideways on each real change, so a teacher who taps the blocked
    // window behind sees which window wants an answer.
    void activationChanged(bool active);
    // Horizontal nudge in pixels for a scale factor.
    static int nudgeOffset(double scale);
    // Top-left corner that centres a window of this size on the parent's
    // window, or on the primary screen without a parent.
    static QPoint centredPosition(const QSize& size, const QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool nativeEvent(const QByteArray& eventType, void* message, long* result) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

    double scaleFactor() const;

private:
    void changeDialogEffect(bool active);
    void initWidget();

    QFrame* m_mainWidget = nullptr;
    QHBoxLayout* m_centerLayout = nullptr;
    static constexpr int kMaxCorrections = 3;
    // The dialogs' pictures round their corners by this many design pixels.
    static constexpr int kPictureCornerDesign = 7;
    QPoint m_place;
    int m_corrections = 0;
    bool m_modal = true;
    bool m_active = false;
    double m_scale = 1.0;
};

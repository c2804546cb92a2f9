#include "NxCommonDialogEffect.h"

#include "INxNativeEvents.h"
#include "NxPlatform.h"

#include "NxScale.h"
#include "NxWindowShape.h"

#include <QEvent>
#include <QFrame>
#include <QGraphicsDropShadowEffect>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMoveEvent>
#include <QScreen>
#include <QShowEvent>

NxCommonDialogEffect::NxCommonDialogEffect(QWidget* parent, double scale)
    : QDialog(parent)
    , m_mainWidget(new QFrame(this))
    , m_centerLayout(new QHBoxLayout(m_mainWidget))
    , m_scale(NxScale::appFactor(scale))
{
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    initWidget();
}

void NxCommonDialogEffect::setCenterWidget(QWidget* w)
{
    m_centerLayout->addWidget(w);
}

void NxCommonDialogEffect::setWidgetModal(bool on)
{
    m_modal = on;
    setWindowModality(on ? Qt::ApplicationModal : Qt::NonModal);
}

void NxCommonDialogEffect::activationChanged(bool active)
{
    if (m_modal)
        changeDialogEffect(active);
}

int NxCommonDialogEffect::nudgeOffset(double scale)
{
    return static_cast<int>(scale >= 1.0 ? 2.0 * scale : 2.0);
}

QPoint NxCommonDialogEffect::centredPosition(const QSize& size, const QWidget* parent)
{
    const QRect own(QPoint(), size);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = parent ? parent->window()->geometry() : screen ? screen->availableGeometry() : own;
    return area.center() - own.center();
}

void NxCommonDialogEffect::showEvent(QShowEvent* event)
{
    // QDialog centres too, but marks the place as not asked for; a window
    // manager is then free to put the dialog in a corner, under the finger
    // of nobody.
    if (!event->spontaneous() && !testAttribute(Qt::WA_Moved)) {
        if (!testAttribute(Qt::WA_Resized))
            adjustSize();
        move(centredPosition(size(), parentWidget()));
    }
    QDialog::showEvent(event);
    m_place = pos();
    m_corrections = 0;
}

// Nobody can drag this frameless window, so a move the window system
// reports on its own is a window manager's placement (openbox sometimes puts
// a fresh dialog at 0,0 despite its asked-for position): it is put back, a
// few times at most, so as never to fight a window manager forever.
void NxCommonDialogEffect::moveEvent(QMoveEvent* event)
{
    QDialog::moveEvent(event);
    if (!event->spontaneous()) {
        m_place = event->pos();
    } else if (isVisible() && event->pos() != m_place && m_corrections < kMaxCorrections) {
        ++m_corrections;
        move(m_place);
    }
}

void NxCommonDialogEffect::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !NxPlatform::nativeEvents()->reportsCaptionActivation())
        activationChanged(isActiveWindow());
}

// On Windows the caption message also comes when a tap hits the blocked
// window behind the modal dialog, which Qt reports no event for.
bool NxCommonDialogEffect::nativeEvent(const QByteArray& eventType, void* message, long* result)
{
    const NxNativeMessage decoded = NxPlatform::nativeEvents()->decode(eventType, message);
    if (decoded.kind == NxNativeMessage::CaptionActivation)
        activationChanged(decoded.active);
    return QDialog::nativeEvent(eventType, message, result);
}

void NxCommonDialogEffect::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void NxCommonDialogEffect::mousePressEvent(QMouseEvent* event)
{
    Q_UNUSED(event)
}

void NxCommonDialogEffect::mouseMoveEvent(QMouseEvent* event)
{
    Q_UNUSED(event)
}

void NxCommonDialogEffect::mouseReleaseEvent(QMouseEvent* event)
{
    Q_UNUSED(event)
}

double NxCommonDialogEffect::scaleFactor() const
{
    return m_scale;
}

void NxCommonDialogEffect::changeDialogEffect(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    const int offset = nudgeOffset(m_scale);
    move(x() + (active ? -offset : offset), y());
}

void NxCommonDialogEffect::initWidget()
{
    setWindowModality(Qt::ApplicationModal);
    NxWindowShape::apply(this, 0, NxScale::px(kPictureCornerDesign, m_scale));

    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(m_mainWidget);

    m_centerLayout->setContentsMargins(0, 0, 0, 0);
    m_centerLayout->setSpacing(0);

    m_mainWidget->setObjectName(QStringLiteral("mainWidget"));
    m_mainWidget->setAttribute(Qt::WA_TranslucentBackground);
    m_mainWidget->setStyleSheet(QStringLiteral("QFrame#mainWidget{background-color:#FFFFFF;border-radius:15px}"));

    auto* shadow = new QGraphicsDropShadowEffect(m_mainWidget);
    shadow->setOffset(0, 0);
    shadow->setColor(QColor(0, 0, 0, 255));
    shadow->setBlurRadius(0);
    m_mainWidget->setGraphicsEffect(shadow);
}

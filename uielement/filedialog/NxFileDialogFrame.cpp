#include "NxFileDialogFrame.h"

#include "INxNativeEvents.h"
#include "NxCommonDialogEffect.h"
#include "NxPlatform.h"
#include "NxScale.h"
#include "NxWindowShape.h"

#include <QDebug>
#include <QDialog>
#include <QEvent>
#include <QFile>
#include <QPainter>
#include <QPropertyAnimation>

namespace {

// The white panel's shadow margin and corner, in design pixels.
const int kShadowDesign = 8;
const int kCornerDesign = 6;

} // namespace

NxFileDialogFrame::NxFileDialogFrame(QDialog* dialog, double scale)
    : m_dialog(dialog)
    , m_scale(scale)
{
    m_dialog->setWindowFlags(m_dialog->windowFlags() | Qt::Dialog | Qt::FramelessWindowHint);
    m_translucent = NxWindowShape::apply(m_dialog, px(kShadowDesign), px(kCornerDesign));
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setModal(true);
    m_dialog->setFixedSize(px(1053), px(616));
    QFile sheet(QStringLiteral(":/rc/config/NxBrowseDialog.qss"));
    if (sheet.open(QIODevice::ReadOnly))
        m_dialog->setStyleSheet(QString::fromUtf8(sheet.readAll()).arg(px(14)).arg(px(4)).arg(px(18)).arg(px(6)));
    else
        qWarning() << "NxFileDialog: no style sheet resource, default style";
}

int NxFileDialogFrame::px(double design) const
{
    return NxScale::px(design, m_scale);
}

void NxFileDialogFrame::paint()
{
    QPainter painter(m_dialog);
    if (!m_translucent) {
        NxWindowShape::paintPanel(m_dialog, painter, Qt::white);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const int shadow = px(kShadowDesign);
    const QRect rect = m_dialog->rect();
    for (int i = 0; i < shadow; ++i) {
        painter.setPen(QColor(0, 0, 0, qMax(0, 36 - i * 36 / qMax(1, shadow))));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect).adjusted(shadow - i, shadow - i, i - shadow, i - shadow), 6 + i, 6 + i);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(rect.adjusted(shadow, shadow, -shadow, -shadow), px(kCornerDesign), px(kCornerDesign));
}

void NxFileDialogFrame::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    const int offset = NxCommonDialogEffect::nudgeOffset(m_scale);
    m_dialog->move(m_dialog->x() + (active ? -offset : offset), m_dialog->y());
}

void NxFileDialogFrame::takeChange(const QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && !NxPlatform::nativeEvents()->reportsCaptionActivation())
        setActive(m_dialog->isActiveWindow());
}

void NxFileDialogFrame::takeNative(const QByteArray& eventType, void* message)
{
    const NxNativeMessage decoded = NxPlatform::nativeEvents()->decode(eventType, message);
    if (decoded.kind == NxNativeMessage::CaptionActivation)
        setActive(decoded.active);
}

void NxFileDialogFrame::shake()
{
    auto* animation = new QPropertyAnimation(m_dialog, "geometry", m_dialog);
    const QRect home = m_dialog->geometry();
    const int step = px(10);
    animation->setDuration(500);
    for (int i = 1; i < 8; ++i)
        animation->setKeyValueAt(i / 8.0, home.translated(i % 2 ? step : -step, 0));
    animation->setStartValue(home);
    animation->setEndValue(home);
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

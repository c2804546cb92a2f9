#include "NxPushButton.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace {

// The picture of name + suffix, or of name + fallbackSuffix when missing.
QPixmap pictureWithFallback(const QString& name, const QString& suffix, const QString& fallbackSuffix)
{
    const QPixmap picture(name + suffix);
    return picture.isNull() ? QPixmap(name + fallbackSuffix) : picture;
}

} // namespace

NxPushButton::NxPushButton(QWidget* parent, double scale)
    : QPushButton(parent)
    , m_scale(scale)
{
}

void NxPushButton::setPixName(const QString& name)
{
    m_pixName = name;
}

void NxPushButton::setIsPressStatus(bool on)
{
    m_isPressStatus = on;
    setState(on ? Pressed : Normal);
}

void NxPushButton::changeEvent(QEvent* event)
{
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    // A press cut short by disabling must not click on a later release.
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        m_pressedFlag = false;
}

void NxPushButton::enterEvent(QEvent* event)
{
    Q_UNUSED(event)
    setState(restingState(Hovered));
}

void NxPushButton::leaveEvent(QEvent* event)
{
    Q_UNUSED(event)
    setState(restingState(Normal));
}

void NxPushButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || event->buttons() != Qt::LeftButton) {
        QPushButton::mousePressEvent(event);
        return;
    }
    m_pressedFlag = true;
    setState(Pressed);
}

void NxPushButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_pressedFlag) {
        QPushButton::mouseReleaseEvent(event);
        return;
    }
    m_pressedFlag = false;
    setState(restingState(Hovered));
    emit clicked(false);
}

void NxPushButton::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event)
    const QPixmap picture = currentPixmap();
    if (picture.isNull())
        return;
    const QPixmap fitted = picture.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QRect target(QPoint(0, 0), fitted.size());
    target.moveCenter(rect().center());
    QPainter painter(this);
    painter.drawPixmap(target, fitted);
}

void NxPushButton::retranslateUi()
{
    const QList<QPushButton*> buttons = findChildren<QPushButton*>();
    for (QPushButton* button : buttons) {
        const QVariant id = button->property("ID");
        if (!id.isValid())
            continue;
        const QString text = tr(id.toString().toUtf8().constData());
        button->setText(button->fontMetrics().elidedText(text, Qt::ElideRight, button->width() - 2));
    }
}

void NxPushButton::setState(int state)
{
    m_state = state;
    update();
}

int NxPushButton::restingState(int state) const
{
    return m_isPressStatus ? Pressed : state;
}

QPixmap NxPushButton::currentPixmap() const
{
    if (m_pixName.isEmpty())
        return QPixmap();
    if (!isEnabled())
        return pictureWithFallback(m_pixName, QStringLiteral("_disabled"), QString());
    switch (m_state) {
    case Hovered:
        return QPixmap(m_pixName + QStringLiteral("_hover"));
    case Pressed:
        return pictureWithFallback(m_pixName, QStringLiteral("_pressed"), QStringLiteral("_hover"));
    default:
        return QPixmap(m_pixName);
    }
}

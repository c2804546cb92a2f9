#include "NxUserSwitchWidget.h"

#include "NxAccessToolBarWidget.h"
#include "NxScale.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QTouchEvent>
#include <QVBoxLayout>

NxUserSwitchWidget::NxUserSwitchWidget(NxAccessToolBarWidget* parent, double scale)
    : QWidget(parent)
    , m_scale(scale)
{
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::SplashScreen);
    setAttribute(Qt::WA_TranslucentBackground);
    // Not deleted on close: whatever closes it, the avatar shows it again.
    setFixedSize(px(100), px(86));
    m_buttonStyle = QStringLiteral("QPushButton{background-color:rgba(0,0,0,0);color:#FFFFFF;font-family:Microsoft YaHei;"
                                   "font-size: %1px;}")
                        .arg(NxScale::fractional(16, m_scale));
    m_content = new QWidget(this);
    m_content->setFixedSize(size());
    m_content->setStyleSheet(QStringLiteral("QWidget{border-radius:4px;background-color:rgba(0,0,0,0.2);color:#FFFFFF;}"));
    auto* layout = new QVBoxLayout(m_content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(px(2));
    layout->addStretch();
    m_switchButton = addButton(QT_TR_NOOP("ID_SWITCH_ACCOUNT"));
    m_logOutButton = addButton(QT_TR_NOOP("ID_LOGOUT"));
    layout->addWidget(m_switchButton, 0, Qt::AlignHCenter);
    layout->addWidget(m_logOutButton, 0, Qt::AlignHCenter);
    layout->addStretch();
    // 100 design pixels wide, or what the longest translation needs.
    const int needed = qMax(m_switchButton->width(), m_logOutButton->width()) + px(12);
    if (needed > width()) {
        setFixedWidth(needed);
        m_content->setFixedWidth(needed);
    }
    connect(m_switchButton, &QPushButton::clicked, this, &NxUserSwitchWidget::signalUserSwitch);
    connect(m_logOutButton, &QPushButton::clicked, this, &NxUserSwitchWidget::signalLogOut);
}

int NxUserSwitchWidget::px(double design) const
{
    return NxScale::px(design, m_scale);
}

void NxUserSwitchWidget::setToggleWidget(QWidget* toggle)
{
    m_toggle = toggle;
}

// Watching the whole program only while shown.
void NxUserSwitchWidget::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    qApp->installEventFilter(this);
}

void NxUserSwitchWidget::hideEvent(QHideEvent* event)
{
    qApp->removeEventFilter(this);
    QWidget::hideEvent(event);
}

bool NxUserSwitchWidget::isOutside(const QPoint& global) const
{
    if (geometry().contains(global))
        return false;
    return !m_toggle || !QRect(m_toggle->mapToGlobal(QPoint(0, 0)), m_toggle->size()).contains(global);
}

bool NxUserSwitchWidget::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (isOutside(static_cast<QMouseEvent*>(event)->globalPos()))
            hide();
        break;
    case QEvent::TouchBegin: {
        const QList<QTouchEvent::TouchPoint> points = static_cast<QTouchEvent*>(event)->touchPoints();
        if (!points.isEmpty() && isOutside(points.first().screenPos().toPoint()))
            hide();
        break;
    }
    case QEvent::ApplicationStateChange:
        if (static_cast<QApplicationStateChangeEvent*>(event)->applicationState() != Qt::ApplicationActive)
            hide();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

QPushButton* NxUserSwitchWidget::addButton(const char* key)
{
    auto* button = new QPushButton(tr(key), m_content);
    button->setObjectName(QLatin1String(key));
    button->setStyleSheet(m_buttonStyle);
    button->ensurePolished();
    const QFontMetrics metrics = button->fontMetrics();
    button->setFixedSize(qMax(px(66), metrics.horizontalAdvance(button->text()) + px(6)), qMax(px(20), metrics.height()));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

#include "NxUserSwitchWidget.h"

#include "NxAccessToolBarWidget.h"
#include "NxScale.h"

#include <QPushButton>
#include <QVBoxLayout>

NxUserSwitchWidget::NxUserSwitchWidget(NxAccessToolBarWidget* parent, double scale)
    : QWidget(parent)
    , m_scale(scale)
{
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::SplashScreen);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_DeleteOnClose);
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

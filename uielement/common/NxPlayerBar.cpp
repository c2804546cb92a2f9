#include "NxPlayerBar.h"

#include "NxScale.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

NxPlayerBar::NxPlayerBar(QWidget* parent, double scale)
    : QWidget(parent)
    , m_scale(scale)
{
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    initUi();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(placeOn(screen->geometry(), m_scale));
}

QPoint NxPlayerBar::placeOn(const QRect& screen, double scale)
{
    return QPoint(screen.right() - static_cast<int>(104 * scale + 98),
                  screen.bottom() - static_cast<int>(122 * scale + 48));
}

void NxPlayerBar::initUi()
{
    const QSize size(NxScale::px(98, m_scale), NxScale::px(48, m_scale));
    setFixedSize(size);
    auto* back = new QWidget(this);
    back->setObjectName(QStringLiteral("backWidget"));
    back->setAttribute(Qt::WA_StyledBackground);
    back->setStyleSheet(QStringLiteral("QWidget{background: rgba(0,0,0, 50 );border-radius: %1px; }")
                            .arg(NxScale::fractional(24, m_scale)));
    back->setFixedSize(size);

    m_button = new QPushButton(back);
    m_button->setObjectName(QStringLiteral("backButton"));
    m_button->setFixedSize(size);
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setStyleSheet(QStringLiteral("QPushButton{background: transparent;border:none;}"));

    auto* icon = new QLabel(m_button);
    icon->setFixedSize(NxScale::px(22, m_scale), NxScale::px(22, m_scale));
    icon->setStyleSheet(QStringLiteral("QLabel{border:none;background: transparent;"
                                       "border-image: url(:/images/ID_BROWSER_ROLLBACK.png)}"));
    auto* text = new QLabel(tr("ID_BROWSER_ROLLBACK"), m_button);
    text->setObjectName(QStringLiteral("backText"));
    text->setStyleSheet(QStringLiteral("font-family:Microsoft YaHei;background: transparent;font-size: %1px;"
                                       "color: #FFFFFF;")
                            .arg(NxScale::fractional(18, m_scale)));
    // A longer translation takes room from the trailing space, not the text.
    text->ensurePolished();
    const int textWidth = qMax(NxScale::px(36, m_scale), text->fontMetrics().horizontalAdvance(text->text()) + 1);
    text->setFixedSize(textWidth, NxScale::px(25, m_scale));

    auto* row = new QHBoxLayout(m_button);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addSpacing(NxScale::px(13, m_scale));
    row->addWidget(icon, 0, Qt::AlignLeft | Qt::AlignVCenter);
    row->addSpacing(NxScale::px(6, m_scale));
    row->addWidget(text, 0, Qt::AlignLeft | Qt::AlignVCenter);
    row->addStretch();

    connect(m_button, SIGNAL(clicked()), this, SIGNAL(signalExit()));
}

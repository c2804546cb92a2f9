#include "NxAccessToolBarWidget.h"

#include "NxQRCodeLogin.h"
#include "NxScale.h"
#include "NxUserSwitchWidget.h"

#include <QBitmap>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStackedWidget>

NxAccessToolBarWidget::NxAccessToolBarWidget(QWidget* parent, double scale)
    : QWidget(parent)
    , m_scale(scale)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setFixedSize(px(178), px(48));
    applyMask();
    const QString fontSize = m_scale < 0.8 ? QStringLiteral("12") : NxScale::fractional(18, m_scale);
    m_textStyle = QStringLiteral("QPushButton{border:none;background-color:rgba(0,0,0,0);color:#FFFFFF;font-family: Microsoft YaHei;"
                                 "font-size: %1px;}")
                      .arg(fontSize);
    makeQrWidget();
    m_userSwitch = new NxUserSwitchWidget(this, m_scale);
    m_userSwitch->hide();
    connect(m_userSwitch, SIGNAL(signalUserSwitch()), this, SLOT(slotUserSwitch()));
    connect(m_userSwitch, SIGNAL(signalLogOut()), this, SLOT(slotLogOut()));
}

NxAccessToolBarWidget::~NxAccessToolBarWidget()
{
    delete m_qrWidget;
    delete m_userSwitch;
}

void NxAccessToolBarWidget::makeQrWidget()
{
    m_qrWidget = new NxQRCodeLogin(this, m_scale);
    m_qrWidget->hide();
    connect(m_qrWidget, &NxQRCodeLogin::sigHidden, this, &NxAccessToolBarWidget::signQRHidden);
}

int NxAccessToolBarWidget::px(double design) const
{
    return NxScale::px(design, m_scale);
}

void NxAccessToolBarWidget::applyMask()
{
    QBitmap mask(size());
    mask.fill(Qt::color0);
    QPainter painter(&mask);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::color1);
    painter.drawRoundedRect(rect(), px(25), px(25));
    setMask(mask);
}

void NxAccessToolBarWidget::initWidget()
{
    if (m_stack)
        return;
    auto* content = new QWidget(this);
    content->setFixedSize(size());
    m_stack = new QStackedWidget(content);
    m_stack->setObjectName(QStringLiteral("stack"));
    m_stack->setFixedSize(size());
    m_stack->setStyleSheet(QStringLiteral("QStackedWidget#stack{background-color:rgba(0,0,0,0.2);}"));
    m_stack->addWidget(signedOutPage());
    m_stack->addWidget(signedInPage());
    m_stack->addWidget(new QWidget); // reserved, never filled
    m_stack->setCurrentIndex(0);
}

QPushButton* NxAccessToolBarWidget::iconButton(const QString& picture, QWidget* parent)
{
    auto* button = new QPushButton(parent);
    button->setFixedSize(px(22), px(22));
    button->setFocusPolicy(Qt::NoFocus);
    button->setStyleSheet(QStringLiteral("QPushButton{border:none;background-color:transparent;}"));
    button->setIcon(QIcon(picture));
    button->setIconSize(button->size());
    return button;
}

QPushButton* NxAccessToolBarWidget::textButton(const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setStyleSheet(m_textStyle);
    button->setFocusPolicy(Qt::NoFocus);
    button->ensurePolished(); // the style sheet's font decides the width
    // 48 design pixels, wider where a translation needs it.
    button->setFixedSize(qMax(px(48), button->fontMetrics().horizontalAdvance(text) + px(4)), px(25));
    return button;
}

QWidget* NxAccessToolBarWidget::signedOutPage()
{
    auto* page = new QWidget;
    m_loginIcon = iconButton(QStringLiteral(":/images/ID_LOGIN.png"), page);
    m_loginText = textButton(tr("ID_LOGIN"), page);
    m_exitIcon = iconButton(QStringLiteral(":/images/ID_EXIT.png"), page);
    m_exitText = textButton(tr("ID_EXIT"), page);
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addStretch();
    layout->addWidget(m_loginIcon);
    layout->addWidget(m_loginText);
    layout->addStretch();
    layout->addWidget(m_exitIcon);
    layout->addWidget(m_exitText);
    layout->addStretch();
    for (QPushButton* button : {m_loginIcon, m_loginText})
        connect(button, SIGNAL(clicked()), this, SLOT(slotLogin()));
    for (QPushButton* button : {m_exitIcon, m_exitText})
        connect(button, SIGNAL(clicked()), this, SLOT(slotExit()));
    return page;
}

QWidget* NxAccessToolBarWidget::signedInPage()
{
    auto* page = new QWidget;
    m_accountButton = new QPushButton(page);
    m_accountButton->setObjectName(QStringLiteral("account"));
    m_accountButton->setFixedSize(px(70), px(40));
    m_accountButton->setFocusPolicy(Qt::NoFocus);
    m_accountButton->setStyleSheet(QStringLiteral("QPushButton{border:none;background-color:transparent;}"));
    QPushButton* exitIcon = iconButton(QStringLiteral(":/images/ID_EXIT.png"), page);
    QPushButton* exitText = textButton(tr("ID_EXIT"), page);
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(5);
    layout->addStretch();
    layout->addWidget(m_accountButton);
    layout->addWidget(exitIcon);
    layout->addWidget(exitText);
    layout->addStretch();
    connect(m_accountButton, SIGNAL(clicked()), this, SLOT(slotAccount()));
    if (m_userSwitch)
        m_userSwitch->setToggleWidget(m_accountButton);
    for (QPushButton* button : {exitIcon, exitText})
        connect(button, SIGNAL(clicked()), this, SLOT(slotExit()));
    return page;
}

void NxAccessToolBarWidget::hidePopups()
{
    for (QWidget* popup : {static_cast<QWidget*>(m_qrWidget), static_cast<QWidget*>(m_userSwitch)}) {
        if (popup && !popup->isHidden())
            popup->hide();
    }
}

void NxAccessToolBarWidget::setCurMode(MODE mode)
{
    m_mode = mode;
    hidePopups();
    if (m_stack && mode >= MODE_LOGOUT && mode <= MODE_RESERVED)
        m_stack->setCurrentIndex(mode); // the reserved third page is empty
}

NxAccessToolBarWidget::MODE NxAccessToolBarWidget::curMode() const
{
    return m_mode;
}

int NxAccessToolBarWidget::currentPage() const
{
    return m_stack ? m_stack->currentIndex() : -1;
}

QPixmap NxAccessToolBarWidget::roundAvatar(const QImage& image, int diameter)
{
    QPixmap round(diameter, diameter);
    round.fill(Qt::transparent);
    if (image.isNull())
        return round;
    QPainter painter(&round);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    QPainterPath circle;
    circle.addEllipse(0, 0, diameter, diameter);
    painter.setClipPath(circle);
    painter.drawImage(QRect(0, 0, diameter, diameter),
                      image.scaled(diameter, diameter, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return round;
}

void NxAccessToolBarWidget::setUserImage(const QImage& image)
{
    if (!m_accountButton)
        return;
    m_accountButton->setIcon(QIcon(roundAvatar(image, px(32))));
    m_accountButton->setIconSize(QSize(px(32), px(32)));
}

void NxAccessToolBarWidget::showQRWidget(QPixmap pixmap, bool)
{
    if (!m_qrWidget)
        makeQrWidget();
    if (!m_qrWidget->isHidden()) {
        m_qrWidget->hide();
        return;
    }
    m_qrWidget->move(px(1405), px(707));
    m_qrWidget->showPicture(pixmap);
}

NxQRCodeLogin* NxAccessToolBarWidget::qrWidget() const
{
    return m_qrWidget;
}

NxUserSwitchWidget* NxAccessToolBarWidget::userSwitchWidget() const
{
    return m_userSwitch;
}

void NxAccessToolBarWidget::slotLogin()
{
    emit signalToolBarClicked(m_loginText ? m_loginText->text() : tr("ID_LOGIN"));
}

void NxAccessToolBarWidget::slotUserSwitch()
{
    slotLogin();
}

void NxAccessToolBarWidget::slotExit()
{
    emit signalToolBarClicked(m_exitText ? m_exitText->text() : tr("ID_EXIT"));
}

// The avatar toggles the popup; a tap anywhere else closes it (the popup
// watches for that itself).
void NxAccessToolBarWidget::slotAccount()
{
    if (m_userSwitch && m_userSwitch->isVisible()) {
        m_userSwitch->hide();
    } else if (m_userSwitch) {
        m_userSwitch->move(px(1420), px(855));
        m_userSwitch->show();
    }
    emit signalToolBarClicked(QStringLiteral("ID_ACCOUNT"));
}

void NxAccessToolBarWidget::slotLogOut()
{
    m_mode = MODE_LOGOUT;
    hidePopups();
    if (m_stack)
        m_stack->setCurrentIndex(0);
    emit signLogoutChangeStatus();
}

void NxAccessToolBarWidget::slotRollBack()
{
}

void NxAccessToolBarWidget::initAccessWidget()
{
}

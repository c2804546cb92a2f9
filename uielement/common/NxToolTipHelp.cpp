#include "NxToolTipHelp.h"

#include "NxScale.h"

#include <QGraphicsDropShadowEffect>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>

namespace {

const char* const kLabelSheet = "font-family: Microsoft YaHei;color:#ffffff;font:%1px;border-radius:%2px;"
                                "background-color:rgba(67, 68, 71, %3);";

} // namespace

NxToolTipHelp& NxToolTipHelp::Instance()
{
    // Never destroyed: a widget must not outlive the application object.
    static NxToolTipHelp* const instance = new NxToolTipHelp;
    return *instance;
}

NxToolTipHelp::NxToolTipHelp()
    : QWidget(nullptr)
    , m_label(new QLabel(this))
    , m_layout(new QHBoxLayout(this))
    , m_scale(NxScale::appFactor())
{
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_TranslucentBackground);
    m_label->setAlignment(Qt::AlignCenter);
    applyLabelStyle(QStringLiteral("0.5"));
    m_layout->setSpacing(0);
    m_layout->setContentsMargins(px(3), px(3), px(3), px(3));
    m_layout->addWidget(m_label);

    auto* shadow = new QGraphicsDropShadowEffect(this);
    shadow->setOffset(0, 0);
    shadow->setColor(QColor(103, 104, 113));
    shadow->setBlurRadius(10);
    setGraphicsEffect(shadow);

    m_delayTimer.setSingleShot(true);
    m_delayTimer.setInterval(200);
    connect(&m_delayTimer, SIGNAL(timeout()), this, SLOT(slotShowDelayed()));
    connect(&m_inTimer, SIGNAL(timeout()), this, SLOT(OnTimer()));
    connect(&m_outTimer, SIGNAL(timeout()), this, SLOT(OutTimer()));
}

void NxToolTipHelp::setMesseage(const QString& text)
{
    if (text.isEmpty())
        return;
    fitLabel(text, 20);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    const QRect bounds = m_label->fontMetrics().boundingRect(text);
    move(area.center().x() - bounds.width() / 2 - px(40), area.center().y() - bounds.height() / 2 - px(10));
    m_delayTimer.start();
}

void NxToolTipHelp::setMesseage(const QString& text, const QPoint& pos)
{
    if (text.isEmpty())
        return;
    fitLabel(text, 40);
    move(pos);
    // Shown at once: a pending delayed start would only restart it later.
    m_delayTimer.stop();
    startCycle();
}

void NxToolTipHelp::stopToast()
{
    m_delayTimer.stop();
    if (isVisible())
        hide();
}

void NxToolTipHelp::OnTimer()
{
    m_step -= 3;
    if (m_step >= 1) {
        applyLabelStyle(QStringLiteral("0.55"));
        return;
    }
    m_inTimer.stop();
    m_step = 130;
    m_outTimer.start(10);
}

void NxToolTipHelp::OutTimer()
{
    m_step -= 4;
    if (m_step >= 1) {
        applyLabelStyle(QString::number(m_step));
        return;
    }
    m_outTimer.stop();
    hide();
}

void NxToolTipHelp::slotShowDelayed()
{
    startCycle();
}

int NxToolTipHelp::px(double design) const
{
    return NxScale::px(design, m_scale);
}

void NxToolTipHelp::fitLabel(const QString& text, int designPadHeight)
{
    m_label->ensurePolished();
    const QRect bounds = m_label->fontMetrics().boundingRect(text);
    m_label->setFixedSize(bounds.width() + px(80), bounds.height() + px(designPadHeight));
    m_label->setText(text);
    applyLabelStyle(QStringLiteral("0.5"));
    adjustSize();
}

void NxToolTipHelp::applyLabelStyle(const QString& alpha)
{
    const int radius = m_label->height() / 2;
    m_label->setStyleSheet(QString::fromLatin1(kLabelSheet).arg(px(14)).arg(radius).arg(alpha));
}

void NxToolTipHelp::startCycle()
{
    show();
    activateWindow();
    m_step = 200;
    m_inTimer.start(20);
    m_outTimer.stop();
}

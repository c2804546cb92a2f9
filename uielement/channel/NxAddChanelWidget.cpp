#include "NxAddChanelWidget.h"

#include "NxScale.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

NxAddChanelWidget::NxAddChanelWidget(QWidget* parent)
    : NxChannelWidget(parent)
    , m_scale(NxScale::appFactor())
{
}

int NxAddChanelWidget::px(double design) const
{
    return NxScale::px(design, m_scale);
}

void NxAddChanelWidget::setWidgetSize(int w, int h)
{
    setFixedSize(w, h);
    if (m_pBackWidget) {
        m_pBackWidget->setFixedSize(w, h);
        return;
    }
    m_pBackWidget = new QWidget(this);
    m_pBackWidget->setObjectName(QStringLiteral("m_pBackWidget"));
    m_pBackWidget->setAttribute(Qt::WA_StyledBackground);
    m_pBackWidget->setFixedSize(w, h);
    m_pBackWidget->setStyleSheet(QStringLiteral("QWidget#m_pBackWidget{border:1px solid rgba(255,255,255,51);"
                                                "border-radius:%1px;background-color:rgba(255,255,255,51);}")
                                     .arg(px(4)));
    m_pBackWidget->installEventFilter(this);

    auto* sign = new QLabel(m_pBackWidget);
    sign->setObjectName(QStringLiteral("addBtn"));
    sign->setFixedSize(px(48), px(48));
    sign->setPixmap(QPixmap(QStringLiteral(":/images/ID_ADD_CHANNEL.png"))
                        .scaled(sign->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    m_nameLabel = new QLabel(m_pBackWidget);
    m_nameLabel->setObjectName(QStringLiteral("addNameLabel"));
    m_nameLabel->setAlignment(Qt::AlignCenter);
    m_nameLabel->setWordWrap(true);
    m_nameLabel->setStyleSheet(QStringLiteral("QLabel{background:transparent;border:none;font-family:Microsoft YaHei;"
                                              "font-size:%1px;color:rgba(255,255,255,102);}")
                                   .arg(px(18)));
    m_nameLabel->setText(m_panelData.value(QStringLiteral("name")).toString());

    auto* layout = new QVBoxLayout(m_pBackWidget);
    layout->setContentsMargins(px(8), 0, px(8), 0);
    layout->setSpacing(px(12));
    layout->addStretch();
    layout->addWidget(sign, 0, Qt::AlignHCenter);
    layout->addWidget(m_nameLabel);
    layout->addStretch();
    m_pBackWidget->setVisible(!m_channelMode);
}

void NxAddChanelWidget::setData(QJsonObject json)
{
    m_panelData = json;
    if (m_nameLabel)
        m_nameLabel->setText(json.value(QStringLiteral("name")).toString());
}

void NxAddChanelWidget::setItem(QJsonObject json)
{
    m_channelMode = true;
    if (m_pBackWidget)
        m_pBackWidget->hide();
    NxChannelWidget::setItem(json);
}

void NxAddChanelWidget::setAddMode()
{
    m_channelMode = false;
    if (m_pBackWidget) {
        m_pBackWidget->show();
        m_pBackWidget->raise();
    }
    renewItem(QJsonObject());
}

bool NxAddChanelWidget::isChannelMode() const
{
    return m_channelMode;
}

bool NxAddChanelWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_pBackWidget)
        return NxChannelWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Enter:
        m_delShownOnEnter = QCoreApplication::instance()->property("delWgtShow").toBool();
        break;
    // A quick second tap arrives as a double click; it is a tap all the same.
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        m_press.press(static_cast<QMouseEvent*>(event)->globalPos());
        return true;
    case QEvent::MouseButtonRelease:
        if (m_delShownOnEnter)
            m_delShownOnEnter = false;
        else if (m_press.within(static_cast<QMouseEvent*>(event)->globalPos(), px(20)))
            emit sigAddChannelClicked(m_panelData);
        return true;
    default:
        break;
    }
    return NxChannelWidget::eventFilter(watched, event);
}

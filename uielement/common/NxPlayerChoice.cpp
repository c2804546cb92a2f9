#include "NxPlayerChoice.h"

#include "NxScale.h"

#include <QHBoxLayout>
#include <QPushButton>

NxPlayerChoice::NxPlayerChoice(QWidget* parent, double scale)
    : QWidget(parent)
    , m_scale(scale)
{
    setObjectName(QStringLiteral("playerChoice"));
    m_row = new QHBoxLayout(this);
    m_row->setContentsMargins(0, 0, 0, 0);
    m_row->setSpacing(NxScale::px(32, m_scale));
    hide();
}

void NxPlayerChoice::offer(const QStringList& texts, const QIcon& icon)
{
    while (QLayoutItem* item = m_row->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const QString style = QStringLiteral(
        "QPushButton{font-family:Microsoft YaHei;font-size:%1px;color:#FFFFFF;background:rgba(0,0,0,150);"
        "border:%2px solid rgba(255,255,255,200);border-radius:%3px;padding:0 %4px;}"
        "QPushButton:pressed{background:rgba(255,255,255,90);}"
        "QPushButton#choice0{background:rgba(65,105,225,220);border-color:#4169E1;}");
    for (int i = 0; i < texts.size(); ++i) {
        auto* button = new QPushButton(texts.at(i), this);
        button->setObjectName(QStringLiteral("choice%1").arg(i));
        button->setFocusPolicy(Qt::NoFocus);
        button->setStyleSheet(style.arg(NxScale::fractional(26, m_scale), NxScale::fractional(2, m_scale),
                                        NxScale::fractional(40, m_scale), NxScale::fractional(36, m_scale)));
        if (i == 0 && !icon.isNull()) {
            button->setIcon(icon);
            button->setIconSize(QSize(NxScale::px(44, m_scale), NxScale::px(44, m_scale)));
        }
        button->setMinimumHeight(NxScale::px(80, m_scale));
        connect(button, &QPushButton::clicked, this, [this, i] { emit chosen(i); });
        m_row->addWidget(button);
    }
    adjustSize();
    place();
}

void NxPlayerChoice::place()
{
    if (QWidget* owner = parentWidget())
        move((owner->width() - width()) / 2, (owner->height() - height()) / 2);
}

#include "NxFileDialogTitle.h"

#include "NxPushButton.h"
#include "NxScale.h"

#include <QHBoxLayout>
#include <QLabel>

NxFileDialogTitle::NxFileDialogTitle(QWidget* parent, double scale)
    : QWidget(parent)
{
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("title"));
    m_title->setStyleSheet(QStringLiteral("QLabel#title{font: %1px 'Microsoft YaHei'; color:#333333; font-weight:500;}")
                               .arg(NxScale::px(16, scale)));
    m_closeBtn = new NxPushButton(this, scale);
    m_closeBtn->setObjectName(QStringLiteral("closeBtn"));
    m_closeBtn->setPixName(QStringLiteral(":/rc/icon/pop_top_close"));
    m_closeBtn->setFixedSize(NxScale::px(38, scale), NxScale::px(38, scale));
    m_closeBtn->setFocusPolicy(Qt::NoFocus);
    connect(m_closeBtn, &QPushButton::clicked, this, &NxFileDialogTitle::sgl_Close);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(NxScale::px(20, scale), 0, NxScale::px(2, scale), 0);
    layout->setSpacing(0);
    layout->addWidget(m_title, 1);
    layout->addWidget(m_closeBtn, 0, Qt::AlignRight | Qt::AlignVCenter);
}

void NxFileDialogTitle::setTitle(const QString& text)
{
    m_title->setText(text);
}

QString NxFileDialogTitle::title() const
{
    return m_title->text();
}

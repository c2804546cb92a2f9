#include "NxMessagePromptDialog.h"

#include "NxPromptPanel.h"
#include "NxScale.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

NxMessagePromptDialog::NxMessagePromptDialog(QWidget* parent)
    : NxCommonDialogEffect(parent, 1.0)
{
    const double scale = scaleFactor();
    NxPromptPanel::prepareWindow(this, scale);
    setAttribute(Qt::WA_DeleteOnClose);

    m_background = NxPromptPanel::createBackground(this, QStringLiteral("msgdlg"));
    m_label = NxPromptPanel::createLabel(m_background, tr("ID_CANNOT_DELETE"), QSize(140, 26), scale);
    m_button = new QPushButton(m_background);
    m_button->setFixedSize(NxScale::px(148, scale), NxScale::px(40, scale));
    m_button->setStyleSheet(NxPromptPanel::gradientButtonSheet(scale));
    connect(m_button, SIGNAL(clicked()), this, SLOT(close()));
    updateButtonText();

    QVBoxLayout* column = NxPromptPanel::createColumn(m_background, m_label, scale);
    column->addWidget(m_button, 0, Qt::AlignHCenter);
    column->addStretch();
    setCenterWidget(m_background);

    connect(&m_timer, SIGNAL(timeout()), this, SLOT(slotTimeout()));
    m_timer.start(1000);
}

void NxMessagePromptDialog::slotTimeout()
{
    --m_countdown;
    updateButtonText();
    if (m_countdown < 1) {
        m_timer.stop();
        close();
    }
}

void NxMessagePromptDialog::updateButtonText()
{
    m_button->setText(tr("ID_OK") + tr(" %1S").arg(m_countdown));
}

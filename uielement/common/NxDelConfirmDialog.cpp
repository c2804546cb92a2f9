#include "NxDelConfirmDialog.h"

#include "NxPromptPanel.h"
#include "NxScale.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

NxDelConfirmDialog::NxDelConfirmDialog(QWidget* parent)
    : NxCommonDialogEffect(parent, 1.0)
{
    const double scale = scaleFactor();
    NxPromptPanel::prepareWindow(this, scale);

    m_background = NxPromptPanel::createBackground(this, QStringLiteral("msgdlg"));
    m_label = NxPromptPanel::createLabel(m_background, tr("ID_DELETE_CONFIRM"), QSize(180, 26), scale);
    m_cancelButton = createButton(QStringLiteral("m_cancelButton"), tr("ID_CANCEL"),
                                  NxPromptPanel::gradientButtonSheet(scale));
    m_okButton = createButton(QStringLiteral("m_okButton"), tr("ID_OK"),
                              QStringLiteral("QPushButton{background-color:#3A4144;color:#FFFFFF;border-radius:%1px;"
                                             "font-size:%1px;font-family:MicrosoftYaHei;}")
                                  .arg(NxScale::fractional(20, scale)));
    connect(m_cancelButton, SIGNAL(clicked()), this, SLOT(close()));
    connect(m_okButton, SIGNAL(clicked()), this, SIGNAL(sigDelConfirmed()));

    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(m_cancelButton);
    row->addSpacing(NxScale::px(40, scale));
    row->addWidget(m_okButton);
    row->addStretch();
    QVBoxLayout* column = NxPromptPanel::createColumn(m_background, m_label, scale);
    column->addLayout(row);
    column->addStretch();
    setCenterWidget(m_background);
}

QPushButton* NxDelConfirmDialog::createButton(const QString& objectName, const QString& text, const QString& sheet)
{
    auto* button = new QPushButton(text, m_background);
    button->setObjectName(objectName);
    const double scale = scaleFactor();
    button->setFixedSize(NxScale::px(110, scale), NxScale::px(40, scale));
    button->setStyleSheet(sheet);
    return button;
}

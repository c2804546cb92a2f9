#include "NxSecWindow.h"

#include "NxPromptPanel.h"
#include "NxScale.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A row holding w centred between two stretches.
QHBoxLayout* centredRow(QWidget* w)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(w);
    row->addStretch();
    return row;
}

} // namespace

NxSecWindow::NxSecWindow(QWidget* parent)
    : NxCommonDialogEffect(parent, 1.0)
{
    const double scale = scaleFactor();
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(NxScale::px(500, scale), NxScale::px(300, scale));
    setAttribute(Qt::WA_DeleteOnClose);
    m_timer.setInterval(1000);
    connect(&m_timer, SIGNAL(timeout()), this, SLOT(slotChangeTime()));
    initUi();
    m_timer.start();
}

void NxSecWindow::closeWin()
{
    finish();
}

void NxSecWindow::slotChangeTime()
{
    --m_countdown;
    if (m_countdown <= 0) {
        finish();
        return;
    }
    updateButtonText();
}

void NxSecWindow::initUi()
{
    const double scale = scaleFactor();
    const QString fontSize = NxScale::fractional(20, scale);
    QWidget* background = NxPromptPanel::createBackground(this, QStringLiteral("sec"));

    m_label = new QLabel(tr("ID_NOLIVE"), background);
    m_label->setWordWrap(true);
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setFixedSize(NxScale::px(240, scale), NxScale::px(80, scale));
    m_label->setStyleSheet(QStringLiteral("font-family:Microsoft YaHei;font-size:%1px;color:white").arg(fontSize));
    NxPromptPanel::fitLabel(m_label, NxScale::px(440, scale));

    m_button = new QPushButton(background);
    m_button->setFixedSize(NxScale::px(150, scale), NxScale::px(40, scale));
    m_button->setStyleSheet(QStringLiteral("font-family:Microsoft YaHei;font-size:%1px;background-color:#00BFFF;"
                                           "border-radius:%2px;color:white")
                                .arg(fontSize, fontSize));
    connect(m_button, SIGNAL(clicked()), this, SLOT(closeWin()));
    updateButtonText();

    auto* column = new QVBoxLayout(background);
    column->addStretch();
    column->addStretch();
    column->addLayout(centredRow(m_label));
    column->addStretch();
    column->addLayout(centredRow(m_button));
    column->addStretch();
    column->addStretch();
    setCenterWidget(background);
}

void NxSecWindow::updateButtonText()
{
    m_button->setText(tr("ID_KNOW") + tr(" %1S").arg(m_countdown));
}

// Both ways out end here; the stopped timer marks the window as finished so
// the signal goes out once.
void NxSecWindow::finish()
{
    if (!m_timer.isActive())
        return;
    m_timer.stop();
    close();
    emit signCloseSec();
}

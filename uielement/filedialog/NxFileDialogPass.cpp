#include "NxFileDialogPass.h"

#include "DriveButton.h"
#include "NxFilePlaces.h"
#include "NxScale.h"

#include <QScrollArea>
#include <QScroller>
#include <QVBoxLayout>

NxFileDialogPass::NxFileDialogPass(QWidget* parent, double scale)
    : QWidget(parent)
    , m_scale(scale)
{
    // Many disks scroll under the finger instead of squeezing the buttons.
    auto* area = new QScrollArea(this);
    area->setObjectName(QStringLiteral("passarea"));
    area->setFrameShape(QFrame::NoFrame);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setWidgetResizable(true);
    auto* column = new QWidget(area);
    column->setObjectName(QStringLiteral("passcolumn"));
    m_layout = new QVBoxLayout(column);
    m_layout->setContentsMargins(0, NxScale::px(8, scale), 0, NxScale::px(8, scale));
    m_layout->setSpacing(NxScale::px(2, scale));
    m_layout->addStretch(1);
    area->setWidget(column);
    QScroller::grabGesture(area->viewport(), QScroller::TouchGesture);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(area);
}

DriveButton* NxFileDialogPass::addPlace(const QString& pass, const QString& caption, const QString& icon,
                                        const QString& iconNormal, const QString& netId)
{
    auto* button = new DriveButton(this, m_scale, pass, caption, icon, iconNormal, netId);
    connect(button, &DriveButton::sgl_Pressed, this, &NxFileDialogPass::slot_ButtonPressed);
    m_layout->insertWidget(m_layout->count() - 1, button);
    m_buttons.append(button);
    return button;
}

void NxFileDialogPass::removeDisks()
{
    for (int i = m_buttons.size() - 1; i >= 0; --i) {
        if (NxFilePlaces::isDisk(m_buttons.at(i)->pass()))
            delete m_buttons.takeAt(i);
    }
}

void NxFileDialogPass::setCurrentPass(const QString& pass)
{
    for (DriveButton* b : m_buttons)
        b->setCurrent(b->pass() == pass);
}

DriveButton* NxFileDialogPass::button(const QString& pass) const
{
    for (DriveButton* b : m_buttons) {
        if (b->pass() == pass)
            return b;
    }
    return nullptr;
}

void NxFileDialogPass::slot_ButtonPressed(DriveButton* pButton)
{
    if (pButton && pButton->isEnabled())
        emit sgl_ChangePass(pButton->pass(), pButton->netId());
}

#include "NxAddChannelGridWidget.h"

#include "NxAddChanelWidget.h"
#include "NxGridWidget.h"
#include "NxScale.h"

#include <QDebug>
#include <QGridLayout>
#include <QVBoxLayout>

NxAddChannelGridWidget::NxAddChannelGridWidget(QWidget* parent)
    : QWidget(parent)
    , m_scale(NxScale::appFactor())
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    m_content = new QWidget(this);
    m_content->setObjectName(QStringLiteral("pWidget"));
    m_content->setStyleSheet(QStringLiteral("QWidget#pWidget{background:transparent;border:none;}"));
    outer->addWidget(m_content);
    m_layout = new QGridLayout(m_content);
    m_layout->setContentsMargins(0, 0, px(8), 0);
    m_layout->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

int NxAddChannelGridWidget::px(double design) const
{
    return NxScale::px(design, m_scale);
}

void NxAddChannelGridWidget::setBaseParam(int width, int height, int tileWidth, int tileHeight, int rows, int columns)
{
    Q_UNUSED(rows)
    setFixedSize(width, height);
    m_tileWidth = tileWidth;
    m_tileHeight = tileHeight;
    m_columns = qMax(1, columns);
    // The right margin is part of the width: the cells share what is left.
    m_layout->setSpacing(NxGridWidget::cellSpacing(width - px(8), tileWidth, m_columns));
}

void NxAddChannelGridWidget::setControlManager(INxControllerManager* mgr)
{
    m_controlManager = mgr;
}

int NxAddChannelGridWidget::getChannelCount() const
{
    return m_channelCount;
}

// The first array always builds, even of one element: the count of one the
// grid starts with stands for no slots yet.
void NxAddChannelGridWidget::setData(QJsonArray slotData)
{
    if (m_built && slotData.size() == m_slotCount)
        return;
    m_built = true;
    m_slotCount = slotData.size();
    clearSlots();
    for (int i = 0; i < slotData.size(); ++i) {
        auto* slot = new NxAddChanelWidget(m_content);
        slot->setControlManager(m_controlManager);
        slot->setMarkLabelVisable(false);
        slot->setWidgetSize(m_tileWidth, m_tileHeight);
        slot->setData(slotData.at(i).toObject());
        connect(slot, SIGNAL(sigAddChannelClicked(QJsonObject)), this, SIGNAL(sigAddChannelClicked(QJsonObject)));
        connect(slot, SIGNAL(sigDelChannel(QJsonObject)), this, SIGNAL(sigDelChannel(QJsonObject)));
        connect(slot, SIGNAL(sigWidgetClicked(QJsonObject)), this, SIGNAL(sigWidgetClicked(QJsonObject)));
        m_layout->addWidget(slot, i / m_columns, i % m_columns);
        m_slots.append(slot);
    }
}

void NxAddChannelGridWidget::clearSlots()
{
    for (NxAddChanelWidget* slot : qAsConst(m_slots)) {
        m_layout->removeWidget(slot);
        slot->hide();
        slot->deleteLater();
    }
    m_slots.clear();
    m_channelCount = 0;
}

NxAddChanelWidget* NxAddChannelGridWidget::slotAt(int index, const char* caller) const
{
    if (index >= 0 && index < m_slots.size())
        return m_slots.at(index);
    qDebug() << caller << "no slot" << index << "of" << m_slots.size();
    return nullptr;
}

// The count follows what the slots show, so placing a channel over another
// or emptying an empty slot cannot put it out of step.
void NxAddChannelGridWidget::setChannelMode(int index, const QJsonObject& channel)
{
    NxAddChanelWidget* slot = slotAt(index, "NxAddChannelGridWidget::setChannelMode");
    if (!slot)
        return;
    if (!slot->isChannelMode())
        ++m_channelCount;
    slot->setItem(channel);
}

void NxAddChannelGridWidget::setAddMode(int index)
{
    NxAddChanelWidget* slot = slotAt(index, "NxAddChannelGridWidget::setAddMode");
    if (!slot)
        return;
    if (slot->isChannelMode())
        --m_channelCount;
    slot->setAddMode();
}

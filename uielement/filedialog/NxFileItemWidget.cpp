#include "NxFileItemWidget.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QStyle>

NxFileItemWidget::NxFileItemWidget(QWidget* parent, int index, const NxFileEntry& entry)
    : QWidget(parent)
    , m_back(new QWidget(this))
    , m_index(index)
    , m_entry(entry)
{
    setAttribute(Qt::WA_StyledBackground);
    m_back->setObjectName(QStringLiteral("backwidget"));
    m_back->setAttribute(Qt::WA_StyledBackground);
}

void NxFileItemWidget::setPicture(const QPixmap& pixmap)
{
    m_picture->setPixmap(pixmap.scaled(pictureSize(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void NxFileItemWidget::changeSelectStatus(bool selected)
{
    m_selected = selected;
    applySelectedLook();
}

void NxFileItemWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        m_pressPos = event->globalPos();
    }
    event->accept();
}

// A finger that moved is scrolling the view, not choosing this entry.
void NxFileItemWidget::mouseReleaseEvent(QMouseEvent* event)
{
    const bool tap = m_pressed && (event->globalPos() - m_pressPos).manhattanLength() <= QApplication::startDragDistance()
        && rect().contains(event->pos());
    m_pressed = false;
    event->accept();
    if (tap)
        emit sglSelectedStatusChanged(m_index, !m_selected);
}

// Nothing of this row is touched after its signal: the listing may be
// rebuilt inside it.
void NxFileItemWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_pressed = false;
    event->accept();
    if (event->button() == Qt::LeftButton)
        emit sglItemDoubleClick(m_index);
}

void NxFileItemWidget::restyleBack()
{
    if (m_back->property("selected").toBool() == m_selected)
        return;
    m_back->setProperty("selected", m_selected);
    m_back->style()->unpolish(m_back);
    m_back->style()->polish(m_back);
    m_back->update();
}

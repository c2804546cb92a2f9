#include "NxComboBox.h"

#include <QListView>
#include <QWheelEvent>

NxComboBox::NxComboBox(QWidget* parent)
    : QComboBox(parent)
{
    // A list view lets the style sheet give the entries finger-sized rows.
    setView(new QListView(this));
}

void NxComboBox::wheelEvent(QWheelEvent* event)
{
    event->ignore();
}

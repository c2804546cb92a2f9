#pragma once

#include "NxFileDialogTypes.h"

#include <QPoint>
#include <QWidget>

class QLabel;

// What a list row and a thumbnail tile share: the entry's index, its
// chosen state, the back widget that shows it, the picture, and taps that
// are not the start of a scroll.
class NxFileItemWidget : public QWidget
{
    Q_OBJECT

public:
    NxFileItemWidget(QWidget* parent, int index, const NxFileEntry& entry);

    int index() const { return m_index; }
    const NxFileEntry& entry() const { return m_entry; }
    bool isSelected() const { return m_selected; }
    // Shows pixmap in the picture label, fitted into pictureSize().
    void setPicture(const QPixmap& pixmap);
    virtual QSize pictureSize() const = 0;

signals:
    void sglSelectedStatusChanged(int nIndex, bool bSelected);
    void sglItemDoubleClick(int nIndex);

public slots:
    virtual void changeSelectStatus(bool selected);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    virtual void applySelectedLook() = 0;
    // The back widget's look follows its "selected" property.
    void restyleBack();

    QWidget* m_back; // "backwidget", styled when chosen
    QLabel* m_picture = nullptr; // made by the row or tile

private:
    int m_index;
    NxFileEntry m_entry;
    bool m_selected = false;
    bool m_pressed = false;
    QPoint m_pressPos;
};

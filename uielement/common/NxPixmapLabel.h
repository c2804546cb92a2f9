#pragma once

#include "TavoUIElementGlobal.h"

#include <QPixmap>
#include <QWidget>

class QHBoxLayout;
class QLabel;

// An icon followed by a text, sized to what it shows.
class TAVOUIELEMENT_EXPORT NxPixmapLabel : public QWidget
{
    Q_OBJECT

public:
    NxPixmapLabel(QWidget* parent, const QPixmap& pixmap, const QString& text);

    QString text() const;
    QPixmap pixmap() const;

private:
    QString m_text;
    QPixmap m_pixmap;
    QLabel* m_iconLabel = nullptr;
    QLabel* m_textLabel = nullptr;
    QHBoxLayout* m_layout = nullptr;
};

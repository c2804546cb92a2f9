#include "NxPixmapLabel.h"

#include <QHBoxLayout>
#include <QLabel>

NxPixmapLabel::NxPixmapLabel(QWidget* parent, const QPixmap& pixmap, const QString& text)
    : QWidget(parent)
    , m_text(text)
    , m_pixmap(pixmap)
    , m_iconLabel(new QLabel(this))
    , m_textLabel(new QLabel(text, this))
    , m_layout(new QHBoxLayout(this))
{
    setContentsMargins(0, 0, 0, 0);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(5);

    m_iconLabel->setPixmap(pixmap);
    m_iconLabel->setFixedSize(pixmap.size());
    // Without a picture the text alone is centred, not pushed by the spacing.
    m_iconLabel->setVisible(!pixmap.isNull());

    m_textLabel->setContentsMargins(0, 0, 0, 0);
    m_textLabel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    m_layout->addWidget(m_iconLabel);
    m_layout->addWidget(m_textLabel);
}

QString NxPixmapLabel::text() const
{
    return m_text;
}

QPixmap NxPixmapLabel::pixmap() const
{
    return m_pixmap;
}

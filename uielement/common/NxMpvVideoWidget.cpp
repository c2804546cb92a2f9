#include "NxMpvVideoWidget.h"

#include <QPainter>

NxMpvVideoWidget::NxMpvVideoWidget(QSharedPointer<mpv_handle> core, QWidget* parent)
    : QWidget(parent)
    , m_renderer(std::move(core), this, "slotRender")
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

bool NxMpvVideoWidget::usesOpenGl() const
{
    return m_renderer.usesOpenGl();
}

QImage NxMpvVideoWidget::picture() const
{
    return m_picture;
}

void NxMpvVideoWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!m_picture.isNull())
        painter.drawImage(rect(), m_picture);
}

// Runs while the window is hidden too: the stream counts as started once a
// picture of it is ready, and the window shows that picture at once.
void NxMpvVideoWidget::slotRender()
{
    const QSize target = size() * devicePixelRatioF();
    bool fresh = false;
    if (!m_renderer.render(target, m_picture, fresh))
        return;
    update();
    if (fresh)
        emit frameRendered();
}

#pragma once

#include "NxMpvRenderer.h"

#include <QImage>
#include <QSharedPointer>
#include <QWidget>

struct mpv_handle;

// Shows the stream's current picture, drawn by the renderer at the widget's
// size in device pixels.
class NxMpvVideoWidget : public QWidget
{
    Q_OBJECT

public:
    NxMpvVideoWidget(QSharedPointer<mpv_handle> core, QWidget* parent);

    bool usesOpenGl() const;
    QImage picture() const;

signals:
    void frameRendered();

protected:
    void paintEvent(QPaintEvent* event) override;

private slots:
    void slotRender();

private:
    QImage m_picture;
    NxMpvRenderer m_renderer;
};

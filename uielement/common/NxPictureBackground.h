#pragma once

#include "TavoUIElementGlobal.h"

#include <QPixmap>
#include <QWidget>

// A widget whose background is a picture stretched over it, as a style
// sheet's border-image would draw it, but decoded once at the size it is
// shown: a 3840 x 2160 picture on a 1920 x 1080 screen costs a quarter of the
// memory and is never scaled again while painting. Widgets of one size share
// the pixmap.
class TAVOUIELEMENT_EXPORT NxPictureBackground : public QWidget
{
    Q_OBJECT

public:
    NxPictureBackground(const QString& picture, QWidget* parent);

    QString picture() const;
    // The decoded picture; null until the widget is first painted.
    QPixmap pixmap() const;

    // The picture decoded at exactly this size (already scaled while decoding
    // where the format allows), null with a log line when it cannot be read.
    static QImage decodeAt(const QString& picture, const QSize& size);
    // Starts decoding the picture for a widget of this size (in device
    // pixels) on another thread, for a window about to be built.
    static void preload(const QString& picture, const QSize& size);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_picture;
    QPixmap m_pixmap;
};

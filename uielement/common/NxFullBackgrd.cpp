#include "NxFullBackgrd.h"

#include <QGuiApplication>
#include <QScreen>

NxFullBackgrd::NxFullBackgrd(QWidget* parent, double scale)
    : QWidget(parent)
    , m_scale(scale)
{
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect full = screen->geometry();
        setFixedSize(full.size());
        move(full.topLeft());
    }
    // A plain widget paints its style-sheet background only when asked to.
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("QWidget{ background: rgba(0,0,0, 255);}"));
}

double NxFullBackgrd::scaleFactor() const
{
    return m_scale;
}

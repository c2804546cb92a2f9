#pragma once

#include "TavoUIElementGlobal.h"

#include <QWidget>

// An opaque black backdrop over the whole primary screen, behind the player.
class TAVOUIELEMENT_EXPORT NxFullBackgrd : public QWidget
{
    Q_OBJECT

public:
    NxFullBackgrd(QWidget* parent, double scale);

    double scaleFactor() const;

private:
    double m_scale = 1.0;
};

#pragma once

#include "TavoUIElementGlobal.h"

#include <QDialog>

class QLabel;
class QMovie;

// The loading animation shown while a live code is being checked.
class TAVOUIELEMENT_EXPORT NxAnimaWgt : public QDialog
{
    Q_OBJECT

public:
    explicit NxAnimaWgt(QWidget* parent);

    QMovie* movie() const;

private:
    double m_scale = 1.0;
    QMovie* m_movie = nullptr;
    QLabel* m_label = nullptr;
};

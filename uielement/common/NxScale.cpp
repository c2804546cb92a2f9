#include "NxScale.h"

#include <QCoreApplication>
#include <QLocale>
#include <QVariant>

double NxScale::appFactor(double fallback)
{
    const QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return fallback;
    bool ok = false;
    const double factor = app->property("scalefactor").toDouble(&ok);
    // An unset or nonsense factor would collapse every widget to nothing.
    return ok && factor > 0.0 ? factor : fallback;
}

int NxScale::px(double design, double scale)
{
    return static_cast<int>(design * scale);
}

QString NxScale::fractional(double design, double scale)
{
    return QString::number(design * scale, 'g', QLocale::FloatingPointShortest);
}

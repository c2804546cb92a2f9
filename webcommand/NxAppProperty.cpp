#include "NxAppProperty.h"

#include <QCoreApplication>
#include <QVariant>

QString NxAppProperty::text(const char* name)
{
    return QCoreApplication::instance() ? QCoreApplication::instance()->property(name).toString() : QString();
}

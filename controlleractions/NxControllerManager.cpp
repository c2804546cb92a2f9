#include "NxControllerManager.h"

NxControllerManager::NxControllerManager(QObject* parent)
    : QObject(parent)
{
}

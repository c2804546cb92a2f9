#include "NxNetWorkManager.h"

#include "NxNetWorkChecker.h"
#include "NxUserActionManager.h"

NxNetWorkManager::NxNetWorkManager(QObject* parent)
    : QObject(parent)
    , m_checker(new NxNetWorkChecker(this))
    , m_userActions(new NxUserActionManager(this))
{
}

INxNetWorkChecker* NxNetWorkManager::getNetChecker()
{
    return m_checker;
}

INxUserActionManager* NxNetWorkManager::getUserActionManager()
{
    return m_userActions;
}

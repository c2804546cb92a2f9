#pragma once

#include "INxNetWorkManager.h"
#include "RelaynetGlobal.h"

#include <QObject>

class NxNetWorkChecker;
class NxUserActionManager;

// Owns the checker and the recorder handed out by NxRelaynet::getInst.
class RELAYNET_EXPORT NxNetWorkManager : public QObject, public INxNetWorkManager
{
    Q_OBJECT

public:
    explicit NxNetWorkManager(QObject* parent = nullptr);

    INxNetWorkChecker* getNetChecker() override;
    INxUserActionManager* getUserActionManager() override;

private:
    NxNetWorkChecker* m_checker;
    NxUserActionManager* m_userActions;
};

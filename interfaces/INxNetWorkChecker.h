#pragma once

#include <QString>

class QObject;

// Tells whether the cloud service is reachable. getObject() emits
//   sglNetWorkStateChanged(bool)          whenever reachability changes
//   sglResultNetWorkCheck(bool, QString)  exactly once per startCheck
class INxNetWorkChecker
{
public:
    virtual ~INxNetWorkChecker() = default;

    virtual QObject* getObject() = 0;
    virtual void setCheckMode(QString mode) = 0;
    virtual void startCheck(QString action, QString trigger) = 0;
};

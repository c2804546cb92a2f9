#pragma once

#include <QJsonObject>
#include <QString>

// Receives the names of user actions for usage statistics.
class INxUserActionManager
{
public:
    virtual ~INxUserActionManager() = default;

    virtual void setAppInfo(QString appkey, QString appname, QString version) = 0;
    virtual void setUploadSize(int uploadSize) = 0;
    virtual void recordAction(QString actionId, QJsonObject data) = 0;
};

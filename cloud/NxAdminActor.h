#pragma once

#include <QString>
#include <QtGlobal>

// The admin a request of the admin API acts for; the audit log names them.
struct NxAdminActor
{
    qint64 adminId = 0;
    QString name;
};

#pragma once

#include <QJsonObject>
#include <QString>

struct NxCloudReply;

// What an admin operation answers: a status with a JSON body, or a status
// with the error's text, as the admin API sends them.
struct NxAdminResult
{
    int status = 200;
    QJsonObject body;
    QString error;

    static NxAdminResult ok(const QJsonObject& body, int status = 200);
    static NxAdminResult noContent();
    static NxAdminResult fail(int status, const QString& error);
    // 500 for what the database refused; the reason goes to the log only.
    static NxAdminResult storageFailed(const char* where, const QString& reason);
    bool isOk() const;
    NxCloudReply reply() const;
};

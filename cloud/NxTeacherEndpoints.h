#pragma once

#include "NxAdminActor.h"
#include "NxCloudLinkingEndpoints.h"
#include "NxCloudReply.h"
#include "NxCloudRequest.h"
#include "NxCloudTeacherTable.h"

#include <QJsonObject>
#include <QSharedPointer>

class NxAdminAccess;
class NxCloudStore;

// Teachers' accounts in the admin API: list, add, change (name, avatar,
// password, enabled) and delete, each change with its audit entry in the
// same transaction; and the audit log itself.
class NxTeacherEndpoints : public NxCloudLinkingEndpoints
{
public:
    NxTeacherEndpoints(QSharedPointer<NxCloudStore> store, const NxAdminAccess& access,
                       std::function<QString()> baseUrl);

    void addRoutes(NxCloudRouter& router) override;

private:
    // A body's fields after checking; the password already hashed.
    struct Fields
    {
        QJsonObject given;
        QString passwordHash;
    };

    NxCloudReply list(const NxCloudRequest& request) const;
    NxCloudReply add(const NxCloudRequest& request, const NxAdminActor& actor) const;
    NxCloudReply change(const NxCloudRequest& request, const NxAdminActor& actor) const;
    NxCloudReply remove(const NxCloudRequest& request, const NxAdminActor& actor) const;
    NxCloudReply audit(const NxCloudRequest& request) const;
    // The teacher as stored now, answered with status.
    NxCloudReply answer(const NxCloudRequest& request, const QString& id, int status) const;
    QJsonObject toJson(const NxCloudRequest& request, const NxCloudTeacherTable::Listed& listed) const;
    // Why the body cannot be used; empty when it can.
    static QString readFields(const NxCloudRequest& request, bool adding, Fields* fields);
    static void apply(const Fields& fields, NxCloudTeacherTable::Teacher* teacher);

    QSharedPointer<NxCloudStore> m_store;
    const NxAdminAccess& m_access;
};

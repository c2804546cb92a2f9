#pragma once

#include "NxAdminActor.h"
#include "NxCloudEndpointGroup.h"
#include "NxCloudReply.h"
#include "NxCloudRequest.h"

#include <QSharedPointer>

class NxAdminAccess;
class NxCloudStore;

// POST /admin/api/password: an admin replaces their own password, e.g. the
// one-time password of the first start. The current password is asked again
// (and throttled like a sign-in); every other session of the admin ends.
class NxAdminPasswordEndpoint : public NxCloudEndpointGroup
{
public:
    NxAdminPasswordEndpoint(QSharedPointer<NxCloudStore> store, const NxAdminAccess& access);

    void addRoutes(NxCloudRouter& router) override;

private:
    NxCloudReply change(const NxCloudRequest& request, const NxAdminActor& actor) const;
    NxCloudReply refuse(const NxAdminActor& actor, const QString& address) const;

    QSharedPointer<NxCloudStore> m_store;
    const NxAdminAccess& m_access;
};

#pragma once

#include "NxCloudEndpointGroup.h"
#include "NxCloudReply.h"
#include "NxCloudRequest.h"

#include <QByteArray>
#include <QMap>
#include <QString>

// The admin page under /admin: its HTML, style sheet and scripts, compiled
// into the service, each answer with a strict content security policy and a
// validator so browsers ask again cheaply after an update.
class NxAdminPageEndpoints : public NxCloudEndpointGroup
{
public:
    NxAdminPageEndpoints();
    void addRoutes(NxCloudRouter& router) override;

    static QByteArray contentType(const QString& name);
    static QByteArray contentSecurityPolicy();

private:
    struct Asset
    {
        QByteArray data;
        QByteArray type;
        QByteArray etag;
    };

    void load();
    NxCloudReply serve(const NxCloudRequest& request, const Asset& asset) const;

    QMap<QString, Asset> m_assets; // by path, e.g. "/admin/js/main.js"
};

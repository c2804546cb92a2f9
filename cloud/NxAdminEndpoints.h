#pragma once

#include "NxAdminAccess.h"
#include "NxAdminPaging.h"
#include "NxAdminResult.h"
#include "NxCloudLinkingEndpoints.h"

#include <QJsonObject>

class NxCloudRouter;

// What the admin API's resource endpoints share: every route behind the
// session and CSRF guard, bodies bounded, lists paged.
class NxAdminEndpoints : public NxCloudLinkingEndpoints
{
public:
    // Anything but pictures and playlists.
    static constexpr int kMostJsonBytes = 1024 * 1024;

protected:
    NxAdminEndpoints(const NxAdminAccess& access, std::function<QString()> baseUrl);

    void route(NxCloudRouter& router, const QString& method, const QString& path, NxAdminAccess::Handler handler) const;
    // A JSON object of at most kMostJsonBytes, else the refusal (400, 413).
    static bool jsonBody(const NxCloudRequest& request, QJsonObject* body, NxCloudReply* refusal);
    static bool bodyWithin(const NxCloudRequest& request, int mostBytes, NxCloudReply* refusal);
    static bool paging(const NxCloudRequest& request, NxAdminPaging* paging, NxCloudReply* refusal);

private:
    const NxAdminAccess& m_access;
};

#pragma once

#include "NxCloudLinkingEndpoints.h"
#include "NxCloudReply.h"
#include "NxCloudRequest.h"

class NxCloudSignInBook;

// The cloud side of the sign-in: trades a confirmed user token for an access
// token and the user's avatar.
class NxQuickSignInEndpoints : public NxCloudLinkingEndpoints
{
public:
    // Never rendered, so an avatar link to it always fails.
    static QString missingAvatar();

    NxQuickSignInEndpoints(NxCloudSignInBook& book, std::function<QString()> baseUrl);

    void addRoutes(NxCloudRouter& router) override;

private:
    NxCloudReply signIn(const NxCloudRequest& request) const;
    QString avatarUrl(const NxCloudRequest& request, const QString& uid) const;

    NxCloudSignInBook& m_book;
};

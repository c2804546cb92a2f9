#pragma once

#include "NxAdminActor.h"
#include "NxAdminSessionTable.h"
#include "NxCloudEndpointGroup.h"
#include "NxCloudReply.h"
#include "NxCloudRequest.h"
#include "NxCloudRouter.h"

#include <QSharedPointer>
#include <QString>
#include <atomic>
#include <functional>

class NxCloudStore;

// Who may use the admin API: signing in and out (/admin/api/session), and
// guard(), which every other admin endpoint goes through. A session is the
// cookie nx_admin (HttpOnly, SameSite=Strict, Path=/admin) whose token the
// database knows only as a hash; every change must also carry the session's
// X-CSRF-Token header. Teachers' accounts are not admins and never get in.
class NxAdminAccess : public NxCloudEndpointGroup
{
public:
    using Handler = std::function<NxCloudReply(const NxCloudRequest&, const NxAdminActor&)>;

    static QString cookieName();
    static QString csrfHeader();
    // The session token the request's cookie holds; empty without one.
    static QString tokenOf(const NxCloudRequest& request);

    explicit NxAdminAccess(QSharedPointer<NxCloudStore> store);

    // Cookies marked Secure: the service answers over TLS.
    void setSecureCookies(bool secure);
    // 401 without a live session, 403 for a change without the session's
    // CSRF token, otherwise handler's answer.
    NxCloudRouter::Handler guard(Handler handler) const;
    void addRoutes(NxCloudRouter& router) override;

private:
    enum class Check
    {
        Live,
        Missing,
        Failed
    };

    NxCloudReply signIn(const NxCloudRequest& request) const;
    NxCloudReply refuse(const QString& name, const QString& address) const;
    NxCloudReply admit(const QString& name, qint64 adminId, const QString& address) const;
    NxCloudReply current(const NxCloudRequest& request) const;
    NxCloudReply signOut(const NxCloudRequest& request, const NxAdminActor& actor) const;
    NxCloudReply guarded(const Handler& handler, const NxCloudRequest& request) const;
    Check session(const NxCloudRequest& request, NxAdminSessionTable::Session* session, QString* error) const;
    QByteArray cookie(const QString& token, bool expired) const;
    static bool isChange(const QString& method);

    QSharedPointer<NxCloudStore> m_store;
    std::atomic<bool> m_secureCookies{false};
};

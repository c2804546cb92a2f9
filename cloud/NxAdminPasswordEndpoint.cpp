#include "NxAdminPasswordEndpoint.h"

#include "NxAdminAccess.h"
#include "NxAdminReply.h"
#include "NxAdminSessionTable.h"
#include "NxAdminTable.h"
#include "NxCloudAuditLog.h"
#include "NxCloudRouter.h"
#include "NxCloudStore.h"
#include "NxLoginThrottle.h"
#include "NxPasswordHash.h"
#include "NxSecret.h"

#include <QDateTime>

namespace {
const QString kCurrent = QStringLiteral("current");
const QString kPassword = QStringLiteral("password");
}

NxAdminPasswordEndpoint::NxAdminPasswordEndpoint(QSharedPointer<NxCloudStore> store, const NxAdminAccess& access)
    : m_store(std::move(store))
    , m_access(access)
{
}

void NxAdminPasswordEndpoint::addRoutes(NxCloudRouter& router)
{
    router.add(QStringLiteral("POST"), QStringLiteral("/admin/api/password"),
               m_access.guard([this](const NxCloudRequest& r, const NxAdminActor& a) { return change(r, a); }));
}

NxCloudReply NxAdminPasswordEndpoint::change(const NxCloudRequest& request, const NxAdminActor& actor) const
{
    bool ok = false;
    const QJsonObject body = request.jsonObject(&ok);
    if (!ok || !body.value(kCurrent).isString() || !body.value(kPassword).isString())
        return NxAdminReply::badRequest(QStringLiteral("current and password must be texts"));
    const QString problem = NxPasswordHash::problem(body.value(kPassword).toString());
    if (!problem.isEmpty())
        return NxAdminReply::badRequest(problem);
    const NxLoginThrottle::Key key = NxLoginThrottle::admin(actor.name, request.remoteAddress);
    int wait = 0;
    NxAdminTable::Admin admin;
    bool found = false;
    QString error;
    if (!m_store->read([&](QSqlDatabase& db, QString* e) {
            return NxLoginThrottle::retryAfter(db, key, QDateTime::currentMSecsSinceEpoch(), &wait, e)
                && NxAdminTable::find(db, actor.name, &admin, &found, e);
        }, &error))
        return NxAdminReply::storageFailed("NxAdminPasswordEndpoint::change", error);
    if (wait > 0)
        return NxAdminReply::tooManyAttempts(wait);
    if (!NxPasswordHash::verify(found ? admin.passwordHash : QString(), body.value(kCurrent).toString()))
        return refuse(actor, request.remoteAddress);
    const QString hash = NxPasswordHash::hash(body.value(kPassword).toString());
    const QString kept = NxSecret::digest(NxAdminAccess::tokenOf(request));
    if (hash.isEmpty()
        || !m_store->database().write([&](QSqlDatabase& db, QString* e) {
               return NxAdminTable::setPassword(db, actor.adminId, hash, e)
                   && NxAdminSessionTable::removeOthers(db, actor.adminId, kept, e)
                   && NxCloudAuditLog::append(db, actor.name, QStringLiteral("change password"), actor.name,
                                              QString(), e);
           }, &error))
        return NxAdminReply::storageFailed("NxAdminPasswordEndpoint::change", error);
    return NxAdminReply::noContent();
}

NxCloudReply NxAdminPasswordEndpoint::refuse(const NxAdminActor& actor, const QString& address) const
{
    QString error;
    if (!m_store->database().write([&](QSqlDatabase& db, QString* e) {
            return NxLoginThrottle::fail(db, NxLoginThrottle::admin(actor.name, address),
                                         QDateTime::currentMSecsSinceEpoch(), e);
        }, &error))
        return NxAdminReply::storageFailed("NxAdminPasswordEndpoint::refuse", error);
    return NxAdminReply::badRequest(QStringLiteral("current password is wrong"));
}

#include "NxAdminAccess.h"

#include "NxAdminReply.h"
#include "NxAdminTable.h"
#include "NxCloudAuditLog.h"
#include "NxCloudStore.h"
#include "NxLoginThrottle.h"
#include "NxPasswordHash.h"
#include "NxSecret.h"

#include <QDateTime>

namespace {
const QString kSessionPath = QStringLiteral("/admin/api/session");
const QString kAccountName = QStringLiteral("name");
const QString kAccountPassword = QStringLiteral("password");
const QString kCsrf = QStringLiteral("csrf");
// No account has a longer name; longer ones would only fill the audit log.
const int kMaxAccountNameLength = 200;

qint64 now()
{
    return QDateTime::currentMSecsSinceEpoch();
}
}

QString NxAdminAccess::cookieName()
{
    return QStringLiteral("nx_admin");
}

QString NxAdminAccess::csrfHeader()
{
    return QStringLiteral("X-CSRF-Token");
}

NxAdminAccess::NxAdminAccess(QSharedPointer<NxCloudStore> store)
    : m_store(std::move(store))
{
}

void NxAdminAccess::setSecureCookies(bool secure)
{
    m_secureCookies = secure;
}

NxCloudRouter::Handler NxAdminAccess::guard(Handler handler) const
{
    return [this, handler](const NxCloudRequest& request) { return guarded(handler, request); };
}

void NxAdminAccess::addRoutes(NxCloudRouter& router)
{
    router.add(QStringLiteral("POST"), kSessionPath, [this](const NxCloudRequest& r) { return signIn(r); });
    router.add(QStringLiteral("GET"), kSessionPath, [this](const NxCloudRequest& r) { return current(r); });
    router.add(QStringLiteral("DELETE"), kSessionPath,
               guard([this](const NxCloudRequest& r, const NxAdminActor& a) { return signOut(r, a); }));
}

NxCloudReply NxAdminAccess::signIn(const NxCloudRequest& request) const
{
    bool ok = false;
    const QJsonObject body = request.jsonObject(&ok);
    if (!ok)
        return NxAdminReply::badRequest(QStringLiteral("request body is not a JSON object"));
    if (!body.value(kAccountName).isString() || !body.value(kAccountPassword).isString())
        return NxAdminReply::badRequest(QStringLiteral("name and password must be texts"));
    const QString name = body.value(kAccountName).toString();
    if (name.size() > kMaxAccountNameLength)
        return NxAdminReply::badRequest(QStringLiteral("name is too long"));
    const QString password = body.value(kAccountPassword).toString().left(NxPasswordHash::kMaxLength + 1);
    const NxLoginThrottle::Key key = NxLoginThrottle::admin(name, request.remoteAddress);
    int wait = 0;
    bool found = false;
    NxAdminTable::Admin admin;
    QString error;
    if (!m_store->read([&](QSqlDatabase& db, QString* e) {
            return NxLoginThrottle::retryAfter(db, key, now(), &wait, e) && NxAdminTable::find(db, name, &admin, &found, e);
        }, &error))
        return NxAdminReply::storageFailed("NxAdminAccess::signIn", error);
    if (wait > 0)
        return NxAdminReply::tooManyAttempts(wait);
    // Checked outside every lock: it is slow on purpose.
    const bool valid = NxPasswordHash::verify(found && admin.enabled ? admin.passwordHash : QString(), password);
    return valid ? admit(name, admin.id, request.remoteAddress) : refuse(name, request.remoteAddress);
}

NxCloudReply NxAdminAccess::refuse(const QString& name, const QString& address) const
{
    QString error;
    if (!m_store->database().write([&](QSqlDatabase& db, QString* e) {
            return NxLoginThrottle::fail(db, NxLoginThrottle::admin(name, address), now(), e)
                && NxCloudAuditLog::append(db, name, QStringLiteral("sign in refused"), QString(),
                                           QStringLiteral("from ") + address, e);
        }, &error))
        return NxAdminReply::storageFailed("NxAdminAccess::refuse", error);
    return NxAdminReply::error(401, QStringLiteral("wrong name or password"));
}

NxCloudReply NxAdminAccess::admit(const QString& name, qint64 adminId, const QString& address) const
{
    const QString token = NxSecret::token();
    const QString csrf = NxSecret::token();
    QString error;
    if (!m_store->database().write([&](QSqlDatabase& db, QString* e) {
            return NxLoginThrottle::succeed(db, NxLoginThrottle::admin(name, address), e)
                && NxAdminSessionTable::create(db, adminId, NxSecret::digest(token), csrf, now(), e)
                && NxCloudAuditLog::append(db, name, QStringLiteral("sign in"), QString(),
                                           QStringLiteral("from ") + address, e);
        }, &error))
        return NxAdminReply::storageFailed("NxAdminAccess::admit", error);
    NxCloudReply reply = NxAdminReply::json(QJsonObject{{kAccountName, name}, {kCsrf, csrf}});
    reply.headers.append(qMakePair(QByteArray("Set-Cookie"), cookie(token, false)));
    return reply;
}

NxCloudReply NxAdminAccess::current(const NxCloudRequest& request) const
{
    NxAdminSessionTable::Session live;
    QString error;
    switch (session(request, &live, &error)) {
    case Check::Live:
        return NxAdminReply::json(QJsonObject{{kAccountName, live.actor.name}, {kCsrf, live.csrf}});
    case Check::Missing:
        return NxAdminReply::error(401, QStringLiteral("not signed in"));
    case Check::Failed:
        break;
    }
    return NxAdminReply::storageFailed("NxAdminAccess::current", error);
}

NxCloudReply NxAdminAccess::signOut(const NxCloudRequest& request, const NxAdminActor& actor) const
{
    QString error;
    if (!m_store->database().write([&](QSqlDatabase& db, QString* e) {
            return NxAdminSessionTable::remove(db, NxSecret::digest(tokenOf(request)), e)
                && NxCloudAuditLog::append(db, actor.name, QStringLiteral("sign out"), QString(), QString(), e);
        }, &error))
        return NxAdminReply::storageFailed("NxAdminAccess::signOut", error);
    NxCloudReply reply = NxAdminReply::noContent();
    reply.headers.append(qMakePair(QByteArray("Set-Cookie"), cookie(QString(), true)));
    return reply;
}

NxCloudReply NxAdminAccess::guarded(const Handler& handler, const NxCloudRequest& request) const
{
    NxAdminSessionTable::Session live;
    QString error;
    switch (session(request, &live, &error)) {
    case Check::Missing:
        return NxAdminReply::error(401, QStringLiteral("not signed in"));
    case Check::Failed:
        return NxAdminReply::storageFailed("NxAdminAccess::guard", error);
    case Check::Live:
        break;
    }
    if (isChange(request.method) && !NxSecret::equal(request.header(csrfHeader()), live.csrf))
        return NxAdminReply::error(403, QStringLiteral("missing or wrong ") + csrfHeader());
    return handler(request, live.actor);
}

NxAdminAccess::Check NxAdminAccess::session(const NxCloudRequest& request, NxAdminSessionTable::Session* session,
                                            QString* error) const
{
    const QString token = tokenOf(request);
    if (token.isEmpty())
        return Check::Missing;
    bool found = false;
    if (!m_store->database().write([&](QSqlDatabase& db, QString* e) {
            return NxAdminSessionTable::use(db, NxSecret::digest(token), now(), session, &found, e);
        }, error))
        return Check::Failed;
    return found ? Check::Live : Check::Missing;
}

QByteArray NxAdminAccess::cookie(const QString& token, bool expired) const
{
    QByteArray value = cookieName().toLatin1() + '=' + token.toLatin1() + "; Path=/admin; HttpOnly; SameSite=Strict";
    if (expired)
        value += "; Max-Age=0";
    if (m_secureCookies)
        value += "; Secure";
    return value;
}

QString NxAdminAccess::tokenOf(const NxCloudRequest& request)
{
    const QString prefix = cookieName() + QLatin1Char('=');
    const QStringList cookies = request.header(QStringLiteral("Cookie")).split(QLatin1Char(';'));
    for (const QString& cookie : cookies) {
        const QString trimmed = cookie.trimmed();
        if (trimmed.startsWith(prefix))
            return trimmed.mid(prefix.size());
    }
    return QString();
}

bool NxAdminAccess::isChange(const QString& method)
{
    static const QStringList kChanges = {QStringLiteral("POST"), QStringLiteral("PUT"), QStringLiteral("PATCH"),
                                         QStringLiteral("DELETE")};
    return kChanges.contains(method);
}

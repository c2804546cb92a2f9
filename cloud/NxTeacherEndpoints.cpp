#include "NxTeacherEndpoints.h"

#include "NxAdminAccess.h"
#include "NxAdminPaging.h"
#include "NxAdminReply.h"
#include "NxCloudAuditLog.h"
#include "NxCloudRouter.h"
#include "NxCloudStore.h"
#include "NxPasswordHash.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <QUrl>

namespace {
const QString kTeachers = QStringLiteral("/admin/api/teachers");
const QString kOne = QStringLiteral("/admin/api/teachers/{id}");
const QString kId = QStringLiteral("id");
const QString kName = QStringLiteral("name");
const QString kAvatar = QStringLiteral("avatar");
const QString kPassword = QStringLiteral("password");
const QString kEnabled = QStringLiteral("enabled");
const int kMaxNameLength = 100;
const int kMaxAvatarLength = 2048;

QString idProblem(const QJsonValue& id)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z0-9._@-]{1,64}$"));
    return id.isString() && pattern.match(id.toString()).hasMatch()
        ? QString()
        : QStringLiteral("id must be 1 to 64 letters, digits or . _ @ -");
}

QString nameProblem(const QJsonValue& name)
{
    return name.isString() && !name.toString().trimmed().isEmpty() && name.toString().size() <= kMaxNameLength
        ? QString()
        : QStringLiteral("name must be a text of 1 to %1 characters").arg(kMaxNameLength);
}

// A picture of this service ("pictures/x.png") or an http(s) address.
QString avatarProblem(const QJsonValue& avatar)
{
    const QUrl url(avatar.toString());
    const bool usable = avatar.isString() && avatar.toString().size() <= kMaxAvatarLength
        && (avatar.toString().isEmpty() || (url.isRelative() && !avatar.toString().contains(QLatin1Char(':')))
            || url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
    return usable ? QString() : QStringLiteral("avatar must be a picture path or an http or https address");
}

QString fieldProblem(const QJsonObject& body, const QString& field)
{
    const QJsonValue value = body.value(field);
    if (field == kName)
        return nameProblem(value);
    if (field == kAvatar)
        return avatarProblem(value);
    if (field == kEnabled)
        return value.isBool() ? QString() : QStringLiteral("enabled must be true or false");
    return value.isString() ? NxPasswordHash::problem(value.toString()) : QStringLiteral("password must be a text");
}
}

NxTeacherEndpoints::NxTeacherEndpoints(QSharedPointer<NxCloudStore> store, const NxAdminAccess& access,
                                       std::function<QString()> baseUrl)
    : NxCloudLinkingEndpoints(std::move(baseUrl))
    , m_store(std::move(store))
    , m_access(access)
{
}

void NxTeacherEndpoints::addRoutes(NxCloudRouter& router)
{
    router.add(QStringLiteral("GET"), kTeachers,
               m_access.guard([this](const NxCloudRequest& r, const NxAdminActor&) { return list(r); }));
    router.add(QStringLiteral("POST"), kTeachers,
               m_access.guard([this](const NxCloudRequest& r, const NxAdminActor& a) { return add(r, a); }));
    router.add(QStringLiteral("PATCH"), kOne,
               m_access.guard([this](const NxCloudRequest& r, const NxAdminActor& a) { return change(r, a); }));
    router.add(QStringLiteral("DELETE"), kOne,
               m_access.guard([this](const NxCloudRequest& r, const NxAdminActor& a) { return remove(r, a); }));
    router.add(QStringLiteral("GET"), QStringLiteral("/admin/api/audit"),
               m_access.guard([this](const NxCloudRequest& r, const NxAdminActor&) { return audit(r); }));
}

NxCloudReply NxTeacherEndpoints::list(const NxCloudRequest& request) const
{
    NxAdminPaging paging;
    QString error;
    if (!NxAdminPaging::fromRequest(request, &paging, &error))
        return NxAdminReply::badRequest(error);
    QList<NxCloudTeacherTable::Listed> teachers;
    int total = 0;
    if (!m_store->read([&](QSqlDatabase& db, QString* e) {
            return NxCloudTeacherTable::page(db, paging.offset, paging.limit, &teachers, &total, e);
        }, &error))
        return NxAdminReply::storageFailed("NxTeacherEndpoints::list", error);
    QJsonArray items;
    for (const NxCloudTeacherTable::Listed& listed : teachers)
        items.append(toJson(request, listed));
    return NxAdminReply::json(QJsonObject{{QStringLiteral("total"), total}, {QStringLiteral("teachers"), items}});
}

NxCloudReply NxTeacherEndpoints::add(const NxCloudRequest& request, const NxAdminActor& actor) const
{
    Fields fields;
    const QString problem = readFields(request, true, &fields);
    if (!problem.isEmpty())
        return NxAdminReply::badRequest(problem);
    NxCloudTeacherTable::Teacher teacher;
    teacher.id = fields.given.value(kId).toString();
    apply(fields, &teacher);
    bool taken = false;
    QString error;
    const bool done = m_store->change(NxCloudStore::Area::Teachers, [&](QSqlDatabase& db, QString* e) {
        NxCloudTeacherTable::Teacher existing;
        return NxCloudTeacherTable::find(db, teacher.id, &existing, &taken, e)
            && (taken
                || (NxCloudTeacherTable::upsert(db, teacher, e)
                    && NxCloudAuditLog::append(db, actor.name, QStringLiteral("add teacher"), teacher.id,
                                               teacher.name, e)));
    }, &error);
    if (!done)
        return NxAdminReply::storageFailed("NxTeacherEndpoints::add", error);
    if (taken)
        return NxAdminReply::error(409, QStringLiteral("teacher id already in use"));
    return answer(request, teacher.id, 201);
}

NxCloudReply NxTeacherEndpoints::change(const NxCloudRequest& request, const NxAdminActor& actor) const
{
    Fields fields;
    const QString problem = readFields(request, false, &fields);
    if (!problem.isEmpty())
        return NxAdminReply::badRequest(problem);
    const QString id = request.pathValues.value(kId);
    bool found = false;
    QString error;
    const bool done = m_store->change(NxCloudStore::Area::Teachers, [&](QSqlDatabase& db, QString* e) {
        NxCloudTeacherTable::Teacher teacher;
        if (!NxCloudTeacherTable::find(db, id, &teacher, &found, e))
            return false;
        if (!found)
            return true;
        apply(fields, &teacher);
        return NxCloudTeacherTable::upsert(db, teacher, e)
            && NxCloudAuditLog::append(db, actor.name, QStringLiteral("change teacher"), id,
                                       fields.given.keys().join(QStringLiteral(", ")), e);
    }, &error);
    if (!done)
        return NxAdminReply::storageFailed("NxTeacherEndpoints::change", error);
    return found ? answer(request, id, 200) : NxAdminReply::notFound(QStringLiteral("teacher"));
}

NxCloudReply NxTeacherEndpoints::remove(const NxCloudRequest& request, const NxAdminActor& actor) const
{
    const QString id = request.pathValues.value(kId);
    const NxCloudStore::Areas areas = NxCloudStore::Area::Teachers | NxCloudStore::Area::OwnChannels
        | NxCloudStore::Area::SignIn;
    bool removed = false;
    QString error;
    const bool done = m_store->change(areas, [&](QSqlDatabase& db, QString* e) {
        return NxCloudTeacherTable::remove(db, id, &removed, e)
            && (!removed || NxCloudAuditLog::append(db, actor.name, QStringLiteral("delete teacher"), id, QString(), e));
    }, &error);
    if (!done)
        return NxAdminReply::storageFailed("NxTeacherEndpoints::remove", error);
    return removed ? NxAdminReply::noContent() : NxAdminReply::notFound(QStringLiteral("teacher"));
}

NxCloudReply NxTeacherEndpoints::audit(const NxCloudRequest& request) const
{
    NxAdminPaging paging;
    QString error;
    if (!NxAdminPaging::fromRequest(request, &paging, &error))
        return NxAdminReply::badRequest(error);
    QJsonArray entries;
    int total = 0;
    if (!m_store->read([&](QSqlDatabase& db, QString* e) {
            return NxCloudAuditLog::page(db, paging.offset, paging.limit, &entries, &total, e);
        }, &error))
        return NxAdminReply::storageFailed("NxTeacherEndpoints::audit", error);
    return NxAdminReply::json(QJsonObject{{QStringLiteral("total"), total}, {QStringLiteral("entries"), entries}});
}

NxCloudReply NxTeacherEndpoints::answer(const NxCloudRequest& request, const QString& id, int status) const
{
    NxCloudTeacherTable::Listed listed;
    bool found = false;
    QString error;
    if (!m_store->read([&](QSqlDatabase& db, QString* e) {
            return NxCloudTeacherTable::find(db, id, &listed.teacher, &found, e)
                && NxCloudTeacherTable::countOwnChannels(db, id, &listed.ownChannels, e);
        }, &error))
        return NxAdminReply::storageFailed("NxTeacherEndpoints::answer", error);
    return found ? NxAdminReply::json(toJson(request, listed), status) : NxAdminReply::notFound(QStringLiteral("teacher"));
}

QJsonObject NxTeacherEndpoints::toJson(const NxCloudRequest& request, const NxCloudTeacherTable::Listed& listed) const
{
    const NxCloudTeacherTable::Teacher& teacher = listed.teacher;
    return QJsonObject{{kId, teacher.id},
                       {kName, teacher.name},
                       {kAvatar, teacher.avatar.isEmpty() ? QString() : linksFor(request).pictureUrl(teacher.avatar)},
                       {kEnabled, teacher.enabled},
                       {QStringLiteral("ownChannels"), listed.ownChannels}};
}

QString NxTeacherEndpoints::readFields(const NxCloudRequest& request, bool adding, Fields* fields)
{
    bool ok = false;
    const QJsonObject body = request.jsonObject(&ok);
    if (!ok)
        return QStringLiteral("request body is not a JSON object");
    const QStringList required = adding ? QStringList{kId, kName, kPassword} : QStringList();
    for (const QString& field : required) {
        if (!body.contains(field))
            return field + QStringLiteral(" is missing");
    }
    if (adding && !idProblem(body.value(kId)).isEmpty())
        return idProblem(body.value(kId));
    if (adding)
        fields->given.insert(kId, body.value(kId));
    for (const QString& field : {kName, kAvatar, kPassword, kEnabled}) {
        if (!body.contains(field))
            continue;
        const QString problem = fieldProblem(body, field);
        if (!problem.isEmpty())
            return problem;
        fields->given.insert(field, body.value(field));
    }
    // Hashed here, before any transaction: it is slow on purpose.
    if (body.contains(kPassword))
        fields->passwordHash = NxPasswordHash::hash(body.value(kPassword).toString());
    return body.contains(kPassword) && fields->passwordHash.isEmpty() ? QStringLiteral("cannot hash the password")
                                                                      : QString();
}

void NxTeacherEndpoints::apply(const Fields& fields, NxCloudTeacherTable::Teacher* teacher)
{
    if (fields.given.contains(kName))
        teacher->name = fields.given.value(kName).toString();
    if (fields.given.contains(kAvatar))
        teacher->avatar = fields.given.value(kAvatar).toString();
    if (fields.given.contains(kEnabled))
        teacher->enabled = fields.given.value(kEnabled).toBool();
    if (!fields.passwordHash.isEmpty())
        teacher->passwordHash = fields.passwordHash;
}

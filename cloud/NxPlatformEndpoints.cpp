#include "NxPlatformEndpoints.h"

#include "NxCloudRouter.h"
#include "NxCloudSignInBook.h"
#include "NxCloudSignature.h"
#include "NxSignInPage.h"

#include <QDateTime>
#include <QUrl>
#include <QUrlQuery>

namespace {
const QString kCode = QStringLiteral("code");
const QString kActionType = QStringLiteral("actionType");
const QString kTarget = QStringLiteral("target");
const QString kName = QStringLiteral("name");
const QString kPassword = QStringLiteral("password");
const QString kApp = QStringLiteral("app");
const QStringList kActionTypes = {QStringLiteral("4"), QStringLiteral("5")};

QByteArray decodedTarget(const QString& target)
{
    // A scanner may hand "+" over as a space.
    QString text = target;
    const auto decoded = QByteArray::fromBase64Encoding(text.replace(QLatin1Char(' '), QLatin1Char('+')).toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    return decoded ? *decoded : QByteArray();
}

// A browser's form value: "+" for a space, the rest percent-encoded.
QString formValue(const QMap<QString, QString>& fields, const QString& key)
{
    QString value = fields.value(key);
    return QUrl::fromPercentEncoding(value.replace(QLatin1Char('+'), QLatin1Char(' ')).toUtf8());
}

struct Refusal
{
    int status;
    NxSignInPage::Message message;
};

Refusal refusalFor(const NxTeacherSignIn::Result& result)
{
    using Outcome = NxTeacherSignIn::Outcome;
    const int minutes = (result.retryAfterSeconds + 59) / 60;
    switch (result.outcome) {
    case Outcome::Wrong:
        return {401, {QStringLiteral("姓名或密码不正确，请重试。"), QStringLiteral("Wrong name or password. Please try again.")}};
    case Outcome::Ambiguous:
        return {400, {QStringLiteral("有多位老师使用这个姓名，请输入您的工号。"),
                      QStringLiteral("Several teachers have this name: enter your teacher ID instead.")}};
    case Outcome::Disabled:
        return {403, {QStringLiteral("此账号已停用，请联系学校管理员。"),
                      QStringLiteral("This account is switched off. Ask your school's admin.")}};
    case Outcome::Throttled:
        return {429, {QStringLiteral("尝试次数过多，请 %1 分钟后再试。").arg(minutes),
                      QStringLiteral("Too many tries. Try again in %1 minute(s).").arg(minutes)}};
    case Outcome::Accepted:
    case Outcome::Failed:
        break;
    }
    return {500, {QStringLiteral("服务器出错，请稍后再试。"), QStringLiteral("The server failed. Please try again later.")}};
}
}

QString NxPlatformEndpoints::confirmPath()
{
    return QStringLiteral("/v1/web/redirect/confirm");
}

NxPlatformEndpoints::NxPlatformEndpoints(NxCloudSignInBook& book, QSharedPointer<NxCloudStore> store,
                                         std::function<QString()> baseUrl)
    : NxCloudLinkingEndpoints(std::move(baseUrl))
    , m_book(book)
    , m_teachers(std::move(store))
{
}

void NxPlatformEndpoints::addRoutes(NxCloudRouter& router)
{
    router.add(QStringLiteral("GET"), QStringLiteral("/v1/web/redirect"),
               [this](const NxCloudRequest& r) { return invitationPage(r); });
    router.add(QStringLiteral("POST"), confirmPath(),
               [this](const NxCloudRequest& r) { return confirmPage(r); });
    router.add(QStringLiteral("GET"), QStringLiteral("/v1/web/redirect/pcenter"),
               [this](const NxCloudRequest& r) { return poll(r); });
}

NxCloudReply NxPlatformEndpoints::invitationPage(const NxCloudRequest& request) const
{
    const QMap<QString, QString> query = request.queryFields();
    const QString problem = invitationProblem(query);
    if (!problem.isEmpty())
        return NxCloudReply::html(NxSignInPage::error(problem), 400);
    const QString code = query.value(kCode);
    if (m_book.isConfirmed(code))
        return NxCloudReply::html(NxSignInPage::confirmed(m_book.userOf(code).name));
    const NxSignInPage::Invitation invitation{code, confirmPath(), appNameOf(query.value(kTarget)), timeOf(code),
                                              QString(), NxSignInPage::Message()};
    return NxCloudReply::html(NxSignInPage::invitation(invitation));
}

NxCloudReply NxPlatformEndpoints::confirmPage(const NxCloudRequest& request) const
{
    const QMap<QString, QString> fields = request.formFields();
    const QString code = formValue(fields, kCode);
    if (!NxCloudSignInBook::isCode(code))
        return NxCloudReply::html(NxSignInPage::error(QStringLiteral("unknown or malformed code")), 400);
    const QString name = formValue(fields, kName);
    const NxTeacherSignIn::Result result = m_teachers.check(name, formValue(fields, kPassword), request.remoteAddress);
    if (result.outcome == NxTeacherSignIn::Outcome::Accepted && m_book.confirmFor(code, result.teacherId))
        return NxCloudReply::html(NxSignInPage::confirmed(result.teacherName));
    const NxSignInPage::Invitation invitation{code, confirmPath(), formValue(fields, kApp), timeOf(code), name,
                                              NxSignInPage::Message()};
    return retry(invitation, result);
}

NxCloudReply NxPlatformEndpoints::retry(NxSignInPage::Invitation invitation, const NxTeacherSignIn::Result& result)
{
    const Refusal refusal = refusalFor(result);
    invitation.problem = refusal.message;
    NxCloudReply reply = NxCloudReply::html(NxSignInPage::invitation(invitation), refusal.status);
    if (result.outcome == NxTeacherSignIn::Outcome::Throttled)
        reply.headers.append(qMakePair(QByteArray("Retry-After"), QByteArray::number(result.retryAfterSeconds)));
    return reply;
}

NxCloudReply NxPlatformEndpoints::poll(const NxCloudRequest& request) const
{
    const QMap<QString, QString> query = request.queryFields();
    if (!NxCloudSignature::isPollSigned(query))
        return NxCloudReply::failure(QStringLiteral("signature check failed"));
    const QString code = query.value(QStringLiteral("enstr"));
    if (!NxCloudSignInBook::isCode(code))
        return NxCloudReply::failure(QStringLiteral("malformed code"));
    const NxCloudSignInBook::Grant grant = m_book.poll(code);
    if (grant.isEmpty()) {
        if (m_book.pollCount(code) == 1)
            announce(request, code, query.value(QStringLiteral("appname")));
        return NxCloudReply::success(QJsonObject());
    }
    return NxCloudReply::success(QJsonObject{{QStringLiteral("uid"), grant.uid},
                                             {m_book.options().tokenKey, grant.token}});
}

QString NxPlatformEndpoints::invitationProblem(const QMap<QString, QString>& query)
{
    if (!NxCloudSignInBook::isCode(query.value(kCode)))
        return QStringLiteral("missing or malformed code");
    if (!kActionTypes.contains(query.value(kActionType)))
        return QStringLiteral("unknown actionType");
    const QUrl target(QString::fromUtf8(decodedTarget(query.value(kTarget))));
    if (!target.isValid() || !target.scheme().startsWith(QLatin1String("http")))
        return QStringLiteral("missing or malformed target");
    return QString();
}

QString NxPlatformEndpoints::appNameOf(const QString& target)
{
    const QUrl url(QString::fromUtf8(decodedTarget(target)));
    return QUrlQuery(url).queryItemValue(QStringLiteral("appname"), QUrl::FullyDecoded);
}

QString NxPlatformEndpoints::timeOf(const QString& code)
{
    const qint64 seconds = code.section(QLatin1Char('-'), -1).toLongLong();
    return QDateTime::fromSecsSinceEpoch(seconds).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// Without a phone at hand, a person opens this address in a browser instead
// of scanning the panel's QR code.
void NxPlatformEndpoints::announce(const NxCloudRequest& request, const QString& code, const QString& appName)
{
    const QString origin = request.origin(QStringLiteral("http://127.0.0.1"));
    const QString target = origin + QStringLiteral("/weixin/wechat/login?wxcode=teacher&appname=") + appName;
    qInfo().noquote() << "Sign-in waiting for confirmation:" << origin + QStringLiteral("/v1/web/redirect?code=") + code
            + QStringLiteral("&actionType=5&target=") + QString::fromLatin1(target.toUtf8().toBase64());
}

#include "NxCloudServer.h"
#include "NxCloudRequestLog.h"
#include "NxCloudSignInBook.h"
#include "NxHttpProbe.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QUuid>
#include <QtTest>
#include <memory>

// Signatures are computed here from the published formulas, never with the
// server's own code, so that a shared mistake cannot pass unnoticed.
namespace {
using Params = QMap<QString, QString>; // QMap iterates in QString order

const QString kApp = QStringLiteral("TavomcPresenterPro");
const QString kPoll = QStringLiteral("/v1/web/redirect/pcenter");
const QString kPage = QStringLiteral("/v1/web/redirect");
const QString kQuickSignIn = QStringLiteral("/api/userstep/loginbytoken");
const QString kAuthKey = QStringLiteral("hbw527tyq3ndk0zpe");
const QString kAuthcodeKey = QStringLiteral("q7m2vx9ke4tr8ba1");
const QString kRestSecret = QStringLiteral("rvy6031mfq58");
const QString kTeacher = QStringLiteral("demo-teacher");
const QByteArray kDemoPassword = "demo1234";

QString md5(const QString& text)
{
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Md5).toHex());
}

QString formEncode(const QString& value)
{
    QString out;
    for (const char c : value.toUtf8()) {
        const uchar byte = static_cast<uchar>(c);
        const bool plain = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9')
            || byte == '-' || byte == '.' || byte == '_';
        if (plain)
            out += QLatin1Char(static_cast<char>(byte));
        else if (byte == ' ')
            out += QLatin1Char('+');
        else
            out += QString::asprintf("%%%02X", byte);
    }
    return out;
}

QString restAuth(const Params& params)
{
    QString text;
    for (auto it = params.cbegin(); it != params.cend(); ++it)
        text += it.key() + QLatin1Char('=') + formEncode(it.value()) + QLatin1Char('&');
    return md5(text + kRestSecret);
}

QString now()
{
    return QString::number(QDateTime::currentSecsSinceEpoch());
}

Params restSigned(Params params, const QString& time = now(), const QString& sessionKey = QStringLiteral("deskunit"))
{
    params.insert(QStringLiteral("sessionkey"), sessionKey);
    params.insert(QStringLiteral("resttime"), time);
    params.insert(QStringLiteral("restauth"), restAuth(params));
    return params;
}

Params authcodeSigned(Params params)
{
    const QString time = now();
    params.insert(QStringLiteral("time"), time);
    params.insert(QStringLiteral("authcode"), md5(params.value(QStringLiteral("dcode")) + time
                                                  + params.value(QStringLiteral("accesstoken")) + kAuthcodeKey));
    return params;
}

// Values go out unencoded, exactly as the panel sends them.
QByteArray formBody(const Params& params)
{
    QStringList pairs;
    for (auto it = params.cbegin(); it != params.cend(); ++it)
        pairs.append(it.key() + QLatin1Char('=') + it.value());
    return pairs.join(QLatin1Char('&')).toUtf8();
}

Params signInParams(const QString& uid, const QString& token, const QString& app = kApp)
{
    return Params{{QStringLiteral("uid"), uid}, {QStringLiteral("token"), token},
                  {QStringLiteral("rememberMe"), QStringLiteral("1")}, {QStringLiteral("issign"), QStringLiteral("true")},
                  {QStringLiteral("usertype"), QStringLiteral("1")}, {QStringLiteral("appname"), app}};
}

QString newCode()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces) + QLatin1Char('-')
        + now();
}

QString target(const QString& base)
{
    const QString text = base + QStringLiteral("weixin/wechat/login?wxcode=teacher&appname=") + kApp;
    return QString::fromLatin1(text.toUtf8().toBase64());
}

QJsonObject dataOf(const QJsonObject& reply)
{
    return reply.value(QStringLiteral("data")).toObject();
}
}

class TestNxCloudSignIn : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void signingHelpersMatchReferenceValues();
    void pollIsUnconfirmedUntilConfirmCode();
    void pollWithBadSignatureFails_data();
    void pollWithBadSignatureFails();
    void codesAreConfirmedOneByOne();
    void autoConfirmAfterPolls();
    void tokenKeyCanBeUsertoken();
    void phonePageConfirmsTheCode();
    void phonePageRejectsBadParameters_data();
    void phonePageRejectsBadParameters();

    void restSignedQuickSignIn_data();
    void restSignedQuickSignIn();
    void restKeysSortUpperCaseFirst();
    void authcodeSignedQuickSignIn_data();
    void authcodeSignedQuickSignIn();
    void wrongSignatureFails_data();
    void wrongSignatureFails();
    void unconfirmedTokenFails();
    void avatarIsARoundPng();
    void emptyAccessTokenOption();
    void brokenAvatarOption();
    void serviceProgramAutoConfirms();
    void memoryStaysBounded();

private:
    QString base() const;
    QString pollUrl(const QString& code, const QString& auth, const QString& time) const;
    QJsonObject poll(const QString& code);
    // uid and token of a freshly confirmed code.
    QPair<QString, QString> confirmedGrant();
    QJsonObject quickSignIn(const Params& params);
    NxHttpProbe::Result openPage(const QString& query);

    std::unique_ptr<NxCloudServer> m_server;
    std::unique_ptr<NxHttpProbe> m_probe;
};

void TestNxCloudSignIn::initTestCase()
{
    m_server = std::make_unique<NxCloudServer>(NxCloudServer::loadSeed(QStringLiteral(NX_CLOUD_DEMO_SEED)));
    m_server->setPictureDir(QDir(QStringLiteral(NX_CLOUD_OUT)).filePath(QStringLiteral("pictures")));
    QVERIFY(m_server->start());
    m_probe = std::make_unique<NxHttpProbe>();
}

void TestNxCloudSignIn::init()
{
    m_server->setSignInOptions(NxCloudServer::SignInOptions());
}

void TestNxCloudSignIn::cleanupTestCase()
{
    m_probe.reset();
    m_server.reset();
}

QString TestNxCloudSignIn::base() const
{
    return m_server->baseUrl() + QLatin1Char('/');
}

QString TestNxCloudSignIn::pollUrl(const QString& code, const QString& auth, const QString& time) const
{
    return base() + kPoll.mid(1) + QStringLiteral("?actiontype=5&appname=%1&auth=%2&enstr=%3&time=%4")
        .arg(kApp, auth, code, time);
}

QJsonObject TestNxCloudSignIn::poll(const QString& code)
{
    const QString time = now();
    const NxHttpProbe::Result r = m_probe->get(pollUrl(code, md5(code + time + kAuthKey), time));
    bool ok = false;
    const QJsonObject reply = r.json(&ok);
    return r.status == 200 && ok ? reply : QJsonObject();
}

QPair<QString, QString> TestNxCloudSignIn::confirmedGrant()
{
    const QString code = newCode();
    if (!m_server->confirmCode(code))
        return {};
    const QJsonObject data = dataOf(poll(code));
    return qMakePair(data.value(QStringLiteral("uid")).toString(), data.value(QStringLiteral("token")).toString());
}

QJsonObject TestNxCloudSignIn::quickSignIn(const Params& params)
{
    // Qt would pick the same Content-Type for the panel's untyped body; set here to keep the log quiet.
    const NxHttpProbe::Headers accept{qMakePair(QByteArray("accept"), QByteArray("application/json")),
                                      qMakePair(QByteArray("Content-Type"), QByteArray("application/x-www-form-urlencoded"))};
    const NxHttpProbe::Result r = m_probe->post(base() + kQuickSignIn.mid(1), formBody(params), accept);
    return r.status == 200 ? r.json() : QJsonObject();
}

NxHttpProbe::Result TestNxCloudSignIn::openPage(const QString& query)
{
    return m_probe->get(base() + kPage.mid(1) + QLatin1Char('?') + query);
}

void TestNxCloudSignIn::signingHelpersMatchReferenceValues()
{
    // Reference digests computed outside Qt from the same formulas.
    Params params = signInParams(kTeacher, QStringLiteral("0123456789abcdef0123456789abcdef"),
                                 QStringLiteral("Tavo Presenter~Pro 课堂/+?&=:@"));
    params = restSigned(params, QStringLiteral("1733580000"));
    QCOMPARE(params.value(QStringLiteral("restauth")), QStringLiteral("41752984a1b163b04ae662e5f639c0ce"));
    QCOMPARE(formEncode(QStringLiteral("a b~c")), QStringLiteral("a+b%7Ec"));
    QCOMPARE(md5(QStringLiteral("3f2a8c1e-1b2c-4d5e-8f90-123456789abc-1733580000") + QStringLiteral("1733580001") + kAuthKey),
             QStringLiteral("c5ed46fdfd2b839f395edf0c5824434a"));
}

void TestNxCloudSignIn::pollIsUnconfirmedUntilConfirmCode()
{
    const QString code = newCode();
    for (int i = 0; i < 3; ++i) {
        const QJsonObject reply = poll(code);
        QCOMPARE(reply.value(QStringLiteral("success")).toBool(false), true);
        QVERIFY(reply.value(QStringLiteral("data")).isObject());
        QVERIFY(dataOf(reply).isEmpty());
    }
    QVERIFY(m_server->confirmCode(code));
    const QJsonObject data = dataOf(poll(code));
    QCOMPARE(data.value(QStringLiteral("uid")).toString(), kTeacher);
    const QString token = data.value(QStringLiteral("token")).toString();
    QVERIFY(!token.isEmpty());
    QVERIFY(!data.contains(QStringLiteral("usertoken")));
    // Later polls keep handing out the same grant.
    QCOMPARE(dataOf(poll(code)).value(QStringLiteral("token")).toString(), token);
    QVERIFY(!m_server->confirmCode(QStringLiteral("not-a-code")));
}

void TestNxCloudSignIn::pollWithBadSignatureFails_data()
{
    QTest::addColumn<QString>("auth");
    QTest::addColumn<QString>("signedTime");
    QTest::newRow("wrong key") << QStringLiteral("wrong") << QString();
    QTest::newRow("missing") << QString() << QString();
    QTest::newRow("other time") << QStringLiteral("signed") << QStringLiteral("1000");
    QTest::newRow("upper-case hex") << QStringLiteral("upper") << QString();
}

void TestNxCloudSignIn::pollWithBadSignatureFails()
{
    QFETCH(QString, auth);
    QFETCH(QString, signedTime);
    const QString code = newCode();
    QVERIFY(m_server->confirmCode(code));
    const QString time = now();
    if (auth == QLatin1String("wrong"))
        auth = md5(code + time + QStringLiteral("not-the-key"));
    else if (auth == QLatin1String("signed"))
        auth = md5(code + signedTime + kAuthKey);
    else if (auth == QLatin1String("upper"))
        auth = md5(code + time + kAuthKey).toUpper();
    const NxHttpProbe::Result r = m_probe->get(pollUrl(code, auth, time));
    QCOMPARE(r.status, 200);
    const QJsonObject reply = r.json();
    QCOMPARE(reply.value(QStringLiteral("success")).toBool(true), false);
    QVERIFY(!reply.value(QStringLiteral("message")).toString().isEmpty());
    QVERIFY(!reply.contains(QStringLiteral("data")));
}

void TestNxCloudSignIn::codesAreConfirmedOneByOne()
{
    const QString first = newCode();
    const QString second = newCode();
    poll(first);
    poll(second);
    QVERIFY(m_server->confirmCode(first));
    QCOMPARE(dataOf(poll(first)).value(QStringLiteral("uid")).toString(), kTeacher);
    QVERIFY(dataOf(poll(second)).isEmpty());
}

void TestNxCloudSignIn::autoConfirmAfterPolls()
{
    NxCloudServer::SignInOptions options;
    options.autoConfirmAfterPolls = 2;
    m_server->setSignInOptions(options);
    QCOMPARE(m_server->signInOptions().autoConfirmAfterPolls, 2);
    const QString code = newCode();
    QVERIFY(dataOf(poll(code)).isEmpty());
    QVERIFY(dataOf(poll(code)).isEmpty());
    QCOMPARE(dataOf(poll(code)).value(QStringLiteral("uid")).toString(), kTeacher);

    options.autoConfirmAfterPolls = 0;
    m_server->setSignInOptions(options);
    QCOMPARE(dataOf(poll(newCode())).value(QStringLiteral("uid")).toString(), kTeacher);
}

void TestNxCloudSignIn::tokenKeyCanBeUsertoken()
{
    NxCloudServer::SignInOptions options;
    options.tokenKey = NxCloudSignInOptions::tokenKeyAlternative();
    m_server->setSignInOptions(options);
    const QString code = newCode();
    QVERIFY(m_server->confirmCode(code));
    const QJsonObject data = dataOf(poll(code));
    QCOMPARE(data.value(QStringLiteral("uid")).toString(), kTeacher);
    QVERIFY(!data.value(QStringLiteral("usertoken")).toString().isEmpty());
    QVERIFY(!data.contains(QStringLiteral("token")));
    // The token works for the quick sign-in whatever its key was.
    const Params params = restSigned(signInParams(kTeacher, data.value(QStringLiteral("usertoken")).toString()));
    QCOMPARE(quickSignIn(params).value(QStringLiteral("success")).toBool(false), true);
}

void TestNxCloudSignIn::phonePageConfirmsTheCode()
{
    const QString code = newCode();
    QVERIFY(dataOf(poll(code)).isEmpty());
    const NxHttpProbe::Result page = openPage(QStringLiteral("code=%1&actionType=5&target=%2").arg(code, target(base())));
    QCOMPARE(page.status, 200);
    QCOMPARE(page.header("Content-Type"), QByteArray("text/html;charset=UTF-8"));
    const QString html = QString::fromUtf8(page.body);
    QVERIFY(html.contains(QStringLiteral("name='viewport'")));
    QVERIFY(html.contains(QStringLiteral("确认登录 / Confirm sign-in")));
    QVERIFY(html.contains(QStringLiteral("#666EDC")));
    QVERIFY(html.contains(kApp));
    QVERIFY(dataOf(poll(code)).isEmpty()); // opening the page alone confirms nothing

    const QRegularExpressionMatch form = QRegularExpression(QStringLiteral("<form method='post' action='([^']+)'>")).match(html);
    const QRegularExpressionMatch hidden = QRegularExpression(QStringLiteral("name='code' value='([^']+)'")).match(html);
    QVERIFY(form.hasMatch());
    QVERIFY(hidden.hasMatch());
    QCOMPARE(hidden.captured(1), code);
    const QUrl action = QUrl(base() + kPage.mid(1)).resolved(QUrl(form.captured(1)));
    const NxHttpProbe::Headers formType{qMakePair(QByteArray("Content-Type"), QByteArray("application/x-www-form-urlencoded"))};
    const QByteArray fields = "code=" + hidden.captured(1).toUtf8() + "&name=" + kTeacher.toUtf8();
    const NxHttpProbe::Result refused = m_probe->post(action.toString(), fields + "&password=wrong-password", formType);
    QCOMPARE(refused.status, 401);
    QVERIFY(dataOf(poll(code)).isEmpty());
    const NxHttpProbe::Result confirmed = m_probe->post(action.toString(), fields + "&password=" + kDemoPassword, formType);
    QCOMPARE(confirmed.status, 200);
    QVERIFY(QString::fromUtf8(confirmed.body).contains(QStringLiteral("已确认登录")));

    QCOMPARE(dataOf(poll(code)).value(QStringLiteral("uid")).toString(), kTeacher);
    const QString again = QString::fromUtf8(openPage(QStringLiteral("code=%1&actionType=5&target=%2")
                                                         .arg(code, target(base()))).body);
    QVERIFY(again.contains(QStringLiteral("已确认登录")));
    QCOMPARE(m_probe->post(action.toString(), "code=garbage", formType).status, 400);
}

void TestNxCloudSignIn::phonePageRejectsBadParameters_data()
{
    QTest::addColumn<QString>("query");
    const QString code = newCode();
    const QString goodTarget = target(QStringLiteral("http://localhost:8090/"));
    QTest::newRow("nothing") << QString();
    QTest::newRow("malformed code") << QStringLiteral("code=12345&actionType=5&target=") + goodTarget;
    QTest::newRow("unknown actionType") << QStringLiteral("code=%1&actionType=9&target=%2").arg(code, goodTarget);
    QTest::newRow("missing target") << QStringLiteral("code=%1&actionType=5").arg(code);
    QTest::newRow("target not base64") << QStringLiteral("code=%1&actionType=5&target=%%%%").arg(code);
    QTest::newRow("target not a URL") << QStringLiteral("code=%1&actionType=5&target=%2")
                                             .arg(code, QString::fromLatin1(QByteArray("just words").toBase64()));
}

void TestNxCloudSignIn::phonePageRejectsBadParameters()
{
    QFETCH(QString, query);
    const NxHttpProbe::Result r = openPage(query);
    QCOMPARE(r.status, 400);
    QVERIFY(r.header("Content-Type").startsWith("text/html"));
    const QString html = QString::fromUtf8(r.body);
    QVERIFY(html.contains(QStringLiteral("无法识别的登录请求")));
    QVERIFY(!html.contains(QStringLiteral("<form")));
}

void TestNxCloudSignIn::restSignedQuickSignIn_data()
{
    QTest::addColumn<QString>("app");
    QTest::addColumn<QString>("rememberMe");
    QTest::newRow("plain") << kApp << QStringLiteral("1");
    QTest::newRow("space") << QStringLiteral("Tavo Presenter Pro") << QStringLiteral("1");
    QTest::newRow("tilde") << QStringLiteral("tavo~pro") << QStringLiteral("0");
    QTest::newRow("non-ASCII") << QStringLiteral("课堂媒体中心 é") << QStringLiteral("1");
    QTest::newRow("reserved") << QStringLiteral("a/b+c?d&=e:f@g,h;i%20j*") << QStringLiteral("1");
    QTest::newRow("empty") << QString() << QStringLiteral("1");
}

void TestNxCloudSignIn::restSignedQuickSignIn()
{
    QFETCH(QString, app);
    QFETCH(QString, rememberMe);
    const QPair<QString, QString> grant = confirmedGrant();
    QCOMPARE(grant.first, kTeacher);
    Params params = signInParams(grant.first, grant.second, app);
    params.insert(QStringLiteral("rememberMe"), rememberMe);
    const QJsonObject reply = quickSignIn(restSigned(params));
    QVERIFY2(reply.value(QStringLiteral("success")).toBool(false), qPrintable(reply.value(QStringLiteral("message")).toString()));
    const QJsonObject data = dataOf(reply);
    QCOMPARE(data.value(QStringLiteral("uid")).toString(), kTeacher);
    QVERIFY(!data.value(QStringLiteral("h4token")).toString().isEmpty());
    QCOMPARE(data.value(QStringLiteral("avatar")).toString(), base() + QStringLiteral("pictures/avatar-demo-teacher.png"));
}

void TestNxCloudSignIn::restKeysSortUpperCaseFirst()
{
    const QPair<QString, QString> grant = confirmedGrant();
    Params params = signInParams(grant.first, grant.second);
    params.insert(QStringLiteral("Zone"), QStringLiteral("east"));
    QCOMPARE(params.firstKey(), QStringLiteral("Zone"));
    QCOMPARE(quickSignIn(restSigned(params)).value(QStringLiteral("success")).toBool(false), true);

    // The same pairs signed in case-insensitive order must not pass.
    Params ordered = params;
    ordered.insert(QStringLiteral("sessionkey"), QStringLiteral("deskunit"));
    ordered.insert(QStringLiteral("resttime"), now());
    QStringList keys = ordered.keys();
    std::sort(keys.begin(), keys.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    QString text;
    for (const QString& key : keys)
        text += key + QLatin1Char('=') + formEncode(ordered.value(key)) + QLatin1Char('&');
    ordered.insert(QStringLiteral("restauth"), md5(text + kRestSecret));
    QCOMPARE(quickSignIn(ordered).value(QStringLiteral("success")).toBool(true), false);
}

void TestNxCloudSignIn::authcodeSignedQuickSignIn_data()
{
    QTest::addColumn<QString>("dcode");
    QTest::addColumn<QString>("accessToken");
    QTest::newRow("time only") << QString() << QString();
    QTest::newRow("dcode and access token") << QStringLiteral("dc-42") << QStringLiteral("at-7");
}

void TestNxCloudSignIn::authcodeSignedQuickSignIn()
{
    QFETCH(QString, dcode);
    QFETCH(QString, accessToken);
    const QPair<QString, QString> grant = confirmedGrant();
    Params params = signInParams(grant.first, grant.second);
    if (!dcode.isEmpty())
        params.insert(QStringLiteral("dcode"), dcode);
    if (!accessToken.isEmpty())
        params.insert(QStringLiteral("accesstoken"), accessToken);
    const Params signedParams = authcodeSigned(params);
    QVERIFY(!signedParams.contains(QStringLiteral("restauth")));
    const QJsonObject reply = quickSignIn(signedParams);
    QCOMPARE(reply.value(QStringLiteral("success")).toBool(false), true);
    QVERIFY(!dataOf(reply).value(QStringLiteral("h4token")).toString().isEmpty());
}

void TestNxCloudSignIn::wrongSignatureFails_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("value changed after signing") << QStringLiteral("value");
    QTest::newRow("wrong session key") << QStringLiteral("session");
    QTest::newRow("no signature") << QStringLiteral("none");
    QTest::newRow("wrong authcode") << QStringLiteral("authcode");
}

void TestNxCloudSignIn::wrongSignatureFails()
{
    QFETCH(QString, damage);
    const QPair<QString, QString> grant = confirmedGrant();
    const Params plain = signInParams(grant.first, grant.second);
    Params params = damage == QLatin1String("authcode") ? authcodeSigned(plain) : restSigned(plain);
    if (damage == QLatin1String("value"))
        params.insert(QStringLiteral("appname"), QStringLiteral("other"));
    else if (damage == QLatin1String("session"))
        params = restSigned(plain, now(), QStringLiteral("other"));
    else if (damage == QLatin1String("none"))
        params = plain;
    else
        params.insert(QStringLiteral("authcode"), md5(QStringLiteral("nonsense")));
    const QJsonObject reply = quickSignIn(params);
    QCOMPARE(reply.value(QStringLiteral("success")).toBool(true), false);
    QVERIFY(!reply.value(QStringLiteral("message")).toString().isEmpty());
}

void TestNxCloudSignIn::unconfirmedTokenFails()
{
    const QPair<QString, QString> grant = confirmedGrant();
    const QJsonObject otherToken = quickSignIn(restSigned(signInParams(kTeacher, QStringLiteral("not-issued"))));
    QCOMPARE(otherToken.value(QStringLiteral("success")).toBool(true), false);
    const QJsonObject otherUser = quickSignIn(restSigned(signInParams(QStringLiteral("someone"), grant.second)));
    QCOMPARE(otherUser.value(QStringLiteral("success")).toBool(true), false);
    QVERIFY(!otherUser.value(QStringLiteral("message")).toString().isEmpty());
}

void TestNxCloudSignIn::avatarIsARoundPng()
{
    const QPair<QString, QString> grant = confirmedGrant();
    const QString avatar = dataOf(quickSignIn(restSigned(signInParams(grant.first, grant.second))))
        .value(QStringLiteral("avatar")).toString();
    const NxHttpProbe::Result r = m_probe->get(avatar);
    QCOMPARE(r.status, 200);
    QCOMPARE(r.header("Content-Type"), QByteArray("image/png"));
    QVERIFY(r.body.startsWith("\x89PNG"));
    const QImage image = QImage::fromData(r.body, "PNG");
    QVERIFY(!image.isNull());
    QCOMPARE(image.width(), image.height());
    QVERIFY(image.width() >= 128);
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0); // transparent outside the circle
    QCOMPARE(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255);
}

void TestNxCloudSignIn::emptyAccessTokenOption()
{
    NxCloudServer::SignInOptions options;
    options.emptyAccessToken = true;
    m_server->setSignInOptions(options);
    const QPair<QString, QString> grant = confirmedGrant();
    const QJsonObject reply = quickSignIn(restSigned(signInParams(grant.first, grant.second)));
    QCOMPARE(reply.value(QStringLiteral("success")).toBool(false), true);
    const QJsonObject data = dataOf(reply);
    QVERIFY(data.value(QStringLiteral("h4token")).isString());
    QCOMPARE(data.value(QStringLiteral("h4token")).toString(), QString());
    QCOMPARE(data.value(QStringLiteral("uid")).toString(), kTeacher);
}

void TestNxCloudSignIn::brokenAvatarOption()
{
    NxCloudServer::SignInOptions options;
    options.brokenAvatar = true;
    m_server->setSignInOptions(options);
    const QPair<QString, QString> grant = confirmedGrant();
    const QJsonObject data = dataOf(quickSignIn(restSigned(signInParams(grant.first, grant.second))));
    QVERIFY(!data.value(QStringLiteral("h4token")).toString().isEmpty());
    const QString avatar = data.value(QStringLiteral("avatar")).toString();
    QVERIFY2(avatar.startsWith(base()), qPrintable(avatar));
    QCOMPARE(m_probe->get(avatar).status, 404);
}

void TestNxCloudSignIn::serviceProgramAutoConfirms()
{
    QProcess service;
    service.setProgram(QStringLiteral(NX_CLOUD_SERVICE));
    service.setArguments({QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--auto-confirm-after"), QStringLiteral("1")});
    service.start();
    QVERIFY(service.waitForStarted(5000));
    QTRY_VERIFY_WITH_TIMEOUT(service.canReadLine(), 10000);
    const QString serviceBase = QString::fromUtf8(service.readLine()).trimmed() + QLatin1Char('/');
    {
        NxHttpProbe probe;
        const QString code = newCode();
        const QString time = now();
        const QString url = serviceBase + kPoll.mid(1) + QStringLiteral("?actiontype=5&appname=%1&auth=%2&enstr=%3&time=%4")
            .arg(kApp, md5(code + time + kAuthKey), code, time);
        QVERIFY(dataOf(probe.get(url).json()).isEmpty());
        QCOMPARE(dataOf(probe.get(url).json()).value(QStringLiteral("uid")).toString(), kTeacher);
    }
    service.terminate();
    QVERIFY(service.waitForFinished(5000));
    QCOMPARE(service.exitCode(), 0);

    QProcess wrong;
    wrong.start(QStringLiteral(NX_CLOUD_SERVICE), {QStringLiteral("--auto-confirm-after"), QStringLiteral("-3")});
    QVERIFY(wrong.waitForFinished(5000));
    QCOMPARE(wrong.exitCode(), 2);
}

void TestNxCloudSignIn::memoryStaysBounded()
{
    // A long-running demo sees endless codes and requests: only the latest are kept.
    NxCloudSignInBook book{QJsonObject()};
    const QString first = QUuid::createUuid().toString(QUuid::WithoutBraces) + "-1";
    QVERIFY(book.confirm(first));
    for (int i = 0; i < NxCloudSignInBook::kMaxCodes; ++i)
        book.poll(QUuid::createUuid().toString(QUuid::WithoutBraces) + "-1");
    QVERIFY(!book.isConfirmed(first));
    const QString last = QUuid::createUuid().toString(QUuid::WithoutBraces) + "-2";
    book.poll(last);
    QCOMPARE(book.pollCount(last), 1);

    NxCloudRequestLog log;
    for (int i = 0; i < NxCloudRequestLog::kMaxRequests + 10; ++i)
        log.append(NxCloudRequest{"GET", QString("/p%1").arg(i), {}, {}, {}, {}, {}});
    QCOMPARE(log.all().size(), NxCloudRequestLog::kMaxRequests);
    QCOMPARE(log.count("/p9"), 0);
    QCOMPARE(log.all().last().path, QString("/p%1").arg(NxCloudRequestLog::kMaxRequests + 9));
}

QTEST_GUILESS_MAIN(TestNxCloudSignIn)
#include "tst_NxCloudSignIn.moc"

#include "NxAxloginUtil.h"

#include <QCryptographicHash>
#include <QUrlQuery>
#include <QtTest>

// Sign-in texts and signatures, checked against the documented formulas.
class tst_NxAxloginUtil : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void qrTextShape();
    void qrTextsDifferOnlyInUuid();
    void pollUrlIsSignedInKeyOrder();
    void pollUrlNeedsCodeAndActionType();
    void emptyPlatformHostFromLoginHost_data();
    void emptyPlatformHostFromLoginHost();
    void formEncode_data();
    void formEncode();
    void quickLoginRestSignature();
    void quickLoginPlatformSignature();

private:
    static QString md5(const QString& text)
    {
        return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Md5).toHex());
    }
    static QList<QPair<QString, QString>> pairs(const QString& joined)
    {
        QList<QPair<QString, QString>> result;
        for (const QString& pair : joined.split('&'))
            result.append({pair.section('=', 0, 0), pair.section('=', 1)});
        return result;
    }
};

void tst_NxAxloginUtil::init()
{
    QCoreApplication::instance()->setProperty("platformHost", "https://platform.example:8443");
    QCoreApplication::instance()->setProperty("cloudhost", "http://cloud.example/");
    QCoreApplication::setApplicationName("TavomcPresenterPro");
}

void tst_NxAxloginUtil::qrTextShape()
{
    const QString text = NxAxloginUtil().loginQrText();
    QVERIFY(text.startsWith("https://platform.example:8443/v1/web/redirect?code="));
    const QUrlQuery query(QUrl(text).query());
    const QString code = query.queryItemValue("code");
    QVERIFY(QRegularExpression("^[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}-\\d+$").match(code).hasMatch());
    QVERIFY(qAbs(code.section('-', 5).toLongLong() - QDateTime::currentSecsSinceEpoch()) <= 2);
    QCOMPARE(query.queryItemValue("actionType"), QString("5"));
    const QString target = text.section("&target=", 1);
    QCOMPARE(QString::fromUtf8(QByteArray::fromBase64(target.toLatin1())),
             QString("http://cloud.example/weixin/wechat/login?wxcode=teacher&appname=TavomcPresenterPro"));
    QCOMPARE(QByteArray::fromBase64(target.toLatin1()).toBase64(), target.toLatin1()); // standard alphabet, padded
}

void tst_NxAxloginUtil::qrTextsDifferOnlyInUuid()
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        NxAxloginUtil util;
        const QString first = util.loginQrText();
        const QString second = util.loginQrText();
        const QString firstCode = QUrlQuery(QUrl(first).query()).queryItemValue("code");
        const QString secondCode = QUrlQuery(QUrl(second).query()).queryItemValue("code");
        if (firstCode.section('-', 5) != secondCode.section('-', 5))
            continue; // a second went by
        QVERIFY(firstCode.section('-', 0, 4) != secondCode.section('-', 0, 4));
        QCOMPARE(QString(first).remove(firstCode), QString(second).remove(secondCode));
        return;
    }
    QFAIL("no two texts within one second");
}

void tst_NxAxloginUtil::pollUrlIsSignedInKeyOrder()
{
    NxAxloginUtil util;
    const QString qr = util.loginQrText();
    const QString code = QUrlQuery(QUrl(qr).query()).queryItemValue("code");
    const QString url = util.pollUrl(qr);
    QVERIFY(url.startsWith("https://platform.example:8443/v1/web/redirect/pcenter?"));
    const auto params = pairs(url.section('?', 1));
    QStringList keys;
    for (const auto& pair : params)
        keys << pair.first;
    QCOMPARE(keys, (QStringList{"actiontype", "appname", "auth", "enstr", "time"}));
    QCOMPARE(params.at(0).second, QString("5"));
    QCOMPARE(params.at(1).second, QString("TavomcPresenterPro"));
    QCOMPARE(params.at(3).second, code);
    QCOMPARE(params.at(2).second, md5(code + params.at(4).second + "hbw527tyq3ndk0zpe"));
}

void tst_NxAxloginUtil::pollUrlNeedsCodeAndActionType()
{
    NxAxloginUtil util;
    QCOMPARE(util.pollUrl("https://p/v1/web/redirect?code=abc&target=xyz"), QString());
    QCOMPARE(util.pollUrl("https://p/v1/web/redirect?code=&actionType=5&target=x"), QString());
    QVERIFY(!util.pollUrl("https://p/v1/web/redirect?code=abc&actionType=5&target=x").isEmpty());
}

void tst_NxAxloginUtil::emptyPlatformHostFromLoginHost_data()
{
    QTest::addColumn<QString>("loginHost");
    QTest::addColumn<QString>("base");
    QTest::newRow("path and query dropped") << "https://sso.example:8443/login/x?y=1" << "https://sso.example:8443/";
    QTest::newRow("default port") << "http://sso.example" << "http://sso.example/";
}

void tst_NxAxloginUtil::emptyPlatformHostFromLoginHost()
{
    QFETCH(QString, loginHost);
    QFETCH(QString, base);
    QCoreApplication::instance()->setProperty("platformHost", QString());
    QCoreApplication::instance()->setProperty("loginHost", loginHost);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("platformHost.*empty.*" + QRegularExpression::escape(base)));
    NxAxloginUtil util;
    const QString qr = util.loginQrText();
    QVERIFY2(qr.startsWith(base + "v1/web/redirect?code="), qPrintable(qr));
    QVERIFY(util.pollUrl(qr).startsWith(base + "v1/web/redirect/pcenter?"));
}

void tst_NxAxloginUtil::formEncode_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("encoded");
    QTest::newRow("empty") << "" << "";
    QTest::newRow("plain") << "Abc-09._" << "Abc-09._";
    QTest::newRow("space") << "a b" << "a+b";
    QTest::newRow("tilde") << "a~b" << "a%7Eb";
    QTest::newRow("reserved") << "a&b=c/d?e:f+g" << "a%26b%3Dc%2Fd%3Fe%3Af%2Bg";
    QTest::newRow("percent") << "100%" << "100%25";
    QTest::newRow("non-ASCII") << "数学" << "%E6%95%B0%E5%AD%A6";
}

void tst_NxAxloginUtil::formEncode()
{
    QFETCH(QString, value);
    QFETCH(QString, encoded);
    QCOMPARE(NxAxloginUtil::formEncode(value), encoded);
}

void tst_NxAxloginUtil::quickLoginRestSignature()
{
    NxAxloginUtil util;
    QCOMPARE(util.quickLoginUrl(), QString("http://cloud.example/api/userstep/loginbytoken"));
    const QString body = QString::fromUtf8(util.quickLoginBody("u 1", "tok~数", true, true));
    const auto params = pairs(body);
    QStringList keys;
    QMap<QString, QString> values;
    for (const auto& pair : params) {
        keys << pair.first;
        values.insert(pair.first, pair.second);
    }
    QCOMPARE(keys, (QStringList{"appname", "issign", "rememberMe", "restauth", "resttime", "sessionkey", "token", "uid",
                                "usertype"}));
    QCOMPARE(values.value("uid"), QString("u 1")); // the body carries values as they are
    QCOMPARE(values.value("token"), QString("tok~数"));
    QCOMPARE(values.value("rememberMe"), QString("1"));
    QCOMPARE(values.value("issign"), QString("true"));
    QCOMPARE(values.value("sessionkey"), QString("deskunit"));
    const QString signedText = "appname=TavomcPresenterPro&issign=true&rememberMe=1&resttime=" + values.value("resttime")
        + "&sessionkey=deskunit&token=tok%7E%E6%95%B0&uid=u+1&usertype=1&" + "rvy6031mfq58";
    QCOMPARE(values.value("restauth"), md5(signedText));
}

void tst_NxAxloginUtil::quickLoginPlatformSignature()
{
    QCoreApplication::instance()->setProperty("cloudhost", "https://platform.example:8443/cloud/");
    NxAxloginUtil util;
    const auto params = pairs(QString::fromUtf8(util.quickLoginBody("7", "t", false, false)));
    QMap<QString, QString> values;
    for (const auto& pair : params)
        values.insert(pair.first, pair.second);
    QVERIFY(!values.contains("restauth"));
    QCOMPARE(values.value("rememberMe"), QString("0"));
    QCOMPARE(values.value("issign"), QString("false"));
    QCOMPARE(values.value("authcode"), md5(values.value("time") + "q7m2vx9ke4tr8ba1"));
}

QTEST_GUILESS_MAIN(tst_NxAxloginUtil)
#include "tst_NxAxloginUtil.moc"

#include "NxLoginToWebController.h"
#include "NxCloudFixture.h"
#include "NxWebCmdCtrl.h"

#include <QElapsedTimer>
#include <QtTest>

// The QR picture and the poll cadence of a sign-in attempt.
class tst_NxLoginToWebController : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void qrPictureOfOneCharacter();
    void qrPictureScalesWithSymbol();
    void firstPollAfterThreeSeconds();
    void signedInStopsPollingAndAnnounces();
    void otherAnswersKeepPolling();
    void restartFetchesFreshCode();
    void fullSignInAgainstTheCloud();

private:
    void answer(int result, const QImage& image = QImage());
    int polls() const { return m_world->cloud().server().requestCount("/v1/web/redirect/pcenter"); }
    // When each poll was asked for, in ms of m_clock: the timer's own moment,
    // however late a loaded machine delivers it to the cloud.
    const QList<qint64>& queryTimes();

    QElapsedTimer m_clock;
    QList<qint64> m_queryTimes;

    NxCloudFixture* m_world = nullptr;
    NxWebCmdCtrl* m_web = nullptr; // the world's
    NxLoginToWebController* m_login = nullptr;
};

void tst_NxLoginToWebController::init()
{
    m_world = new NxCloudFixture;
    qApp->setProperty("platformHost", m_world->cloud().baseUrl() + "/");
    qApp->setProperty("cloudhost", m_world->cloud().baseUrl() + "/");
    m_web = m_world->startClient();
    m_login = new NxLoginToWebController;
    m_login->setWebCommandCtrl(m_web);
}

void tst_NxLoginToWebController::cleanup()
{
    delete m_login;
    delete m_world;
}

const QList<qint64>& tst_NxLoginToWebController::queryTimes()
{
    m_queryTimes.clear();
    m_clock.start();
    connect(m_web, &NxWebCmdCtrl::sigQueryQRlogin, this, [this] { m_queryTimes << m_clock.elapsed(); }, Qt::DirectConnection);
    return m_queryTimes;
}

void tst_NxLoginToWebController::answer(int result, const QImage& image)
{
    // As the client announces a poll outcome from its worker thread.
    QMetaObject::invokeMethod(m_web, "sigUserLogin", Qt::DirectConnection, Q_ARG(void*, nullptr), Q_ARG(int, result),
                              Q_ARG(QImage, image));
}

void tst_NxLoginToWebController::qrPictureOfOneCharacter()
{
    const QImage image = NxLoginToWebController::makeQrPixmap("a").toImage();
    QCOMPARE(image.size(), QSize(125, 125));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            QVERIFY(pixel == 0xFF000000 || pixel == 0xFFFFFFFF);
            QCOMPARE(pixel, image.pixel(x - x % 5, y - y % 5)); // 5 x 5 blocks
        }
    }
    // Finder pattern in the corner, no quiet zone: dark ring, light ring, dark core.
    QCOMPARE(image.pixel(0, 0), 0xFF000000u);
    QCOMPARE(image.pixel(5, 5), 0xFFFFFFFFu);
    QCOMPARE(image.pixel(10, 10), 0xFF000000u);
}

void tst_NxLoginToWebController::qrPictureScalesWithSymbol()
{
    const QString url = "https://platform.example/v1/web/redirect?code=0f8fad5b-d9cb-469f-a165-70867728950e-1765100000"
                        "&actionType=5&target=aHR0cDovL2Nsb3VkLmV4YW1wbGUvd2VpeGluL3dlY2hhdC9sb2dpbj93eGNvZGU9dGVhY2hlcg==";
    const QImage image = NxLoginToWebController::makeQrPixmap(url).toImage();
    QVERIFY(image.width() > 125);
    QCOMPARE(image.width() % 5, 0);
    QCOMPARE((image.width() / 5 - 17) % 4, 0); // a real symbol width: 17 + 4 x version
}

void tst_NxLoginToWebController::firstPollAfterThreeSeconds()
{
    QSignalSpy pictures(m_login, &NxLoginToWebController::sglQRLocation);
    const QList<qint64>& queries = queryTimes();
    m_login->startLogging();
    QCOMPARE(pictures.size(), 1);
    QVERIFY(!pictures.first().first().value<QPixmap>().isNull());
    QVERIFY(m_login->isPolling());
    QTRY_COMPARE_WITH_TIMEOUT(polls(), 1, 15000);
    QCOMPARE(queries.size(), 1);
    QVERIFY2(queries.first() >= 3000, qPrintable(QString::number(queries.first())));
}

void tst_NxLoginToWebController::signedInStopsPollingAndAnnounces()
{
    m_login->startLogging();
    QSignalSpy success(m_login, &NxLoginToWebController::sglLoginSuccess);
    QImage avatar(8, 8, QImage::Format_RGB32);
    avatar.fill(Qt::red);
    answer(0, avatar);
    QCOMPARE(success.size(), 1);
    QVERIFY(!m_login->isPolling());
    QCOMPARE(success.first().at(3).value<QImage>(), avatar);
    answer(0, avatar);
    QCOMPARE(success.size(), 2);
}

void tst_NxLoginToWebController::otherAnswersKeepPolling()
{
    m_login->startLogging();
    QSignalSpy success(m_login, &NxLoginToWebController::sglLoginSuccess);
    for (int code : {1, -1, -11, -21, -100})
        answer(code);
    QVERIFY(m_login->isPolling());
    QCOMPARE(success.size(), 0);
}

void tst_NxLoginToWebController::restartFetchesFreshCode()
{
    QSignalSpy pictures(m_login, &NxLoginToWebController::sglQRLocation);
    const QList<qint64>& queries = queryTimes();
    m_login->startLogging();
    QTest::qWait(2000);
    const qint64 restart = m_clock.elapsed();
    m_login->startLogging();
    QCOMPARE(pictures.size(), 2);
    QVERIFY(pictures.at(0).first().value<QPixmap>().toImage() != pictures.at(1).first().value<QPixmap>().toImage());
    QTRY_COMPARE_WITH_TIMEOUT(polls(), 1, 15000);
    QCOMPARE(queries.size(), 1); // the first start's poll never came
    QVERIFY2(queries.first() - restart >= 3000, qPrintable(QString::number(queries.first() - restart)));
}

void tst_NxLoginToWebController::fullSignInAgainstTheCloud()
{
    m_world->cloud().addPicture("avatar-demo-teacher.png", 256, 256);
    NxCloudServer::SignInOptions options;
    options.autoConfirmAfterPolls = 0; // as if the phone confirmed before the first poll
    m_world->cloud().server().setSignInOptions(options);
    QSignalSpy success(m_login, &NxLoginToWebController::sglLoginSuccess);
    m_login->startLogging();
    QTRY_COMPARE_WITH_TIMEOUT(success.size(), 1, 6000);
    QCOMPARE(success.first().at(0).toString(), QString("demo-teacher"));
    QVERIFY(!success.first().at(1).toString().isEmpty());
    QVERIFY(!success.first().at(2).toString().isEmpty());
    QCOMPARE(success.first().at(3).value<QImage>().size(), QSize(256, 256));
    QVERIFY(!m_login->isPolling());
}

QTEST_MAIN(tst_NxLoginToWebController)
#include "tst_NxLoginToWebController.moc"

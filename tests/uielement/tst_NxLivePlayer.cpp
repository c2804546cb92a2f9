#include "NxLivePlayer.h"
#include "NxMpvPlayer.h"
#include "NxPlayerBar.h"
#include "NxScreenCheck.h"
#include "NxTestCloud.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTouchDevice>
#include <QTranslator>
#include <QtTest>

// The live player on real streams from the local cloud: the picture, the
// errors, the self-hiding back button, the window size and a clean stop.
class tst_NxLivePlayer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void playsTheClip_data();
    void playsTheClip();
    void refusedAddressesAreErrors_data();
    void refusedAddressesAreErrors();
    void barHidesAfterThreeSecondsAndComesBackOnTouch();
    void windowIsOnePixelSmallerThanTheScreen();
    void closingStopsPlayback();

private:
    NxLivePlayer* startPlaying(const QString& file);
    QString mediaUrl(const QString& file) const { return m_cloud->baseUrl() + "/media/" + file; }
    // The process's threads but mpv's pooled workers, which idle a while.
    static int threadCount()
    {
        int count = 0;
        for (const QString& task : QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile comm("/proc/self/task/" + task + "/comm");
            count += comm.open(QIODevice::ReadOnly) && !comm.readAll().startsWith("mpv/worker");
        }
        return count;
    }

    QTranslator m_translator;
    NxTestCloud* m_cloud = nullptr;
    QPointer<NxLivePlayer> m_player;
};

void tst_NxLivePlayer::initTestCase()
{
    QVERIFY(NxScreenCheck::loadLanguage(m_translator, "zh_CN"));
    QCoreApplication::installTranslator(&m_translator);
    m_cloud = new NxTestCloud;
    m_cloud->server().setMediaDir(NX_MEDIA_DIR);
}

void tst_NxLivePlayer::cleanup()
{
    delete m_player;
}

NxLivePlayer* tst_NxLivePlayer::startPlaying(const QString& file)
{
    m_player = NxLivePlayer::create(nullptr, 1.0);
    QSignalSpy started(m_player.data(), &NxLivePlayer::sigStarted);
    m_player->playFile(mediaUrl(file));
    if (!started.wait(10000))
        return nullptr;
    m_player->show();
    return QTest::qWaitForWindowExposed(m_player) ? m_player.data() : nullptr;
}

void tst_NxLivePlayer::playsTheClip_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("mp4") << "demo-live.mp4";
    QTest::newRow("hls") << "demo-live.m3u8";
    // Characters an address may not carry, as a cloud may send them: encoded, not refused.
    QTest::newRow("unencoded query") << "demo-live.mp4?lesson=a|b^c{d}\"e\" f%zz";
}

void tst_NxLivePlayer::playsTheClip()
{
    QFETCH(QString, file);
    m_player = NxLivePlayer::create(nullptr, 1.0);
    QSignalSpy started(m_player.data(), &NxLivePlayer::sigStarted);
    QSignalSpy errors(m_player.data(), &NxLivePlayer::sigError);
    m_player->playFile(mediaUrl(file));
    QVERIFY(started.wait(10000));
    m_player->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_player));
    QTest::qWait(1500);
    QCOMPARE(started.size(), 1);
    QCOMPARE(errors.size(), 0);
    QImage shot = m_player->grab().toImage();
    // The test pattern: many colours, nothing like a black or blank window.
    QVERIFY2(NxScreenCheck::colourCount(shot, 200) >= 200, "no picture");
    if (file.endsWith(".mp4")) {
        // The bar is a window of its own: laid over the picture where it sits.
        auto* bar = m_player->findChild<NxPlayerBar*>();
        QVERIFY(bar && bar->isVisible());
        QPainter painter(&shot);
        painter.drawPixmap(bar->pos() - m_player->pos(), bar->grab());
        painter.end();
        const QSize screen = QGuiApplication::primaryScreen()->size();
        NxScreenCheck::saveImage(shot, QString("NxLivePlayer_bar_%1x%2").arg(screen.width()).arg(screen.height()));
    }
}

void tst_NxLivePlayer::refusedAddressesAreErrors_data()
{
    QTest::addColumn<QString>("url");
    QTest::newRow("404") << "/media/demo-live-ended.m3u8";
    QTest::newRow("local file") << "file://" NX_MEDIA_DIR "/demo-live.mp4";
    QTest::newRow("plain path") << NX_MEDIA_DIR "/demo-live.mp4";
    QTest::newRow("ftp") << "ftp://127.0.0.1/demo-live.mp4";
    QTest::newRow("no host") << "http:///media/demo-live.mp4";
}

void tst_NxLivePlayer::refusedAddressesAreErrors()
{
    QFETCH(QString, url);
    m_player = NxLivePlayer::create(nullptr, 1.0);
    QSignalSpy started(m_player.data(), &NxLivePlayer::sigStarted);
    QSignalSpy errors(m_player.data(), &NxLivePlayer::sigError);
    m_player->playFile(url.startsWith("/media") ? m_cloud->baseUrl() + url : url);
    QVERIFY(errors.wait(8000));
    QTest::qWait(300);
    QCOMPARE(errors.size(), 1);
    QCOMPARE(started.size(), 0);
}

void tst_NxLivePlayer::barHidesAfterThreeSecondsAndComesBackOnTouch()
{
    NxLivePlayer* player = startPlaying("demo-live.mp4");
    QVERIFY(player);
    auto* bar = player->findChild<NxPlayerBar*>();
    QVERIFY(bar->isVisible());
    QTest::mouseMove(player, QPoint(300, 200));
    QElapsedTimer sinceTouch;
    sinceTouch.start();
    QTRY_VERIFY_WITH_TIMEOUT(!bar->isVisible(), 5000);
    QVERIFY2(sinceTouch.elapsed() >= 2900, qPrintable(QString::number(sinceTouch.elapsed())));

    QTouchDevice* panel = QTest::createTouchDevice();
    QTest::touchEvent(player, panel).press(0, QPoint(400, 300), player);
    QTest::touchEvent(player, panel).release(0, QPoint(400, 300), player);
    QTRY_VERIFY(bar->isVisible());
    QCOMPARE(bar->pos(), NxPlayerBar::placeOn(QGuiApplication::primaryScreen()->geometry(), 1.0));
}

void tst_NxLivePlayer::windowIsOnePixelSmallerThanTheScreen()
{
    m_player = NxLivePlayer::create(nullptr, 1.0);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(m_player->size(), screen.size() - QSize(1, 1));
    QCOMPARE(m_player->minimumSize(), m_player->maximumSize());
}

void tst_NxLivePlayer::closingStopsPlayback()
{
    m_player = NxLivePlayer::create(nullptr, 1.0);
    const int idle = threadCount();
    auto* engine = m_player->findChild<NxMpvPlayer*>();
    QSignalSpy started(engine, &NxMpvPlayer::started);
    QSignalSpy stopped(engine, &NxMpvPlayer::stopped);
    QSignalSpy hidden(m_player.data(), &NxLivePlayer::sigHidden);
    m_player->playFile(mediaUrl("demo-live.mp4"));
    QVERIFY(started.wait(10000));
    m_player->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_player));
    QVERIFY(threadCount() > idle);
    auto* bar = m_player->findChild<NxPlayerBar*>();
    QTest::mouseClick(bar->findChild<QPushButton*>("backButton"), Qt::LeftButton);
    QVERIFY(!m_player->isVisible());
    QVERIFY(!bar->isVisible());
    QCOMPARE(hidden.size(), 1);
    QVERIFY(stopped.wait(3000));
    QVERIFY(!engine->isPlaying());
    // Demuxer, decoder and output threads end with the stream.
    QTRY_VERIFY_WITH_TIMEOUT(threadCount() <= idle, 3000);
}

QTEST_MAIN(tst_NxLivePlayer)
#include "tst_NxLivePlayer.moc"

#include "NxLocalMediaOpener.h"
#include "NxLocalPlayer.h"
#include "NxX11Session.h"

#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

// Who plays a local video, on a desktop whose MP4 handler is a test program
// and which has none for Matroska: the "localVideos" setting and the way
// back to the own player when the system has no program.
class tst_NxLocalVideoOpening : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void settingChoosesThePlayer_data();
    void settingChoosesThePlayer();

private:
    QTemporaryDir m_dir;
    NxX11Session* m_session = nullptr;
};

void tst_NxLocalVideoOpening::initTestCase()
{
    m_session = new NxX11Session;
    QVERIFY2(m_session->problem().isEmpty(), qPrintable(m_session->problem()));
    m_session->registerHandler("nxplayer", "video/mp4",
                               QString(NX_TEST_WINDOW_PROGRAM " --pidfile %1 %f").arg(m_session->pidFile()));
    QVERIFY(QFile::copy(NX_MEDIA_DIR "/demo-live.mp4", m_dir.filePath("lesson.mp4")));
    QVERIFY(QFile::copy(NX_MEDIA_DIR "/demo-live.mp4", m_dir.filePath("lesson.mkv")));
    qApp->setProperty("TempDir", m_dir.filePath("data"));
}

void tst_NxLocalVideoOpening::cleanupTestCase()
{
    delete m_session;
}

void tst_NxLocalVideoOpening::cleanup()
{
    m_session->endStartedPrograms();
    QFile::remove(m_session->pidFile());
}

void tst_NxLocalVideoOpening::settingChoosesThePlayer_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("bySystem");
    QTest::newRow("system with a program") << "system" << "lesson.mp4" << true;
    QTest::newRow("system without a program") << "system" << "lesson.mkv" << false;
    QTest::newRow("builtin with a program") << "builtin" << "lesson.mp4" << false;
}

void tst_NxLocalVideoOpening::settingChoosesThePlayer()
{
    QFETCH(QString, setting);
    QFETCH(QString, file);
    QFETCH(bool, bySystem);
    qApp->setProperty("localVideos", setting);
    QWidget window;
    NxLocalMediaOpener opener(&window);
    QSignalSpy bySystemSpy(&opener, &NxLocalMediaOpener::sigLocalVideoStarted);
    QSignalSpy played(&opener, &NxLocalMediaOpener::sigLocalVideoPlayed);
    opener.playLocalFile(m_dir.filePath(file));
    if (bySystem) {
        QVERIFY(bySystemSpy.wait(10000));
        QCOMPARE(bySystemSpy.first().first().toString(), m_dir.filePath(file));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_session->pidFile()), 10000);
        QVERIFY(!opener.player());
        QCOMPARE(played.size(), 0);
        return;
    }
    QVERIFY(played.wait(20000));
    QCOMPARE(played.first().at(1).toBool(), true);
    QVERIFY(opener.player() && opener.player()->isVisible());
    // Given the time a started program needs to write its id.
    QTest::qWait(1500);
    QVERIFY2(!QFile::exists(m_session->pidFile()), "a program was started");
    QCOMPARE(bySystemSpy.size(), 0);
}

QTEST_MAIN(tst_NxLocalVideoOpening)
#include "tst_NxLocalVideoOpening.moc"

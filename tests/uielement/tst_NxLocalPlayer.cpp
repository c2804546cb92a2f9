#include "NxLocalMediaOpener.h"
#include "NxLocalPlayer.h"
#include "NxMpvPlayer.h"
#include "NxResumePositions.h"
#include "NxScreenCheck.h"
#include "NxToolTipHelp.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLayout>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <sys/stat.h>

// The own player on a copy of the demo clip, drawn by the software renderer
// (offscreen has no OpenGL): the picture, pause, seeking, the end, the
// controls, resume positions, refused files and the controls' screens.
class tst_NxLocalPlayer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void playsPausesSeeksAndEnds();
    void resumesWhereTheTeacherStopped();
    void resumePositionsAreBounded();
    void refusedAndDamagedInputs_data();
    void refusedAndDamagedInputs();
    void controlsScreens_data();
    void controlsScreens();

private:
    // Opens path through the opener; the player once it shows a picture.
    NxLocalPlayer* open(const QString& path);
    NxMpvPlayer* engine() const { return m_opener->player()->findChild<NxMpvPlayer*>(); }
    QPushButton* button(const char* name) const { return m_opener->player()->findChild<QPushButton*>(name); }
    QImage picture() const { return m_opener->player()->findChild<QWidget*>("m_wdRender")->grab().toImage(); }
    static bool near(double a, double b, double within = 0.5) { return qAbs(a - b) <= within; }

    QTemporaryDir m_dir;
    QString m_clip;
    QWidget* m_window = nullptr;
    NxLocalMediaOpener* m_opener = nullptr;
    QTranslator m_translator;
};

void tst_NxLocalPlayer::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_clip = m_dir.filePath("lesson.mp4");
    QVERIFY(QFile::copy(NX_MEDIA_DIR "/demo-live.mp4", m_clip));
    QFile subtitles(m_dir.filePath("lesson.srt"));
    QVERIFY(subtitles.open(QIODevice::WriteOnly));
    subtitles.write("1\n00:00:00,000 --> 00:00:06,000\nGood morning, class\n");
    subtitles.close();
    qApp->setProperty("TempDir", m_dir.filePath("data"));
    qApp->setProperty("localVideos", "builtin");
}

void tst_NxLocalPlayer::init()
{
    m_window = new QWidget;
    m_opener = new NxLocalMediaOpener(m_window);
}

void tst_NxLocalPlayer::cleanup()
{
    delete m_window;
    QCoreApplication::removeTranslator(&m_translator);
}

NxLocalPlayer* tst_NxLocalPlayer::open(const QString& path)
{
    QSignalSpy played(m_opener, &NxLocalMediaOpener::sigLocalVideoPlayed);
    m_opener->playLocalFile(path);
    if (!played.wait(20000) || !played.first().at(1).toBool())
        return nullptr;
    NxLocalPlayer* player = m_opener->player();
    return QTest::qWaitForWindowExposed(player) ? player : nullptr;
}

void tst_NxLocalPlayer::playsPausesSeeksAndEnds()
{
    NxLocalPlayer* player = open(m_clip);
    QVERIFY(player);
    QVERIFY2(NxScreenCheck::colourCount(picture(), 200) >= 200, "no picture");
    QTRY_VERIFY(engine()->showsSubtitles());
    QTRY_COMPARE(player->findChild<QLabel*>("total")->text(), QString("0:06"));

    // Pause stops the picture.
    QTest::keyClick(player, Qt::Key_Space);
    QTRY_VERIFY(engine()->isPaused());
    QTest::qWait(300);
    const QImage still = picture();
    QTest::qWait(600);
    QCOMPARE(picture(), still);
    QVERIFY(button("playPause")->property("paused").toBool());

    // A tap on the seek bar jumps there.
    auto* seek = player->findChild<QSlider*>("seek");
    QTest::mouseClick(seek, Qt::LeftButton, {}, QPoint(seek->width() * 3 / 5, seek->height() / 2));
    const double target = seek->value() / 1000.0;
    QVERIFY2(target > 2.5 && target < 4.5, qPrintable(QString::number(target)));
    QTRY_VERIFY2(near(engine()->position(), target), qPrintable(QString::number(engine()->position())));
    QTRY_COMPARE(player->findChild<QLabel*>("elapsed")->text(), QString("0:0%1").arg(int(engine()->position())));

    // Volume and mute, by key and by button.
    QTest::keyClick(player, Qt::Key_Down);
    QTRY_COMPARE(engine()->volume(), 90);
    QTest::mouseClick(button("mute"), Qt::LeftButton);
    QTRY_VERIFY(engine()->isMuted());

    // Ten seconds back from 0:03 is the start.
    QTest::mouseClick(button("rewind"), Qt::LeftButton);
    QTRY_VERIFY2(engine()->position() < 0.5, qPrintable(QString::number(engine()->position())));

    // Played to the end: the last picture stays, with a replay button.
    engine()->seek(5.0);
    QTest::mouseClick(button("playPause"), Qt::LeftButton);
    QTRY_VERIFY(!engine()->isPaused() || engine()->isAtEnd());
    QTRY_VERIFY_WITH_TIMEOUT(engine()->isAtEnd(), 10000);
    QTRY_VERIFY(button("choice0") && button("choice0")->isVisible());
    QCOMPARE(button("choice0")->text(), QString("ID_REPLAY"));
    QVERIFY(NxScreenCheck::colourCount(picture(), 200) >= 200);
    QTest::mouseClick(button("choice0"), Qt::LeftButton);
    QTRY_VERIFY(!engine()->isAtEnd() && !engine()->isPaused());
    QVERIFY(engine()->position() < 2);
    QTRY_VERIFY(!button("choice0")->isVisible());

    // The controls go 3 s after the last touch and come back on the next.
    auto* bar = player->findChild<QWidget*>("localPlayerBar");
    QElapsedTimer sinceTouch; // started first: the touch is at or after it
    sinceTouch.start();
    QTest::mouseMove(player, QPoint(300, 200));
    QTRY_VERIFY_WITH_TIMEOUT(!bar->isVisible(), 5000);
    // Qt's default (coarse) timers may fire up to 5 % early.
    QVERIFY2(sinceTouch.elapsed() >= 2850, qPrintable(QString::number(sinceTouch.elapsed())));
    QTest::mousePress(player->findChild<QWidget*>("m_wdRender"), Qt::LeftButton, {}, QPoint(400, 300));
    QVERIFY(bar->isVisible());

    // Escape is back: the player goes, and playback with it.
    QPointer<NxLocalPlayer> gone(player);
    QTest::keyClick(player, Qt::Key_Escape);
    QTRY_VERIFY(!gone);
}

void tst_NxLocalPlayer::resumesWhereTheTeacherStopped()
{
    QVERIFY(NxScreenCheck::loadLanguage(m_translator, "en_US"));
    QCoreApplication::installTranslator(&m_translator);
    NxResumePositions& positions = NxResumePositions::instance();
    const QFileInfo file(m_clip);
    const QString key = NxResumePositions::key(file.absoluteFilePath(), file.size(), file.lastModified());
    positions.remember(key, 0);
    QVERIFY(open(m_clip));
    QVERIFY(!button("choice0") || !button("choice0")->isVisible());
    QTest::keyClick(m_opener->player(), Qt::Key_Space);
    QTRY_VERIFY(engine()->isPaused());
    engine()->seek(3.2);
    QTRY_VERIFY(near(engine()->position(), 3.2, 0.1));
    QTest::mouseClick(button("back"), Qt::LeftButton);
    QTRY_VERIFY(!m_opener->player());
    QVERIFY(near(positions.position(key), 3.2));
    positions.waitForWrites();
    QFile saved(NxResumePositions::filePath());
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll().contains(m_clip.toUtf8()));

    // Offered on the next opening, held on that picture until chosen.
    QVERIFY(open(QUrl::fromLocalFile(m_clip).toString()));
    QTRY_VERIFY(button("choice1") && button("choice1")->isVisible());
    QCOMPARE(button("choice0")->text(), QString("Continue from 0:03"));
    QCOMPARE(button("choice1")->text(), QString("Start over"));
    QTRY_VERIFY(engine()->isPaused());
    QVERIFY(near(engine()->position(), 3.2));
    QTest::mouseClick(button("choice0"), Qt::LeftButton);
    QTRY_VERIFY(!engine()->isPaused());
    QVERIFY(engine()->position() >= 3.0);
    QTest::keyClick(m_opener->player(), Qt::Key_Escape);
    QTRY_VERIFY(!m_opener->player());

    QVERIFY(open(m_clip));
    QTRY_VERIFY(button("choice1") && button("choice1")->isVisible());
    QTest::mouseClick(button("choice1"), Qt::LeftButton);
    QTRY_VERIFY(!engine()->isPaused());
    QVERIFY(engine()->position() < 2.5);
    QVERIFY(!button("choice0")->isVisible());
}

void tst_NxLocalPlayer::resumePositionsAreBounded()
{
    NxResumePositions& positions = NxResumePositions::instance();
    const QVariant place = qApp->property("TempDir");
    qApp->setProperty("TempDir", m_dir.filePath("bounded"));
    for (int i = 0; i < NxResumePositions::kMaxEntries + 5; ++i)
        positions.remember(QString("/videos/%1.mp4|1|1").arg(i), i + 1.5);
    positions.remember("/videos/100.mp4|1|1", 0);
    QCOMPARE(positions.count(), NxResumePositions::kMaxEntries - 1);
    positions.waitForWrites();
    // Read back from the file: elsewhere and back again.
    qApp->setProperty("TempDir", m_dir.filePath("elsewhere"));
    QCOMPARE(positions.count(), 0);
    qApp->setProperty("TempDir", m_dir.filePath("bounded"));
    QCOMPARE(positions.count(), NxResumePositions::kMaxEntries - 1);
    QCOMPARE(positions.position("/videos/204.mp4|1|1"), 205.5);
    QCOMPARE(positions.position("/videos/4.mp4|1|1"), 0.0); // the oldest went
    QCOMPARE(positions.position("/videos/5.mp4|1|1"), 6.5);
    QCOMPARE(positions.position("/videos/100.mp4|1|1"), 0.0);
    QVERIFY(QDir(m_dir.filePath("bounded/player")).entryList(QDir::Files) == QStringList{"resume_positions.json"});
    qApp->setProperty("TempDir", place);
}

void tst_NxLocalPlayer::refusedAndDamagedInputs_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("folder") << "folder.mp4";
    QTest::newRow("named pipe") << "pipe.mp4";
    QTest::newRow("missing") << "missing.mp4";
    QTest::newRow("truncated") << "truncated.mp4";
    QTest::newRow("text named mp4") << "notes.mp4";
    QTest::newRow("not a video type") << "notes.txt";
    QTest::newRow("web address") << "http://127.0.0.1:9/lesson.mp4";
}

void tst_NxLocalPlayer::refusedAndDamagedInputs()
{
    QFETCH(QString, name);
    const QString path = name.contains("://") ? name : m_dir.filePath(name);
    if (name == "folder.mp4")
        QVERIFY(QDir().mkpath(path));
    if (name == "pipe.mp4")
        QVERIFY(QFile::exists(path) || mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    if (name.startsWith("notes.")) {
        QFile text(path);
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("Lesson notes: fractions, then decimals.\n");
    }
    if (name == "truncated.mp4") {
        // The index at the end, and the end cut off.
        const QString whole = m_dir.filePath("whole.mp4");
        QCOMPARE(QProcess::execute("ffmpeg", {"-v", "error", "-y", "-i", m_clip, "-c", "copy", whole}), 0);
        QFile file(whole);
        QVERIFY(file.resize(file.size() / 2) && file.rename(path));
    }
    QLabel* toast = NxToolTipHelp::Instance().findChild<QLabel*>();
    toast->clear();
    QSignalSpy played(m_opener, &NxLocalMediaOpener::sigLocalVideoPlayed);
    QElapsedTimer call;
    call.start();
    m_opener->playLocalFile(path);
    QVERIFY2(call.elapsed() < 1000, "the GUI thread waited for the file");
    QVERIFY(played.wait(20000));
    QCOMPARE(played.first().at(1).toBool(), false);
    QTRY_COMPARE(toast->text(), QString("ID_VIDEO_CANNOT_PLAY"));
    QTRY_VERIFY(!m_opener->player());
    QTest::qWait(200);
    QCOMPARE(played.size(), 1);
}

void tst_NxLocalPlayer::controlsScreens_data()
{
    NxScreenCheck::addLanguageScaleRows();
}

// Controls and the resume offer over the picture, on the panel each scale is
// made for.
void tst_NxLocalPlayer::controlsScreens()
{
    double scale = 1.0;
    const QString suffix = NxScreenCheck::prepareRow(m_translator, &scale);
    const QSize panel = scale < 1 ? QSize(1366, 768) : QSize(1920, 1080) * scale;
    NxLocalPlayer* player = NxLocalPlayer::create(m_window, scale);
    player->setFixedSize(panel);
    player->layout()->activate();
    QSignalSpy started(player, &NxLocalPlayer::sigStarted);
    player->playFile(m_clip, QString(), 3.0);
    QVERIFY(started.wait(10000));
    player->show();
    QVERIFY(QTest::qWaitForWindowExposed(player));
    QVERIFY(player->findChild<QPushButton*>("choice1")->isVisible());
    QTRY_VERIFY(player->findChild<NxMpvPlayer*>()->isPaused());
    // A touch right before the picture: a slow machine may have let the controls go.
    QTest::mouseMove(player, QPoint(panel.width() / 2, panel.height() / 3));
    QVERIFY(player->findChild<QWidget*>("localPlayerBar")->isVisible());
    const QImage shot = NxScreenCheck::save(player, "NxLocalPlayer" + suffix);
    QCOMPARE(shot.size(), panel * player->devicePixelRatioF());
    const QStringList faults = NxScreenCheck::faults(player);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    QVERIFY(player->findChild<QPushButton*>("choice0")->text().contains("0:03"));
    // The controls lie inside the picture, along its bottom.
    const QRect bar = player->findChild<QWidget*>("localPlayerBar")->geometry();
    QCOMPARE(bar.bottom(), panel.height() - 1);
    QCOMPARE(bar.width(), panel.width());
}

QTEST_MAIN(tst_NxLocalPlayer)
#include "tst_NxLocalPlayer.moc"

#include "NxAdminClient.h"
#include "NxProgramRunner.h"
#include "NxTestCloud.h"
#include "NxTestEnvironment.h"
#include "NxX11Session.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScopeGuard>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

// Where things are at scale 1.0 on a 1920x1080 panel (the screen this test
// runs on), as a teacher would tap them.
const QPoint kLiveTile(956, 343);
const QPoint kFirstSlot(854, 777);
const QRect kFirstSlotArea(760, 682, 190, 190);
const QPoint kFirstCatalogueTile(463, 435);
const QPoint kBriefAddButton(1140, 672);
const QRect kBackButton(1717, 909, 98, 48);
const QRect kToolBar(1430, 950, 170, 50);
const QPoint kTvTile(956, 561);
const QPoint kPageReturn(1553, 994);
const QRect kFirstCatalogueTileArea(383, 375, 160, 120);
const QPoint kLocalVideoTile(530, 776);
const QPoint kDialogFirstFile(729, 387);
const QPoint kDialogOk(1412, 792);
const QPoint kLocalPlayerBack(115, 1015);
const QRect kPictureMiddle(760, 340, 400, 400);

// What a school's IT staff change through the admin API: colours the panel's
// screen shows only if it took the change.
const QString kAdminPassword = QStringLiteral("Desktop admin 42");
const QString kLiveCode = QStringLiteral("246810");
const QColor kNewChannelColour(230, 20, 200);
const QList<QColor> kStationColours{QColor(250, 140, 0), QColor(0, 200, 230), QColor(120, 220, 20)};

double meanDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.isNull())
        return 255;
    qint64 sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) + qAbs(qBlue(p) - qBlue(q));
        }
    return double(sum) / (3.0 * a.width() * a.height());
}

bool isColour(QRgb pixel, const QColor& colour)
{
    return qAbs(qRed(pixel) - colour.red()) < 40 && qAbs(qGreen(pixel) - colour.green()) < 40
        && qAbs(qBlue(pixel) - colour.blue()) < 40;
}

QString idPath(const QString& pattern, const QJsonValue& item)
{
    return pattern.arg(item["id"].toVariant().toLongLong());
}

QJsonArray stations(NxAdminClient& admin)
{
    return admin.get("/admin/api/channels?category=tvstation&limit=500").json()["channels"].toArray();
}

int countPixels(const QImage& image, const std::function<bool(QRgb)>& test)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += test(image.pixel(x, y)) ? 1 : 0;
    return count;
}

} // namespace

// The real program on a real desktop, driven by pointer and keyboard events
// from outside (xdotool) and judged by what reaches the screen.
class tst_NxProgramOnDesktop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void pinnedChannelSurvivesRestart();
    void liveLessonPlaysWithBackButtonOnTop();
    void localVideoPlaysInTheOwnPlayer();
    void startsNoSessionBus();
    void adminChangesReachThePanel();

private:
    QString startService(QProcess& service, const QTemporaryDir& dir);
    static void changeThroughAdminApi(NxAdminClient& admin, const QString& base);
    static bool videoUnderBackButton();
    QProcess* startProgram();
    void endProgram(QProcess* program);
    static void input(const QStringList& arguments);
    static void tap(const QPoint& point) { input({"mousemove", QString::number(point.x()), QString::number(point.y()), "click", "1"}); }
    static QImage screen(const QRect& area = QRect());
    static bool waitFor(const std::function<bool()>& condition, int timeoutMs);
    static void save(const QString& name) { screen().save(QStringLiteral(NX_SCREENS_DIR "/") + name + ".png"); }

    NxTestEnvironment* m_env = nullptr;
    NxX11Session* m_session = nullptr;
    NxTestCloud* m_cloud = nullptr;
    NxProgramRunner* m_runner = nullptr;
    QImage m_emptySlot;
};

void tst_NxProgramOnDesktop::initTestCase()
{
    QCOMPARE(QGuiApplication::primaryScreen()->geometry().size(), QSize(1920, 1080));
    QVERIFY2(!QStandardPaths::findExecutable("xdotool").isEmpty(), "xdotool is not installed");
    m_env = new NxTestEnvironment;
    // The program's leaks are checked by the offscreen program tests. Here a
    // leak checker fails on its own: Mesa's driver, loaded by the player, is
    // unloaded at exit, and its tracer can fault on a desktop program's threads.
    qputenv("LSAN_OPTIONS", qgetenv("LSAN_OPTIONS") + ":detect_leaks=0");
    m_session = new NxX11Session;
    QVERIFY2(m_session->problem().isEmpty(), qPrintable(m_session->problem()));
    m_cloud = new NxTestCloud(NxCloudServer::loadSeed(NX_DEMO_CLOUD_DIR "/demo-seed.json"));
    m_cloud->server().setPictureDir(NX_DEMO_CLOUD_DIR "/pictures");
    m_cloud->server().setMediaDir(NX_DEMO_CLOUD_DIR "/media");
    m_runner = new NxProgramRunner;
    QVERIFY(m_runner->isReady());
    QVERIFY(m_runner->useCloud(m_cloud->baseUrl()));
    QDir().mkpath(NX_SCREENS_DIR);
}

void tst_NxProgramOnDesktop::cleanupTestCase()
{
    delete m_runner;
    delete m_cloud;
    delete m_session;
    delete m_env;
}

QProcess* tst_NxProgramOnDesktop::startProgram()
{
    QProcess* program = m_runner->start({});
    // The home page is complete once the toolbar is drawn and the screen stands still.
    QImage last;
    const bool shown = waitFor(
        [&] {
            const QImage now = screen(kToolBar);
            const bool still = meanDifference(now, last) < 1.0 && countPixels(now, [](QRgb p) { return qGray(p) > 200; }) > 30;
            last = now;
            return still;
        },
        30000);
    if (!shown) {
        save("start-failed");
        qWarning() << NxProgramRunner::errorText(program).right(3000);
    }
    QTest::qWait(1500); // the catalogue and its pictures
    return shown ? program : nullptr;
}

// A Qt warning ("QObject::...", "QWidget::...") is a fault of the program.
void tst_NxProgramOnDesktop::endProgram(QProcess* program)
{
    program->terminate();
    QVERIFY(program->waitForFinished(10000));
    QCOMPARE(program->exitCode(), 0);
    const QStringList warnings = NxProgramRunner::qtWarnings(program);
    QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join('\n')));
}

void tst_NxProgramOnDesktop::input(const QStringList& arguments)
{
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), arguments), 0);
    QTest::qWait(300);
}

QImage tst_NxProgramOnDesktop::screen(const QRect& area)
{
    const QImage whole = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    return area.isNull() ? whole : whole.copy(area);
}

bool tst_NxProgramOnDesktop::waitFor(const std::function<bool()>& condition, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QTest::qWait(100);
    }
    return true;
}

void tst_NxProgramOnDesktop::pinnedChannelSurvivesRestart()
{
    QProcess* program = startProgram();
    QVERIFY(program);
    m_emptySlot = screen(kFirstSlotArea);
    tap(kFirstSlot);
    QTest::qWait(1500);
    tap(kFirstCatalogueTile);
    QTest::qWait(1000);
    save("catalogue-brief");
    tap(kBriefAddButton);
    QVERIFY(waitFor([&] { return meanDifference(screen(kFirstSlotArea), m_emptySlot) > 20; }, 10000));
    QTest::qWait(1000);
    const QImage pinned = screen(kFirstSlotArea);
    endProgram(program);

    QFile file(m_env->dataRoot() + "/Maplo/TavomcPresenterPro/channel/FirstPage_Local.jdx");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonArray saved = QJsonDocument::fromJson(file.readAll()).array();
    QCOMPARE(saved.size(), 1);
    QCOMPARE(saved.at(0)["page"].toInt(), 0);
    QCOMPARE(saved.at(0)["index"].toInt(), 1);
    QVERIFY(!saved.at(0)["channelid"].toString().isEmpty());

    program = startProgram();
    QVERIFY(program);
    save("restarted-with-pin");
    QVERIFY2(meanDifference(screen(kFirstSlotArea), pinned) < 6, "the slot does not show the pinned channel after a restart");
    endProgram(program);
}

// The back button is a window of its own; it must be on top of the video
// from the first frame, not only after a touch.
void tst_NxProgramOnDesktop::liveLessonPlaysWithBackButtonOnTop()
{
    QProcess* program = startProgram();
    QVERIFY(program);
    const QImage home = screen(kToolBar);
    tap(kLiveTile);
    QTest::qWait(1500);
    input({"type", "--delay", "50", "123456"});
    input({"key", "Return"});
    QVERIFY2(waitFor(videoUnderBackButton, 10000), "no back button over the playing video");
    save("live-playing");
    tap(kBackButton.center());
    QVERIFY2(waitFor([&] { return meanDifference(screen(kToolBar), home) < 3; }, 5000), "back does not return home");
    endProgram(program);
}

// A teacher's own clip on the desktop, picked in the file dialog, plays in
// the product's own player; back returns to the home page.
void tst_NxProgramOnDesktop::localVideoPlaysInTheOwnPlayer()
{
    const QString desktop = m_env->path() + "/Desktop";
    QVERIFY(QDir().mkpath(desktop));
    QFile::remove(desktop + "/lesson.mp4");
    QVERIFY(QFile::copy(NX_DEMO_CLOUD_DIR "/media/demo-live.mp4", desktop + "/lesson.mp4"));
    QFile dirs(qEnvironmentVariable("XDG_CONFIG_HOME") + "/user-dirs.dirs");
    QVERIFY(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_DESKTOP_DIR=\"" + desktop.toUtf8() + "\"\n");
    dirs.close();
    QProcess* program = startProgram();
    QVERIFY(program);
    const QImage home = screen(kToolBar);
    // The clip's yellow bar, a colour the home page never shows.
    const auto playing = [] {
        return countPixels(screen(kPictureMiddle), [](QRgb p) { return qRed(p) > 200 && qGreen(p) > 200 && qBlue(p) < 80; }) > 20000;
    };
    QVERIFY(!playing());
    tap(kLocalVideoTile);
    QTest::qWait(1500);
    save("local-dialog");
    tap(kDialogFirstFile);
    tap(kDialogOk);
    QVERIFY2(waitFor(playing, 10000), "the clip does not play");
    save("local-playing");
    tap(kPictureMiddle.center());
    tap(kLocalPlayerBack);
    QVERIFY2(waitFor([&] { return meanDifference(screen(kToolBar), home) < 3; }, 5000), "back does not return home");
    endProgram(program);
}

// Without any session bus, Qt's accessibility bridge would have libdbus run
// dbus-launch to start one at the first text of the home page.
void tst_NxProgramOnDesktop::startsNoSessionBus()
{
    QTemporaryDir bin;
    const QString launched = bin.filePath("launched");
    QFile launcher(bin.filePath("dbus-launch"));
    QVERIFY(launcher.open(QIODevice::WriteOnly));
    launcher.write(QString("#!/bin/sh\ntouch '%1'\nexit 1\n").arg(launched).toUtf8());
    launcher.close();
    QVERIFY(launcher.setPermissions(launcher.permissions() | QFile::ExeOwner));
    const QByteArray path = qgetenv("PATH"), address = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    qputenv("PATH", QFile::encodeName(bin.path()) + ':' + path);
    qunsetenv("DBUS_SESSION_BUS_ADDRESS"); // the runtime directory is the test's own, without a bus
    QProcess* program = startProgram();
    qputenv("PATH", path);
    if (!address.isEmpty())
        qputenv("DBUS_SESSION_BUS_ADDRESS", address);
    QVERIFY(program);
    endProgram(program);
    QVERIFY2(!QFile::exists(launched), "the program ran dbus-launch");
}

bool tst_NxProgramOnDesktop::videoUnderBackButton()
{
    const QImage bar = screen(kBackButton);
    const QImage beside = screen(kBackButton.translated(-kBackButton.width() - 20, 0));
    const int text = countPixels(bar, [](QRgb p) { return qMin(qRed(p), qMin(qGreen(p), qBlue(p))) > 200; });
    const int dark = countPixels(bar, [](QRgb p) { return qGray(p) < 40; });
    const int video = countPixels(beside, [](QRgb p) { return qGray(p) >= 40; });
    return text > 20 && dark > bar.width() * bar.height() / 2 && video > beside.width() * beside.height() / 2;
}

// The real NxCloudService on a private SQLite file, filled from the demo seed;
// answers its address, or nothing when it did not start.
QString tst_NxProgramOnDesktop::startService(QProcess& service, const QTemporaryDir& dir)
{
    QFile password(dir.filePath("admin-password"));
    if (!password.open(QIODevice::WriteOnly) || password.write(kAdminPassword.toUtf8() + '\n') < 0)
        return QString();
    password.close();
    service.start(NX_CLOUD_SERVICE, {"--port", "0", "--data", dir.path(), "--seed", NX_DEMO_CLOUD_DIR "/demo-seed.json",
                                     "--pictures", NX_DEMO_CLOUD_DIR "/pictures", "--media", NX_DEMO_CLOUD_DIR "/media",
                                     "--admin-password-file", password.fileName()});
    if (!service.waitForStarted(10000) || !waitFor([&] { return service.canReadLine(); }, 20000))
        return QString();
    return QString::fromUtf8(service.readLine()).trimmed();
}

// A new channel first in its category with a picture of its own colour; the
// seed's TV stations replaced by a playlist of three, each with its colour;
// a new live code for the demo clip.
void tst_NxProgramOnDesktop::changeThroughAdminApi(NxAdminClient& admin, const QString& base)
{
    const auto channel = admin.json("POST", "/admin/api/channels",
        {{"category", "nxtchannel"}, {"name", "Made by the admin"}, {"address", "https://example.org/admin"}, {"position", 0}});
    QCOMPARE(channel.status, 201);
    const QString picturePath = QStringLiteral("/admin/api/channels/%1/picture");
    QCOMPARE(admin.send("PUT", idPath(picturePath, channel.json()), NxTestCloud::png(320, 180, kNewChannelColour), "image/png").status, 200);

    for (const QJsonValue station : stations(admin))
        QCOMPARE(admin.send("DELETE", idPath("/admin/api/channels/%1", station), {}, {}).status, 204);
    const QByteArray playlist = "#EXTM3U\n#EXTINF:-1 group-title=\"News\",Admin station one\nhttps://example.org/one.m3u8\n"
                                "#EXTINF:-1,Admin station two\nhttps://example.org/two.m3u8\n"
                                "#EXTINF:-1,Admin station three\nhttp://example.org/three.m3u8\n";
    const auto imported = admin.send("POST", "/admin/api/stations/import", playlist, "audio/x-mpegurl");
    QCOMPARE(imported.status, 200);
    QCOMPARE(imported.json()["added"].toInt(), 3);
    const QJsonArray imports = stations(admin);
    QCOMPARE(imports.size(), 3);
    for (int i = 0; i < imports.size(); ++i)
        QCOMPARE(admin.send("PUT", idPath(picturePath, imports[i]), NxTestCloud::png(320, 180, kStationColours[i]), "image/png").status, 200);

    const auto code = admin.json("POST", "/admin/api/live-codes",
        {{"code", kLiveCode}, {"address", base + "/media/demo-live.mp4"}, {"title", "Admin lesson"}});
    QCOMPARE(code.status, 201);
}

// What the admin changed reaches the real program: the catalogue offers the
// new channel, the TV page has the three stations, the new live code plays.
void tst_NxProgramOnDesktop::adminChangesReachThePanel()
{
    QTemporaryDir dir;
    QProcess service;
    const QString base = startService(service, dir);
    QVERIFY2(!base.isEmpty(), service.readAllStandardError().constData());
    const auto stopService = qScopeGuard([&] {
        service.terminate();
        service.waitForFinished(10000);
        m_runner->useCloud(m_cloud->baseUrl());
    });
    NxAdminClient admin(base);
    QVERIFY(admin.signIn("admin", kAdminPassword));
    changeThroughAdminApi(admin, base);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(m_runner->useCloud(base));
    QFile::remove(m_env->dataRoot() + "/Maplo/TavomcPresenterPro/channel/FirstPage_Local.jdx"); // the first slot empty

    QProcess* program = startProgram();
    QVERIFY(program);
    tap(kFirstSlot);
    const auto newChannelShown = [] {
        return countPixels(screen(kFirstCatalogueTileArea), [](QRgb p) { return isColour(p, kNewChannelColour); })
            > kFirstCatalogueTileArea.width() * kFirstCatalogueTileArea.height() / 3;
    };
    const bool offered = waitFor(newChannelShown, 10000);
    save("admin-catalogue");
    QVERIFY2(offered, "the catalogue does not offer the admin's new channel first");
    tap(kPageReturn);
    QTest::qWait(1000);

    tap(kTvTile);
    const auto stationsShown = [] {
        const QImage page = screen();
        for (const QColor& colour : kStationColours) {
            if (countPixels(page, [&](QRgb p) { return isColour(p, colour); }) < 5000)
                return false;
        }
        return true;
    };
    const bool listed = waitFor(stationsShown, 10000);
    save("admin-tv-page");
    QVERIFY2(listed, "the TV page does not show the three imported stations");
    tap(kPageReturn);
    QTest::qWait(1000);

    tap(kLiveTile);
    QTest::qWait(1500);
    input({"type", "--delay", "50", kLiveCode});
    input({"key", "Return"});
    const bool playing = waitFor(videoUnderBackButton, 10000);
    save("admin-live-code");
    QVERIFY2(playing, "the admin's new live code does not play");
    tap(kBackButton.center());
    endProgram(program);
}

QTEST_MAIN(tst_NxProgramOnDesktop)
#include "tst_NxProgramOnDesktop.moc"

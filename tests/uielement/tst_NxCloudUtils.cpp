#include "NxCloudUtils.h"
#include "NxFileDialogFixture.h"

#include <QFile>
#include <QHBoxLayout>
#include <QJsonArray>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QScopedPointer>
#include <QThread>
#include <QSettings>
#include <QtTest>

// The system utilities on real files and processes, with the drives of the
// test: USB sticks, INI application groups, layouts, texts.
class tst_NxCloudUtils : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void usbDisks();
    void iniApplications_data();
    void iniApplications();
    void strFarmat_data();
    void strFarmat();
    void clearLayoutKeepsWidgets();
    void jsonTexts();
    void processes();
    void processListingIsBoundedAndOffTheGuiThread();

private:
    static QString listingOnWorker(qint64* elapsedMs = nullptr);

    NxFileWorld m_world;
};

void tst_NxCloudUtils::initTestCase()
{
    // The system-wide settings of installed programs live here for the test.
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, m_world.path("system"));
}

void tst_NxCloudUtils::usbDisks()
{
    m_world.drives.add(m_world.path("stick"), INxDrives::Type::Removable, true);
    m_world.drives.add(m_world.path("card"), INxDrives::Type::Removable, false);
    m_world.drives.add(m_world.path("usbdisk"), INxDrives::Type::Fixed, true);
    m_world.drives.add(m_world.path("dvd"), INxDrives::Type::CdRom, false);
    QCOMPARE(NxCloudUtils::getUsbDisk(), QJsonArray({QJsonObject{{"name", m_world.path("stick")}}}));
}

void tst_NxCloudUtils::iniApplications_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("keys"); // empty: the entry is dropped
    const QString player = m_world.touch("apps/player/player.bin");
    const QString maplo = m_world.path("system/Maplo");
    QDir().mkpath(maplo);
    QSettings(maplo + "/Board.conf", QSettings::NativeFormat).setValue("StartShellPath", m_world.path("apps/player/player.bin"));
    QSettings(maplo + "/Paint.conf", QSettings::NativeFormat).setValue("InstallPath", m_world.path("apps/player/"));
    QSettings(maplo + "/Gone.conf", QSettings::NativeFormat).setValue("StartShellPath", m_world.path("apps/gone.bin"));
    const QStringList full{"enName", "name", "image", "appName", "params", "regKey", "regGroup", "appGroup", "appPath"};
    Q_UNUSED(player)
    QTest::newRow("7 fields, start path") << "Board|白板|board.png|board.exe|-full|Board|Maplo" << full;
    QTest::newRow("8 fields, install path") << "Paint|画图|paint.png|player.bin||Paint|Maplo|extra" << full;
    QTest::newRow("7 fields, program missing") << "Gone|没了|gone.png|gone.exe||Gone|Maplo" << QStringList();
    QTest::newRow("7 fields, unknown vendor") << "X|某|x.png|player.bin||X|Elsewhere" << QStringList();
    QTest::newRow("4 fields") << "Notes|笔记|notes.png|notes.exe" << QStringList();
    QTest::newRow("2 fields") << "Notes|笔记" << QStringList();
}

void tst_NxCloudUtils::iniApplications()
{
    QFETCH(QString, value);
    QFETCH(QStringList, keys);
    const QString ini = m_world.path("apps.ini");
    QFile::remove(ini);
    NxCloudUtils::writeIni(ini, "Teaching/app", value);
    QCOMPARE(NxCloudUtils::iniGroupSize(ini, "Teaching"), 1);
    NxCloudUtils utils;
    const QJsonArray apps = utils.getIniValuesByGroup(ini, "Teaching");
    QCOMPARE(apps.size(), keys.isEmpty() ? 0 : 1);
    if (keys.isEmpty())
        return;
    const QJsonObject app = apps.first().toObject();
    QCOMPARE(app.keys().size(), keys.size());
    for (const QString& key : keys)
        QVERIFY2(app.contains(key), qPrintable(key));
    QCOMPARE(app.value("appGroup").toString(), QString("Teaching"));
    QCOMPARE(app.value("appPath").toString(), m_world.path("apps/player/player.bin"));
}

void tst_NxCloudUtils::strFarmat_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("elided");
    QTest::newRow("fits") << "Data(D:)" << false;
    QTest::newRow("too wide") << "Removable Disk (/media/teacher/A very long stick label)" << true;
}

void tst_NxCloudUtils::strFarmat()
{
    QFETCH(QString, text);
    QFETCH(bool, elided);
    QFont font("Microsoft YaHei");
    font.setPixelSize(14);
    const int width = 120;
    const QString shown = NxCloudUtils::strFarmat(text, width, font);
    QCOMPARE(shown == text, !elided);
    QVERIFY(QFontMetrics(font).horizontalAdvance(shown) <= width);
    if (elided)
        QVERIFY(shown.endsWith(QChar(0x2026)));
}

void tst_NxCloudUtils::clearLayoutKeepsWidgets()
{
    QWidget box;
    auto* layout = new QHBoxLayout(&box);
    QPointer<QLabel> first = new QLabel("a");
    QPointer<QLabel> nested = new QLabel("b");
    auto* inner = new QHBoxLayout;
    inner->addWidget(nested);
    inner->addStretch();
    layout->addWidget(first);
    layout->addLayout(inner);
    box.show();
    NxCloudUtils::clearLayout(layout);
    QCOMPARE(layout->count(), 0);
    for (const QPointer<QLabel>& label : {first, nested}) {
        QVERIFY(label);
        QVERIFY(!label->parent());
        QVERIFY(label->isHidden());
    }
    delete first;
    delete nested;
}

void tst_NxCloudUtils::jsonTexts()
{
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^\"Parse json \\[1, error: \""));
    QVERIFY(NxCloudUtils::getJsonArrayFromString("[1,").isEmpty());
    QCOMPARE(NxCloudUtils::getStringFromJsonArray(QJsonArray()), QString("[]"));
    const QJsonArray two{QJsonObject{{"a", 1}}, QJsonObject{{"b", 2}}};
    QCOMPARE(NxCloudUtils::getJsonArrayFromString(NxCloudUtils::getStringFromJsonArray(two)), two);
    QString text = "TavomcPresenterPro 2024";
    NxCloudUtils::encryption(text);
    QVERIFY(text != "TavomcPresenterPro 2024");
    NxCloudUtils::encryption(text);
    QCOMPARE(text, QString("TavomcPresenterPro 2024"));
}

// Two copies of a sleeping program, one inside the program directory and
// one elsewhere: only the own installation is ended when asked so.
void tst_NxCloudUtils::processes()
{
    const QString name = QString("nx_sleep_%1").arg(QCoreApplication::applicationPid());
    const QString own = QCoreApplication::applicationDirPath() + "/" + name;
    const QString other = m_world.path("elsewhere/") + name;
    QDir().mkpath(m_world.path("elsewhere"));
    QFile::remove(own);
    QVERIFY(QFile::copy("/bin/sleep", own));
    QVERIFY(QFile::copy("/bin/sleep", other));
    QFile::setPermissions(own, QFile::permissions("/bin/sleep"));
    QFile::setPermissions(other, QFile::permissions("/bin/sleep"));
    QProcess ownProcess, otherProcess;
    ownProcess.start(own, {"30"});
    otherProcess.start(other, {"30"});
    QVERIFY(ownProcess.waitForStarted() && otherProcess.waitForStarted());
    QTRY_VERIFY(NxCloudUtils::GetProcessIDByName(name) != 0);
    QVERIFY(listingOnWorker().contains(name.left(15)));
    QCOMPARE(NxCloudUtils::GetProcessIDByName("no_such_program_here"), 0u);

    NxCloudUtils::killProcess(const_cast<QString&>(name), true);
    QVERIFY(ownProcess.waitForFinished(5000));
    QCOMPARE(otherProcess.state(), QProcess::Running);
    NxCloudUtils::killProcess(const_cast<QString&>(name), false);
    QVERIFY(otherProcess.waitForFinished(5000));
    QFile::remove(own);
}

QString tst_NxCloudUtils::listingOnWorker(qint64* elapsedMs)
{
    QString listing;
    QElapsedTimer clock;
    clock.start();
    QScopedPointer<QThread> worker(QThread::create([&] { listing = NxCloudUtils::getRunningProcesses(); }));
    worker->start();
    worker->wait();
    if (elapsedMs)
        *elapsedMs = clock.elapsed();
    return listing;
}

// The listing waits for a program: never on the GUI thread, and a program
// that hangs holds its caller a few seconds, not a minute.
void tst_NxCloudUtils::processListingIsBoundedAndOffTheGuiThread()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^NxCloudUtils::getRunningProcesses refused on the GUI thread"));
    QVERIFY(NxCloudUtils::getRunningProcesses().isEmpty());

    // A listing program that never ends, found first on the search path.
    const QString bin = m_world.path("hanging-bin");
    QDir().mkpath(bin);
    for (const char* name : {"ps", "tasklist"}) {
        QFile program(bin + "/" + name);
        QVERIFY(program.open(QIODevice::WriteOnly));
        program.write("#!/bin/sh\nexec sleep 60\n");
        program.close();
        QVERIFY(program.setPermissions(program.permissions() | QFile::ExeOwner));
    }
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin) + ":" + path);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^NxProcessListing::run .* did not finish in"));
    qint64 elapsed = 0;
    const QString listing = listingOnWorker(&elapsed);
    qputenv("PATH", path);
    QVERIFY(listing.isEmpty());
    QVERIFY2(elapsed < 7000, qPrintable(QString("held its caller %1 ms").arg(elapsed)));
}

QTEST_MAIN(tst_NxCloudUtils)
#include "tst_NxCloudUtils.moc"

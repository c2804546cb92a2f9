#include "NxFileNames.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// File names as Windows treats them, on any system.
class tst_NxFileNames : public QObject
{
    Q_OBJECT

private slots:
    void resolveIgnoresCase();
    void shellTarget_data();
    void shellTarget();
    void runsAsProgram_data();
    void runsAsProgram();
};

void tst_NxFileNames::resolveIgnoresCase()
{
    QTemporaryDir dir;
    QFile(dir.filePath("firstpage_Local.jdx")).open(QIODevice::WriteOnly);
    QCOMPARE(NxFileNames::resolve(dir.path(), "FirstPage_Local.jdx"), dir.filePath("firstpage_Local.jdx"));
    QCOMPARE(NxFileNames::resolve(dir.path(), "TV_Local.jdx"), dir.filePath("TV_Local.jdx"));
    QFile(dir.filePath("FirstPage_Local.jdx")).open(QIODevice::WriteOnly);
    QCOMPARE(NxFileNames::resolve(dir.path(), "FirstPage_Local.jdx"), dir.filePath("FirstPage_Local.jdx"));
}

void tst_NxFileNames::shellTarget_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("expected");
    QTest::newRow("address with path and query") << "https://a/b?x=c/d" << "https://a/b?x=c/d";
    QTest::newRow("plain address") << "http://maths.example/lesson/1" << "http://maths.example/lesson/1";
    QTest::newRow("file address") << "file:///C:/videos/a.mp4" << "file:///C:/videos/a.mp4";
    QTest::newRow("drive path") << "C:/videos/a b.mp4" << "C:\\videos\\a b.mp4";
    QTest::newRow("program directory") << "D:/Program Files/Tavo/TavoSoftwareUpdate.exe"
                                       << "D:\\Program Files\\Tavo\\TavoSoftwareUpdate.exe";
    QTest::newRow("share") << "//server/share/a.pptx" << "\\\\server\\share\\a.pptx";
}

void tst_NxFileNames::shellTarget()
{
    QFETCH(QString, target);
    QFETCH(QString, expected);
    QCOMPARE(NxFileNames::shellTarget(target), expected);
}

void tst_NxFileNames::runsAsProgram_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("program");
    QTest::newRow("video") << "E:/lesson.mp4" << false;
    QTest::newRow("video named like a program") << "E:/setup.exe.mp4" << false;
    QTest::newRow("program") << "E:/setup.exe" << true;
    QTest::newRow("program, upper case, backslashes") << "E:\\Tools\\SETUP.EXE" << true;
    QTest::newRow("program, trailing dot and space") << "E:/setup.exe. " << true;
    QTest::newRow("script") << "E:/lesson.mp4.bat" << true;
    QTest::newRow("shortcut") << "C:/Users/Public/Desktop/Player.lnk" << true;
    QTest::newRow("file address of a program") << "file:///E:/run.cmd" << true;
    QTest::newRow("web address of a program") << "https://maths.example/setup.exe" << false;
}

void tst_NxFileNames::runsAsProgram()
{
    QFETCH(QString, target);
    QFETCH(bool, program);
    QCOMPARE(NxFileNames::runsAsProgram(target), program);
}

QTEST_GUILESS_MAIN(tst_NxFileNames)
#include "tst_NxFileNames.moc"

#include "NxShellNative.h"
#include "NxTestEnvironment.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Documents and addresses reach the program the desktop names for them, a
// document is never run itself, and a refusal of xdg-open is reported. The
// only opener of this desktop is a recording script of the test, or none.
class tst_NxShellNative : public QObject
{
    Q_OBJECT

private slots:
    void documentsGoToTheirProgram_data();
    void documentsGoToTheirProgram();
    void programsStartDirectly();

private:
    // A shell script that appends its arguments to record.
    QString script(const QString& name, const QString& record);
    QString read(const QString& name) const;

    QTemporaryDir m_dir;
};

QString tst_NxShellNative::script(const QString& name, const QString& record)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" >> '%1'\n").arg(m_dir.filePath(record)).toUtf8());
    file.close();
    file.setPermissions(file.permissions() | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
    return path;
}

QString tst_NxShellNative::read(const QString& name) const
{
    QFile file(m_dir.filePath(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void tst_NxShellNative::documentsGoToTheirProgram_data()
{
    QTest::addColumn<QString>("target"); // empty: an executable script named lesson.mp4
    QTest::addColumn<bool>("player");    // the desktop has a program for it
    QTest::newRow("executable lesson.mp4, a player") << QString() << true;
    QTest::newRow("executable lesson.mp4, no player") << QString() << false;
    QTest::newRow("web address, a browser") << "https://maths.example/lesson?unit=3" << true;
    QTest::newRow("web address, no browser") << "https://maths.example/lesson?unit=3" << false;
}

void tst_NxShellNative::documentsGoToTheirProgram()
{
    QFETCH(QString, target);
    QFETCH(bool, player);
    QFile::remove(m_dir.filePath("ran"));
    QFile::remove(m_dir.filePath("opened"));
    if (target.isEmpty())
        target = script("lesson.mp4", "ran"); // as sticks often show every file
    NxTestEnvironment env;
    env.useBareDesktop(player ? script("player", "opened") : QString());
    QObject context;
    int failures = 0;

    NxShellNative shell;
    QVERIFY(shell.open(target, INxShell::Show::Maximized, &context, [&] { ++failures; }));
    QTRY_VERIFY(context.children().isEmpty()); // xdg-open has ended
    QCOMPARE(failures, player ? 0 : 1);
    QCOMPARE(read("opened"), player ? target + "\n" : QString());
    QVERIFY2(!QFile::exists(m_dir.filePath("ran")), "the document was run as a program");
}

// The keyboard and the updater are programs, started with their parameters.
void tst_NxShellNative::programsStartDirectly()
{
    NxShellNative shell;
    QVERIFY(shell.startProgram(script("updater", "ran"), "--command \"a b\"", INxShell::Show::Normal));
    QTRY_COMPARE(read("ran"), QString("--command\na b\n"));
    QVERIFY(!shell.startProgram(m_dir.filePath("missing"), QString(), INxShell::Show::Normal));
}

QTEST_GUILESS_MAIN(tst_NxShellNative)
#include "tst_NxShellNative.moc"

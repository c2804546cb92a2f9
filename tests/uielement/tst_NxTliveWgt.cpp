#include "NxScreenCheck.h"
#include "NxSecWindow.h"
#include "NxTliveWgt.h"
#include "NxTmyEdit.h"

#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTranslator>
#include <QtTest>

// The live-code keypad's editing rules, and its screens with the failure
// notice that follows a wrong code.
class tst_NxTliveWgt : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void deleteRemovesBeforeTheCursor_data();
    void deleteRemovesBeforeTheCursor();
    void backspaceInTheEditSwitchesPageFirst();
    void okWithoutCodeOnlyPrompts();
    void enterPressesOkVisibly();
    void closeButtonEmitsNothing();
    void screens_data();
    void screens();

private:
    void click(const QString& key) { QTest::mouseClick(m_panel->findChild<QPushButton*>(key), Qt::LeftButton); }
    void remove(bool byKey);
    NxTmyEdit* edit() const { return m_panel->findChild<NxTmyEdit*>("code"); }
    bool prompting() const { return m_panel->findChild<QStackedWidget*>()->currentIndex() == 1; }

    QPointer<NxTliveWgt> m_panel;
    QTranslator m_translator;
};

void tst_NxTliveWgt::init()
{
    qApp->setProperty("scalefactor", 1.0);
    m_panel = new NxTliveWgt(nullptr);
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel));
}

void tst_NxTliveWgt::cleanup()
{
    delete m_panel;
    QCoreApplication::removeTranslator(&m_translator);
}

// The delete button, or Backspace reaching the panel itself.
void tst_NxTliveWgt::remove(bool byKey)
{
    if (byKey)
        QTest::keyClick(m_panel, Qt::Key_Backspace);
    else
        click("delete");
}

void tst_NxTliveWgt::deleteRemovesBeforeTheCursor_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::newRow("delete button") << false;
    QTest::newRow("backspace key") << true;
}

void tst_NxTliveWgt::deleteRemovesBeforeTheCursor()
{
    QFETCH(bool, byKey);
    remove(byKey);
    QVERIFY(prompting());
    click("key_1");
    QTest::keyClick(m_panel, Qt::Key_2);
    click("key_3");
    QVERIFY(!prompting());
    remove(byKey);
    QCOMPARE(edit()->text(), QString("12"));
    QCOMPARE(edit()->cursorPosition(), 2);
    QVERIFY(!prompting());

    edit()->setCursorPosition(0);
    remove(byKey);
    QCOMPARE(edit()->text(), QString("12"));
    QVERIFY(prompting());

    edit()->setCursorPosition(1);
    remove(byKey);
    QCOMPARE(edit()->text(), QString("2"));
    QCOMPARE(edit()->cursorPosition(), 0);
    // Only the button lets go of the edit after taking the first digit.
    QCOMPARE(edit()->hasFocus(), byKey);
}

void tst_NxTliveWgt::backspaceInTheEditSwitchesPageFirst()
{
    click("key_7");
    click("key_8");
    edit()->setFocus();
    edit()->setCursorPosition(0);
    QTest::keyClick(edit(), Qt::Key_Backspace);
    QVERIFY(prompting());
    QCOMPARE(edit()->text(), QString("78"));
    edit()->setCursorPosition(2);
    QTest::keyClick(edit(), Qt::Key_Backspace);
    QVERIFY(!prompting());
    QCOMPARE(edit()->text(), QString("7"));
}

void tst_NxTliveWgt::okWithoutCodeOnlyPrompts()
{
    QSignalSpy codes(m_panel.data(), &NxTliveWgt::signLivingCode);
    click("ok");
    QVERIFY(prompting());
    QCOMPARE(codes.size(), 0);
    click("key_5");
    click("ok");
    QCOMPARE(codes.size(), 1);
    QCOMPARE(codes.first().first().toString(), QString("5"));
    QCOMPARE(edit()->text(), QString());
    QVERIFY(!prompting());
}

void tst_NxTliveWgt::enterPressesOkVisibly()
{
    QSignalSpy codes(m_panel.data(), &NxTliveWgt::signLivingCode);
    auto* ok = m_panel->findChild<QPushButton*>("ok");
    for (Qt::Key key : {Qt::Key_4, Qt::Key_5, Qt::Key_6})
        QTest::keyClick(m_panel, key);
    QTest::keyPress(m_panel, Qt::Key_Return);
    QVERIFY(ok->isDown());
    QTest::keyRelease(m_panel, Qt::Key_Return);
    QVERIFY(!ok->isDown());
    QCOMPARE(codes.size(), 1);
    QCOMPARE(codes.first().first().toString(), QString("456"));
    QVERIFY(!prompting());
    QTest::keyClick(m_panel, Qt::Key_Enter);
    QCOMPARE(codes.size(), 1);
    QVERIFY(prompting());
}

void tst_NxTliveWgt::closeButtonEmitsNothing()
{
    QSignalSpy codes(m_panel.data(), &NxTliveWgt::signLivingCode);
    click("key_9");
    click("close");
    QTRY_VERIFY(m_panel.isNull());
    QCOMPARE(codes.size(), 0);
}

void tst_NxTliveWgt::screens_data()
{
    NxScreenCheck::addLanguageScaleRows();
}

void tst_NxTliveWgt::screens()
{
    double scale = 1.0;
    const QString suffix = NxScreenCheck::prepareRow(m_translator, &scale);
    delete m_panel;
    const auto check = [](QWidget* window, const QString& name) {
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QImage shot = NxScreenCheck::save(window, name);
        QVERIFY2(NxScreenCheck::colourCount(shot) > 4, "blank picture");
        const QStringList faults = NxScreenCheck::faults(window);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
    };

    m_panel = new NxTliveWgt(nullptr);
    m_panel->show();
    QCOMPARE(m_panel->size(), QSize(int(515 * scale), int(609 * scale)));
    for (const char* key : {"key_1", "key_2", "key_3", "key_4", "key_5", "key_6"})
        click(key);
    check(m_panel, "NxTliveWgt_code" + suffix);
    click("delete");
    edit()->setCursorPosition(0);
    click("delete");
    QVERIFY(prompting());
    check(m_panel, "NxTliveWgt_prompt" + suffix);
    m_panel->hide();

    QPointer<NxSecWindow> failure = new NxSecWindow(nullptr);
    failure->show();
    check(failure, "NxSecWindow_failure" + suffix);
    failure->closeWin();
}

QTEST_MAIN(tst_NxTliveWgt)
#include "tst_NxTliveWgt.moc"

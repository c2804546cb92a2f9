#include "NxTmyEdit.h"

#include <QClipboard>
#include <QSignalSpy>
#include <QtTest>

// Keys of the live-code edit: digits go to the owner, clipboard and undo
// keys do nothing, everything else edits as usual.
class tst_NxTmyEdit : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void inputMethodIsOff();
    void pasteInsertsNothing();
    void digitsAreHandedOver();
    void digitsAreHandedOver_data();
    void selectAllCopyCutUndoDoNothing();
    void otherKeysEdit();
};

void tst_NxTmyEdit::init()
{
    QGuiApplication::clipboard()->setText("123");
}

void tst_NxTmyEdit::inputMethodIsOff()
{
    NxTmyEdit edit(nullptr);
    QVERIFY(!edit.testAttribute(Qt::WA_InputMethodEnabled));
}

void tst_NxTmyEdit::pasteInsertsNothing()
{
    // The same keys paste into a plain edit, so the clipboard works here.
    QLineEdit plain;
    QTest::keyClick(&plain, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(plain.text(), QString("123"));

    NxTmyEdit edit(nullptr);
    edit.setText("45");
    QSignalSpy keys(&edit, &NxTmyEdit::sigKeyinput);
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(edit.text(), QString("45"));
    QCOMPARE(keys.count(), 0);
}

void tst_NxTmyEdit::digitsAreHandedOver_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("digit");
    QTest::newRow("0") << int(Qt::Key_0) << "0";
    QTest::newRow("7") << int(Qt::Key_7) << "7";
    QTest::newRow("9") << int(Qt::Key_9) << "9";
}

void tst_NxTmyEdit::digitsAreHandedOver()
{
    QFETCH(int, key);
    QFETCH(QString, digit);
    NxTmyEdit edit(nullptr);
    edit.setText("12");
    QSignalSpy keys(&edit, &NxTmyEdit::sigKeyinput);
    QTest::keyClick(&edit, Qt::Key(key), Qt::NoModifier);
    QCOMPARE(edit.text(), QString("12"));
    QCOMPARE(keys.count(), 1);
    QCOMPARE(keys.first().first().toString(), digit);
}

void tst_NxTmyEdit::selectAllCopyCutUndoDoNothing()
{
    NxTmyEdit edit(nullptr);
    edit.setText("abc");
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    QVERIFY(edit.selectedText().isEmpty());

    edit.setSelection(0, 2);
    QTest::keyClick(&edit, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("123"));
    QTest::keyClick(&edit, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(edit.text(), QString("abc"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("123"));

    edit.setCursorPosition(3);
    QTest::keyClick(&edit, Qt::Key_D);
    QCOMPARE(edit.text(), QString("abcd"));
    QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(edit.text(), QString("abcd"));
}

void tst_NxTmyEdit::otherKeysEdit()
{
    NxTmyEdit edit(nullptr);
    QSignalSpy returns(&edit, &QLineEdit::returnPressed);
    QTest::keyClicks(&edit, "ab");
    QCOMPARE(edit.text(), QString("ab"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(edit.text(), QString("a"));
    QTest::keyClick(&edit, Qt::Key_Left);
    QCOMPARE(edit.cursorPosition(), 0);
    QTest::keyClick(&edit, Qt::Key_Return);
    QCOMPARE(returns.count(), 1);
}

QTEST_MAIN(tst_NxTmyEdit)
#include "tst_NxTmyEdit.moc"

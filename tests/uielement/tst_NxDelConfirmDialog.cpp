#include "NxDelConfirmDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

// The delete question: OK only reports, Cancel closes, Escape does nothing.
class tst_NxDelConfirmDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void layout();
    void okReportsAndStaysOpen();
    void cancelCloses();
    void escapeLeavesItOpen();
};

void tst_NxDelConfirmDialog::initTestCase()
{
    qApp->setProperty("scalefactor", 0.71);
}

void tst_NxDelConfirmDialog::layout()
{
    NxDelConfirmDialog dialog(nullptr);
    QCOMPARE(dialog.size(), QSize(337, 213));
    QCOMPARE(dialog.windowModality(), Qt::ApplicationModal);
    QVERIFY(!dialog.testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(dialog.findChild<QWidget*>("msgdlg"));
    auto* label = dialog.findChild<QLabel*>();
    QCOMPARE(label->text(), QString("ID_DELETE_CONFIRM"));
    QVERIFY(label->width() >= 127);
    QVERIFY(label->height() >= 18);
    QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->width());
    QVERIFY(label->fontMetrics().height() <= label->height());
    auto* cancel = dialog.findChild<QPushButton*>("m_cancelButton");
    auto* ok = dialog.findChild<QPushButton*>("m_okButton");
    QVERIFY(cancel && ok);
    QCOMPARE(cancel->text(), QString("ID_CANCEL"));
    QCOMPARE(ok->text(), QString("ID_OK"));
    QCOMPARE(cancel->size(), QSize(78, 28));
    QCOMPARE(ok->size(), QSize(78, 28));
    QVERIFY(cancel->styleSheet().contains("rgba(95,87,252,1)"));
    QVERIFY(ok->styleSheet().contains("background-color:#3A4144"));
    QVERIFY(ok->styleSheet().contains("border-radius:14.2px;font-size:14.2px;"));

    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(label->y(), 64);
    QCOMPARE(ok->y(), 64 + label->height() + 31);
    QCOMPARE(cancel->y(), ok->y());
    QCOMPARE(ok->x() - cancel->geometry().right() - 1, 28);
    const int middle = (cancel->x() + ok->geometry().right()) / 2;
    QVERIFY(qAbs(middle - dialog.width() / 2) <= 1);
}

void tst_NxDelConfirmDialog::okReportsAndStaysOpen()
{
    NxDelConfirmDialog dialog(nullptr);
    QSignalSpy confirmed(&dialog, &NxDelConfirmDialog::sigDelConfirmed);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::mouseClick(dialog.findChild<QPushButton*>("m_okButton"), Qt::LeftButton);
    QCOMPARE(confirmed.count(), 1);
    QVERIFY(dialog.isVisible());
}

void tst_NxDelConfirmDialog::cancelCloses()
{
    NxDelConfirmDialog dialog(nullptr);
    QSignalSpy confirmed(&dialog, &NxDelConfirmDialog::sigDelConfirmed);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::mouseClick(dialog.findChild<QPushButton*>("m_cancelButton"), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(confirmed.count(), 0);
}

void tst_NxDelConfirmDialog::escapeLeavesItOpen()
{
    NxDelConfirmDialog dialog(nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
}

QTEST_MAIN(tst_NxDelConfirmDialog)
#include "tst_NxDelConfirmDialog.moc"

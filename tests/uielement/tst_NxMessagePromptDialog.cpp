#include "NxMessagePromptDialog.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTranslator>
#include <QtTest>

namespace {

// A translation far longer than the label's design width.
class LongTranslator : public QTranslator
{
public:
    QString translate(const char*, const char* sourceText, const char*, int) const override
    {
        if (QByteArray(sourceText) != "ID_CANNOT_DELETE")
            return QString();
        return QStringLiteral("This channel belongs to the school catalogue and cannot be deleted from here.");
    }
    bool isEmpty() const override { return false; }
};

} // namespace

// The cannot-delete prompt: layout, three-second countdown, closing by tap.
class tst_NxMessagePromptDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void layout();
    void longTextWrapsInsideThePanel();
    void escapeLeavesItOpen();
    void buttonClosesAtOnce();
    void countdownCloses();
};

void tst_NxMessagePromptDialog::initTestCase()
{
    qApp->setProperty("scalefactor", 2.0);
}

void tst_NxMessagePromptDialog::layout()
{
    QPointer<NxMessagePromptDialog> dialog = new NxMessagePromptDialog(nullptr);
    QCOMPARE(dialog->size(), QSize(950, 600));
    QCOMPARE(dialog->windowModality(), Qt::ApplicationModal);
    QVERIFY(dialog->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(dialog->windowFlags() & Qt::FramelessWindowHint);
    auto* background = dialog->findChild<QWidget*>("msgdlg");
    QVERIFY(background);
    auto* label = dialog->findChild<QLabel*>();
    QCOMPARE(label->text(), QString("ID_CANNOT_DELETE"));
    QVERIFY(label->width() >= 280);
    QVERIFY(label->height() >= 52);
    QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->width());
    QCOMPARE(label->styleSheet(), QString("QLabel{ font-family:MicrosoftYaHei;font-size: 40px;color:#FEFEFE;}"));
    auto* button = dialog->findChild<QPushButton*>();
    QCOMPARE(button->size(), QSize(296, 80));
    QCOMPARE(button->text(), QString("ID_OK 3S"));
    QVERIFY(button->styleSheet().contains("rgba(73,83,219,1)"));
    QVERIFY(button->styleSheet().contains("border-radius:40px;font-size:40px;"));

    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QCOMPARE(background->size(), dialog->size());
    QCOMPARE(label->y(), 182);
    QCOMPARE(button->y(), 182 + label->height() + 90);
    QVERIFY(label->geometry().right() < dialog->width());
    QCOMPARE(label->geometry().center().x(), background->rect().center().x());
    QCOMPARE(button->geometry().center().x(), background->rect().center().x());
    dialog->close();
    QTRY_VERIFY(dialog.isNull());
}

void tst_NxMessagePromptDialog::longTextWrapsInsideThePanel()
{
    LongTranslator translator;
    QCoreApplication::installTranslator(&translator);
    QPointer<NxMessagePromptDialog> dialog = new NxMessagePromptDialog(nullptr);
    QCoreApplication::removeTranslator(&translator);
    auto* label = dialog->findChild<QLabel*>();
    QVERIFY(label->wordWrap());
    QCOMPARE(label->width(), 800);
    QVERIFY(label->height() > 52);
    QVERIFY(label->heightForWidth(label->width()) <= label->height());
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QVERIFY(label->geometry().right() < dialog->width());
    QVERIFY(dialog->findChild<QPushButton*>()->y() > label->geometry().bottom());
    dialog->close();
}

void tst_NxMessagePromptDialog::escapeLeavesItOpen()
{
    QPointer<NxMessagePromptDialog> dialog = new NxMessagePromptDialog(nullptr);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QTest::keyClick(dialog, Qt::Key_Escape);
    QVERIFY(dialog->isVisible());
    dialog->close();
}

void tst_NxMessagePromptDialog::buttonClosesAtOnce()
{
    QPointer<NxMessagePromptDialog> dialog = new NxMessagePromptDialog(nullptr);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
    QVERIFY(!dialog || !dialog->isVisible());
    QTRY_VERIFY(dialog.isNull());
}

void tst_NxMessagePromptDialog::countdownCloses()
{
    QElapsedTimer clock;
    clock.start();
    QPointer<NxMessagePromptDialog> dialog = new NxMessagePromptDialog(nullptr);
    QPushButton* button = dialog->findChild<QPushButton*>();
    QStringList seen { button->text() };
    dialog->show();
    while (dialog && clock.elapsed() < 6000) {
        if (seen.last() != button->text())
            seen.append(button->text());
        QTest::qWait(20);
    }
    QVERIFY(dialog.isNull());
    QVERIFY2(clock.elapsed() >= 2800, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(seen.mid(0, 3), QStringList({ "ID_OK 3S", "ID_OK 2S", "ID_OK 1S" }));
}

QTEST_MAIN(tst_NxMessagePromptDialog)
#include "tst_NxMessagePromptDialog.moc"

#include "NxSecWindow.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTranslator>
#include <QtTest>

namespace {

// Gives the notice's text.
class TextTranslator : public QTranslator
{
public:
    explicit TextTranslator(const QString& text) : m_text(text) {}
    QString translate(const char*, const char* sourceText, const char*, int) const override
    {
        return QByteArray(sourceText) == "ID_NOLIVE" ? m_text : QString();
    }
    bool isEmpty() const override { return false; }

private:
    QString m_text;
};

} // namespace

// The no-live-stream notice: layout at a small scale, the countdown on its
// button and exactly one close signal however it closes.
class tst_NxSecWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void layoutAtSmallScale();
    void textsStayReadable();
    void shortOverflowStaysOnOneLine();
    void longTextWraps();
    void escapeLeavesItOpen();
    void buttonClosesOnce();
    void countdownClosesOnce();

private:
    static QPushButton* button(NxSecWindow* window) { return window->findChild<QPushButton*>(); }
};

void tst_NxSecWindow::initTestCase()
{
    qApp->setProperty("scalefactor", 0.71);
}

void tst_NxSecWindow::layoutAtSmallScale()
{
    QPointer<NxSecWindow> window = new NxSecWindow(nullptr);
    QCOMPARE(window->size(), QSize(355, 213));
    QVERIFY(window->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(window->testAttribute(Qt::WA_TranslucentBackground));
    QVERIFY(window->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(window->windowModality(), Qt::ApplicationModal);

    auto* background = window->findChild<QWidget*>("sec");
    QVERIFY(background);
    QVERIFY(background->styleSheet().startsWith("QWidget#sec{border:transparent; "));

    auto* label = window->findChild<QLabel*>();
    QCOMPARE(label->text(), QString("ID_NOLIVE"));
    QVERIFY(label->wordWrap());
    QVERIFY(label->width() >= 170);
    QCOMPARE(label->height(), 56);
    QVERIFY(label->heightForWidth(label->width()) <= label->height());
    QCOMPARE(label->styleSheet(), QString("font-family:Microsoft YaHei;font-size:14.2px;color:white"));

    QPushButton* know = button(window);
    QCOMPARE(know->size(), QSize(106, 28));
    QCOMPARE(know->styleSheet(), QString("font-family:Microsoft YaHei;font-size:14.2px;background-color:#00BFFF;"
                                         "border-radius:14.2px;color:white"));
    QCOMPARE(know->text(), QString("ID_KNOW 5S"));

    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(background->size(), window->size());
    QVERIFY(label->y() < know->y());
    QCOMPARE(label->geometry().center().x(), background->rect().center().x());
    QCOMPARE(know->geometry().center().x(), background->rect().center().x());
    window->close();
    QTRY_VERIFY(window.isNull());
}

void tst_NxSecWindow::textsStayReadable()
{
    QPointer<NxSecWindow> window = new NxSecWindow(nullptr);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QImage shot = window->grab().toImage();
    const QColor behindText = shot.pixelColor(window->width() / 2, window->height() / 8);
    QVERIFY2(qGray(behindText.rgb()) < 160 && behindText.alpha() > 200,
             qPrintable(behindText.name(QColor::HexArgb)));
    window->close();
}

void tst_NxSecWindow::shortOverflowStaysOnOneLine()
{
    // Just wider than the label at this scale: wrapped, one character
    // would stand alone on the second line.
    const QString text = QString::fromUtf8("当前没有正在进行的直播");
    TextTranslator translator(text);
    QCoreApplication::installTranslator(&translator);
    QPointer<NxSecWindow> window = new NxSecWindow(nullptr);
    QCoreApplication::removeTranslator(&translator);
    auto* label = window->findChild<QLabel*>();
    QCOMPARE(label->text(), text);
    QVERIFY(label->fontMetrics().horizontalAdvance(text) > 170);
    QVERIFY(label->fontMetrics().horizontalAdvance(text) <= label->width());
    QVERIFY(label->width() < window->width());
    window->closeWin();
}

void tst_NxSecWindow::longTextWraps()
{
    TextTranslator translator("No live lesson is on air right now.");
    QCoreApplication::installTranslator(&translator);
    QPointer<NxSecWindow> window = new NxSecWindow(nullptr);
    QCoreApplication::removeTranslator(&translator);
    auto* label = window->findChild<QLabel*>();
    QCOMPARE(label->width(), 170);
    QVERIFY(label->heightForWidth(170) > label->fontMetrics().height());
    QVERIFY(label->heightForWidth(170) <= label->height());
    window->closeWin();
}

void tst_NxSecWindow::escapeLeavesItOpen()
{
    QPointer<NxSecWindow> window = new NxSecWindow(nullptr);
    QSignalSpy closed(window.data(), &NxSecWindow::signCloseSec);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTest::keyClick(window, Qt::Key_Escape);
    QVERIFY(window->isVisible());
    QCOMPARE(closed.count(), 0);
    window->closeWin();
    QCOMPARE(closed.count(), 1);
}

void tst_NxSecWindow::buttonClosesOnce()
{
    QPointer<NxSecWindow> window = new NxSecWindow(nullptr);
    QSignalSpy closed(window.data(), &NxSecWindow::signCloseSec);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTest::mouseClick(button(window), Qt::LeftButton);
    QCOMPARE(closed.count(), 1);
    QVERIFY(!window || !window->isVisible());
    window->closeWin();
    QTRY_VERIFY(window.isNull());
    QTest::qWait(1200);
    QCOMPARE(closed.count(), 1);
}

void tst_NxSecWindow::countdownClosesOnce()
{
    QElapsedTimer clock;
    clock.start();
    QPointer<NxSecWindow> window = new NxSecWindow(nullptr);
    QSignalSpy closed(window.data(), &NxSecWindow::signCloseSec);
    QStringList seen { button(window)->text() };
    window->show();
    while (window && clock.elapsed() < 8000) {
        if (window && seen.last() != button(window)->text())
            seen.append(button(window)->text());
        QTest::qWait(20);
    }
    QCOMPARE(seen, QStringList({ "ID_KNOW 5S", "ID_KNOW 4S", "ID_KNOW 3S", "ID_KNOW 2S", "ID_KNOW 1S" }));
    QVERIFY(window.isNull());
    QCOMPARE(closed.count(), 1);
    // Coarse timers may fire up to 5 % early.
    QVERIFY2(clock.elapsed() >= 4700, qPrintable(QString::number(clock.elapsed())));
}

QTEST_MAIN(tst_NxSecWindow)
#include "tst_NxSecWindow.moc"

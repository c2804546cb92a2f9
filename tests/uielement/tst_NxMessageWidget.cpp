#include "NxMessageWidget.h"
#include "NxPixmapLabel.h"
#include "NxPushButton.h"

#include <QLabel>
#include <QLayout>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextEdit>
#include <QtTest>

// The general message dialog: arrangement per message flag, button bar,
// keys, dragging, the drawn shadow and the content builders.
class tst_NxMessageWidget : public QObject
{
    Q_OBJECT

private slots:
    void construction();
    void titleBar();
    void buttonsArePassive();
    void okAndCancel();
    void buttonBarHiddenWhenBothButtonsHidden();
    void returnWithVisibleOk();
    void returnWithHiddenOk();
    void returnWithDisabledOk();
    void otherKeysDoNothing();
    void flagArrangements();
    void bottomSpaceCreatedOnce();
    void shadowAlphasAtWidthTwo();
    void squareBorder();
    void dragging();
    void centredWithoutParent();
    void infoContent();
    void titledInfoContent();
    void errorDetailsSkipEmptyLines();
    void errorDetailsCappedWithoutScrollBar();
    void contentWidgetReplaced();
    void growingArrangementFollowsContent();

private:
    static QList<QWidget*> arrangement(NxMessageWidget& dialog);
    static QWidget* titleBarOf(NxMessageWidget& dialog);
    static QWidget* bar(NxMessageWidget& dialog) { return dialog.findChild<QWidget*>("messageboxBottom"); }
    static QStringList lines(int count, const QString& prefix);
    static void moveWithButtons(QWidget* w, const QPoint& to, Qt::MouseButtons buttons);
};

void tst_NxMessageWidget::moveWithButtons(QWidget* w, const QPoint& to, Qt::MouseButtons buttons)
{
    QMouseEvent move(QEvent::MouseMove, to, w->mapToGlobal(to), Qt::NoButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

QList<QWidget*> tst_NxMessageWidget::arrangement(NxMessageWidget& dialog)
{
    QList<QWidget*> widgets;
    for (int i = 0; i < dialog.layout()->count(); ++i)
        widgets.append(dialog.layout()->itemAt(i)->widget());
    return widgets;
}

QWidget* tst_NxMessageWidget::titleBarOf(NxMessageWidget& dialog)
{
    return dialog.findChild<QLabel*>("cmessagewidgetTitle")->parentWidget();
}

QStringList tst_NxMessageWidget::lines(int count, const QString& prefix)
{
    QStringList result;
    for (int i = 0; i < count; ++i)
        result.append(prefix + QString::number(i));
    return result;
}

void tst_NxMessageWidget::construction()
{
    NxMessageWidget dialog(nullptr, 0.71, 2, true);
    QCOMPARE(dialog.size(), QSize(261, 184));
    QCOMPARE(dialog.shadowWidth(), 2);
    QCOMPARE(dialog.contentsMargins(), QMargins(1, 1, 1, 1));
    QCOMPARE(dialog.windowType(), Qt::Dialog);
    QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(dialog.testAttribute(Qt::WA_TranslucentBackground));
    QCOMPARE(dialog.layout()->contentsMargins(), QMargins(2, 2, 2, 2));
    QCOMPARE(dialog.layout()->spacing(), 0);
    QCOMPARE(dialog.getActionButtons(), QList<QPushButton*>({ dialog.getOKBtn(), dialog.getCancelBtn() }));
    QCOMPARE(dialog.getOKBtn()->objectName(), QString("okbtn"));
    QCOMPARE(dialog.getOKBtn()->text(), QString("ID_SETTING_OKBUTTOM"));
    QCOMPARE(dialog.getOKBtn()->size(), QSize(76, 22));
    QCOMPARE(dialog.getCancelBtn()->objectName(), QString("messageboxCancel"));
    QCOMPARE(dialog.getCancelBtn()->text(), QString("ID_SETTING_CANCELBUTTON"));
    QCOMPARE(bar(dialog)->height(), 39);
    QVERIFY(dialog.getOKBtn()->styleSheet().contains("#666EDC"));
    QVERIFY(dialog.getCancelBtn()->styleSheet().contains("#ededed"));
}

void tst_NxMessageWidget::titleBar()
{
    NxMessageWidget dialog(nullptr, 1.0, 2, false);
    QWidget* title = titleBarOf(dialog);
    QCOMPARE(title->height(), 39);
    QVERIFY(title->styleSheet().contains("border-top-left-radius: 5px"));
    dialog.setTitleText("Export failed");
    QCOMPARE(dialog.getTitleText(), QString("Export failed"));
    QPixmap logo(10, 10);
    logo.fill(Qt::blue);
    dialog.setTitleLogo(logo);
    QCOMPARE(dialog.getTitleLogo().toImage(), logo.toImage());
    QCOMPARE(dialog.findChild<QLabel*>("cmessageboxlogo")->size(), QSize(10, 10));

    auto* close = dialog.findChild<NxPushButton*>("cmessageboxclose");
    QVERIFY(close);
    QCOMPARE(close->size(), QSize(38, 38));
    QCOMPARE(close->shortcut(), QKeySequence("Ctrl+W"));
    QCOMPARE(close->styleSheet(), QString("NxPushButton{border-top-right-radius: 0px;}"));

    const QList<NxPushButton*> buttons = title->findChildren<NxPushButton*>();
    QCOMPARE(buttons.size(), 2);
    NxPushButton* minimise = buttons.first() == close ? buttons.last() : buttons.first();
    QVERIFY(minimise->isHidden());
    dialog.setMinBtnPixName(":/rc/icon/pop_top_min");
    QVERIFY(!minimise->isHidden());

    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(close->mapTo(&dialog, QPoint(close->width(), 0)).x(), dialog.width() - 1 - dialog.shadowWidth());
    QTest::mouseClick(close, Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
}

void tst_NxMessageWidget::buttonsArePassive()
{
    NxMessageWidget dialog(nullptr, 1.0, 2, false);
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        QVERIFY2(!button->isDefault() && !button->autoDefault(), qPrintable(button->objectName()));
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    }
}

void tst_NxMessageWidget::okAndCancel()
{
    NxMessageWidget dialog(nullptr, 1.0, 2, false);
    QSignalSpy ok(&dialog, &NxMessageWidget::sigOK);
    QSignalSpy cancel(&dialog, &NxMessageWidget::sigCancle);
    dialog.show();
    QTest::mouseClick(dialog.getOKBtn(), Qt::LeftButton);
    QCOMPARE(ok.count(), 1);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());

    dialog.show();
    QTest::mouseClick(dialog.getCancelBtn(), Qt::LeftButton);
    QCOMPARE(cancel.count(), 1);
    QCOMPARE(ok.count(), 1);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));

    dialog.setOkBtnText("Save");
    dialog.setCancelText("Keep");
    QCOMPARE(dialog.getOKBtn()->text(), QString("Save"));
    QCOMPARE(dialog.getCancelBtn()->text(), QString("Keep"));
}

void tst_NxMessageWidget::buttonBarHiddenWhenBothButtonsHidden()
{
    NxMessageWidget dialog(nullptr, 1.0, 2, false);
    dialog.show();
    QVERIFY(bar(dialog)->isVisible());
    dialog.setOKBtnVisible(false);
    QVERIFY(bar(dialog)->isVisible());
    dialog.setCancelBtnVisible(false);
    QVERIFY(!bar(dialog)->isVisible());
    dialog.setCancelBtnVisible(true);
    QVERIFY(bar(dialog)->isVisible());
    QVERIFY(dialog.getCancelBtn()->isVisible());
    QVERIFY(!dialog.getOKBtn()->isVisible());
}

void tst_NxMessageWidget::returnWithVisibleOk()
{
    NxMessageWidget dialog(nullptr, 1.0, 2, false);
    QSignalSpy ok(&dialog, &NxMessageWidget::sigOK);
    QSignalSpy returned(&dialog, &NxMessageWidget::sigReturnKeyPressed);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Return);
    QCOMPARE(ok.count(), 1);
    QCOMPARE(returned.count(), 1);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(ok.count(), 2);
    QCOMPARE(returned.count(), 2);
}

void tst_NxMessageWidget::returnWithHiddenOk()
{
    NxMessageWidget dialog(nullptr, 1.0, 2, false);
    dialog.setOKBtnVisible(false);
    QSignalSpy ok(&dialog, &NxMessageWidget::sigOK);
    QSignalSpy cancel(&dialog, &NxMessageWidget::sigCancle);
    QSignalSpy returned(&dialog, &NxMessageWidget::sigReturnKeyPressed);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Return);
    QCOMPARE(returned.count(), 1);
    QCOMPARE(ok.count(), 0);
    QCOMPARE(cancel.count(), 0);
    QVERIFY(dialog.isVisible());

    // Hidden with the whole bar (flag 3) counts as hidden as well.
    NxMessageWidget bare(nullptr, 1.0, 3, false);
    QSignalSpy bareOk(&bare, &NxMessageWidget::sigOK);
    bare.show();
    QTest::keyClick(&bare, Qt::Key_Return);
    QCOMPARE(bareOk.count(), 0);
}

void tst_NxMessageWidget::returnWithDisabledOk()
{
    NxMessageWidget dialog(nullptr, 1.0, 2, false);
    dialog.getOKBtn()->setEnabled(false);
    QSignalSpy ok(&dialog, &NxMessageWidget::sigOK);
    QSignalSpy returned(&dialog, &NxMessageWidget::sigReturnKeyPressed);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Return);
    QCOMPARE(ok.count(), 0);
    QCOMPARE(returned.count(), 1);
    QVERIFY(dialog.isVisible());
}

void tst_NxMessageWidget::otherKeysDoNothing()
{
    NxMessageWidget dialog(nullptr, 1.0, 2, false);
    QSignalSpy cancel(&dialog, &NxMessageWidget::sigCancle);
    QSignalSpy returned(&dialog, &NxMessageWidget::sigReturnKeyPressed);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QTest::keyClick(&dialog, Qt::Key_Space);
    QVERIFY(dialog.isVisible());
    QCOMPARE(cancel.count(), 0);
    QCOMPARE(returned.count(), 0);
}

void tst_NxMessageWidget::flagArrangements()
{
    NxMessageWidget two(nullptr, 1.0, 2, false);
    QWidget* title = titleBarOf(two);
    QWidget* area = arrangement(two).at(1);
    QVERIFY(area && area != title && area != bar(two));
    QCOMPARE(arrangement(two), QList<QWidget*>({ title, area, nullptr, bar(two) }));
    QVERIFY(two.layout()->itemAt(2)->spacerItem());
    QVERIFY(!two.findChild<QLabel*>("label"));

    two.setMessageFlag(3);
    QCOMPARE(arrangement(two), QList<QWidget*>({ title, area }));
    QVERIFY(bar(two)->isHidden());
    two.setOKBtnVisible(true);
    QVERIFY2(bar(two)->isHidden(), "a bar outside the arrangement stays hidden");

    two.setMessageFlag(7);
    QCOMPARE(arrangement(two), QList<QWidget*>({ title, area, nullptr, bar(two) }));
    QVERIFY(!bar(two)->isHidden());

    two.setMessageFlag(1);
    QCOMPARE(arrangement(two), QList<QWidget*>({ title, area, nullptr, bar(two) }));
    QCOMPARE(two.layout()->itemAt(2)->spacerItem()->sizeHint().height(), 20);
    QCOMPARE(two.maximumHeight(), 400);

    two.setMessageFlag(0);
    QCOMPARE(two.layout()->count(), 0);
    QVERIFY(title->isHidden() && area->isHidden() && bar(two)->isHidden());
    QCOMPARE(two.height(), 260);
}

void tst_NxMessageWidget::bottomSpaceCreatedOnce()
{
    NxMessageWidget dialog(nullptr, 2.0, 2, true);
    auto* space = dialog.findChild<QLabel*>("label");
    QVERIFY(space);
    QCOMPARE(space->height(), 80);
    QCOMPARE(arrangement(dialog).at(2), space);
    dialog.setMessageFlag(2);
    dialog.setMessageFlag(3);
    QVERIFY(space->isHidden());
    dialog.setMessageFlag(2);
    QCOMPARE(dialog.findChildren<QLabel*>("label").size(), 1);
    QVERIFY(!space->isHidden());

    dialog.setBottomSpaceVisible(false);
    QVERIFY(space->isHidden());
    QVERIFY(dialog.layout()->itemAt(2)->spacerItem());
    dialog.setBottomSpaceVisible(true);
    QCOMPARE(arrangement(dialog).at(2), space);
}

void tst_NxMessageWidget::shadowAlphasAtWidthTwo()
{
    NxMessageWidget dialog(nullptr, 0.71, 3, false);
    QCOMPARE(dialog.shadowWidth(), 2);
    const QImage shot = dialog.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const int midY = shot.height() / 2;
    const int midX = shot.width() / 2;
    const struct {
        QPoint at;
        QRgb colour;
    } expected[] = {
        { QPoint(0, midY), qRgba(0, 0, 0, 0) },
        { QPoint(1, midY), qRgba(0, 0, 0, 30) },
        { QPoint(2, midY), qRgba(195, 195, 195, 255) },
        { QPoint(3, midY), qRgba(255, 255, 255, 255) },
        { QPoint(shot.width() - 2, midY), qRgba(0, 0, 0, 30) },
        { QPoint(shot.width() - 3, midY), qRgba(195, 195, 195, 255) },
        { QPoint(midX, shot.height() - 2), qRgba(0, 0, 0, 30) },
        { QPoint(midX, shot.height() - 1), qRgba(0, 0, 0, 0) },
    };
    for (const auto& point : expected) {
        const QRgb seen = shot.pixel(point.at);
        const QString why = QString("at %1,%2: %3").arg(point.at.x()).arg(point.at.y()).arg(seen, 8, 16);
        QVERIFY2(qAbs(qAlpha(seen) - qAlpha(point.colour)) <= 1, qPrintable(why));
        if (qAlpha(point.colour) > 0)
            QVERIFY2(qAbs(qGray(seen) - qGray(point.colour)) <= 2, qPrintable(why));
    }
}

void tst_NxMessageWidget::squareBorder()
{
    NxMessageWidget dialog(nullptr, 2.0, 3, false);
    QCOMPARE(dialog.shadowWidth(), 6);
    QImage shot = dialog.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    QVERIFY(qAlpha(shot.pixel(6, 6)) < 255);
    QCOMPARE(qAlpha(shot.pixel(1, shot.height() / 2)), 10);
    QCOMPARE(qAlpha(shot.pixel(5, shot.height() / 2)), 50);
    QCOMPARE(qAlpha(shot.pixel(6, shot.height() / 2)), 255);

    dialog.setBorderIsRounded(false);
    QVERIFY(titleBarOf(dialog)->styleSheet().contains("border-top-left-radius: 0px"));
    shot = dialog.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(qAlpha(shot.pixel(6, 6)), 255);
    QCOMPARE(qAlpha(shot.pixel(1, 1)), 10);
}

void tst_NxMessageWidget::dragging()
{
    NxMessageWidget dialog(nullptr, 1.0, 2, false);
    dialog.move(100, 100);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QPoint start = dialog.pos();
    QTest::mousePress(&dialog, Qt::LeftButton, {}, QPoint(50, 100));
    moveWithButtons(&dialog, QPoint(80, 140), Qt::LeftButton);
    QCOMPARE(dialog.pos(), start + QPoint(30, 40));
    // Positions are relative to the moved window now.
    moveWithButtons(&dialog, QPoint(40, 110), Qt::LeftButton);
    QCOMPARE(dialog.pos(), start + QPoint(20, 50));
    QTest::mouseRelease(&dialog, Qt::LeftButton, {}, QPoint(40, 110));
    const QPoint dropped = dialog.pos();
    moveWithButtons(&dialog, QPoint(10, 10), Qt::LeftButton);
    QCOMPARE(dialog.pos(), dropped);
    QTest::mousePress(&dialog, Qt::RightButton, {}, QPoint(50, 100));
    moveWithButtons(&dialog, QPoint(90, 90), Qt::RightButton);
    QCOMPARE(dialog.pos(), dropped);
}

void tst_NxMessageWidget::centredWithoutParent()
{
    NxMessageWidget dialog(nullptr, 1.0, 2, false);
    dialog.move(0, 0);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
    QVERIFY((dialog.frameGeometry().center() - centre).manhattanLength() <= 1);
}

void tst_NxMessageWidget::infoContent()
{
    NxMessageWidget dialog(nullptr, 1.0, 2, true);
    dialog.setMessageInfo(QString(), "The disk is full.");
    QWidget* content = dialog.getContentWidget();
    QVERIFY(content);
    QCOMPARE(content->width(), 368 - 2 - 6);
    QCOMPARE(content->layout()->contentsMargins().left(), 20);
    auto* label = content->findChild<NxPixmapLabel*>();
    QCOMPARE(label->text(), QString("The disk is full."));
    QCOMPARE(label->layout()->spacing(), 10);
    QCOMPARE(label->styleSheet(), QString("QLabel{color:#666666;font-size:14px;}"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    // A single line sits in the middle of the space between the bars.
    const QPoint centre = label->mapTo(content, label->rect().center());
    QVERIFY(qAbs(centre.x() - content->width() / 2) <= 1);
    const QWidget* title = titleBarOf(dialog);
    const int top = title->geometry().bottom() + 1;
    const int bottom = dialog.findChild<QLabel*>("label")->geometry().top();
    const int middle = label->mapTo(&dialog, label->rect().center()).y();
    QVERIFY2(qAbs(middle - (top + bottom) / 2) <= 2, qPrintable(QString("%1 in %2..%3").arg(middle).arg(top).arg(bottom)));
}

void tst_NxMessageWidget::titledInfoContent()
{
    NxMessageWidget dialog(nullptr, 1.0, 2, true);
    dialog.setMessageInfo(QString(), QString(), "The file could not be written to the chosen folder.");
    auto* words = dialog.getContentWidget()->findChild<QLabel*>("declbl");
    QVERIFY(words);
    QVERIFY(words->wordWrap());
    QCOMPARE(words->alignment(), Qt::AlignCenter);
    QCOMPARE(words->styleSheet(), QString("QLabel#declbl{color:#666666;font:14px;}"));
    auto* column = qobject_cast<QVBoxLayout*>(dialog.getContentWidget()->layout());
    QCOMPARE(column->stretch(0), 1);
    QCOMPARE(column->spacing(), 10);
    QCOMPARE(column->contentsMargins(), QMargins(20, 0, 20, 20));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(words->isVisible());
    QVERIFY(words->geometry().bottom() < dialog.getContentWidget()->height());
}

void tst_NxMessageWidget::errorDetailsSkipEmptyLines()
{
    NxMessageWidget dialog(nullptr, 1.0, 1, false);
    dialog.setMessageError(QString(), "Copy failed", { "first", "", "second", "   ", "" });
    auto* info = dialog.findChild<QTextEdit*>("errorinfo");
    QVERIFY(info);
    QCOMPARE(info->toPlainText(), QString("first\nsecond"));
    QVERIFY(info->isReadOnly());
    QCOMPARE(info->frameShape(), QFrame::NoFrame);
    QCOMPARE(info->contextMenuPolicy(), Qt::NoContextMenu);
    QCOMPARE(info->textInteractionFlags(), Qt::NoTextInteraction);
    QCOMPARE(info->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    QCOMPARE(info->document()->defaultTextOption().alignment(), Qt::AlignHCenter);
    QCOMPARE(info->styleSheet(), QString("QTextEdit#errorinfo{color:#666666;font:16px;}"));

    const int twoLines = info->height();
    QVERIFY2(twoLines > 2 * 16 && twoLines < 204, qPrintable(QString::number(twoLines)));
    dialog.setMessageError(QString(), "Copy failed", { "first", "second", "third" });
    const int threeLines = dialog.findChild<QTextEdit*>("errorinfo")->height();
    QVERIFY2(threeLines > twoLines + 10, qPrintable(QString("%1 vs %2").arg(threeLines).arg(twoLines)));
}

void tst_NxMessageWidget::errorDetailsCappedWithoutScrollBar()
{
    NxMessageWidget dialog(nullptr, 1.0, 1, false);
    dialog.setMessageError(QString(), "Copy failed", lines(40, "D:/courseware/lesson "));
    auto* info = dialog.findChild<QTextEdit*>("errorinfo");
    QCOMPARE(info->height(), 204);
    // Whole lines from the start, then an ellipsis for the rest.
    const QStringList shown = info->toPlainText().split('\n');
    QVERIFY2(shown.size() > 3 && shown.size() < 40, qPrintable(info->toPlainText()));
    QCOMPARE(shown.last(), QString(QChar(0x2026)));
    QCOMPARE(shown.mid(0, shown.size() - 1), lines(shown.size() - 1, "D:/courseware/lesson "));
    QCOMPARE(info->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(info->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    // Laid out at its real width the text fills the box but for less than
    // two lines, and nothing is cut.
    const int used = int(info->document()->size().height()) + 2 * info->frameWidth() + 4;
    QVERIFY2(used <= 204 && used > 204 - 2 * info->fontMetrics().lineSpacing(), qPrintable(QString::number(used)));
    QVERIFY(!info->verticalScrollBar()->isVisible());
    QCOMPARE(info->height(), 204);
    QVERIFY(info->geometry().bottom() < dialog.getContentWidget()->height());

    NxMessageWidget small(nullptr, 0.71, 1, false);
    small.setMessageError(QString(), "Copy failed", lines(40, "line "));
    QCOMPARE(small.findChild<QTextEdit*>("errorinfo")->height(), 144);
}

void tst_NxMessageWidget::contentWidgetReplaced()
{
    NxMessageWidget dialog(nullptr, 1.0, 2, false);
    QPointer<QWidget> first = new QLabel("first");
    dialog.setContentWidget(first);
    QCOMPARE(dialog.getContentWidget(), first.data());
    QWidget* area = first->parentWidget();
    QCOMPARE(area->layout()->count(), 1);
    QCOMPARE(area->layout()->contentsMargins(), QMargins());

    auto* second = new QLabel("second");
    dialog.setContentWidget(second);
    QVERIFY(first.isNull());
    QCOMPARE(second->parentWidget(), area);
    QCOMPARE(area->layout()->count(), 1);
    QCOMPARE(dialog.getContentWidget(), second);
}

void tst_NxMessageWidget::growingArrangementFollowsContent()
{
    NxMessageWidget dialog(nullptr, 1.0, 1, false);
    QCOMPARE(dialog.height(), 260);
    dialog.setMessageError(QString(), "Copy failed", lines(40, "line "));
    QVERIFY2(dialog.height() > 260 && dialog.height() <= 400, qPrintable(QString::number(dialog.height())));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QRect barArea = bar(dialog)->geometry();
    QVERIFY(barArea.bottom() <= dialog.height() - 1 - dialog.shadowWidth());
    QVERIFY(dialog.findChild<QTextEdit*>("errorinfo")->isVisible());
}

QTEST_MAIN(tst_NxMessageWidget)
#include "tst_NxMessageWidget.moc"

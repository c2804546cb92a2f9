#include "NxPushButton.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

namespace {

const QColor kNormal(200, 30, 30);
const QColor kHover(30, 200, 30);
const QColor kPressed(30, 30, 200);
const QColor kDisabled(120, 120, 120);

// Answers every key of the button's context with a long sentence.
class LongTranslator : public QTranslator
{
public:
    QString translate(const char* context, const char* sourceText, const char*, int) const override
    {
        if (QByteArray(context) == "NxPushButton")
            return QStringLiteral("Translated text of %1 that is far too long").arg(QString::fromUtf8(sourceText));
        return QString();
    }
    bool isEmpty() const override { return false; }
};

} // namespace

// Pictures per state with their fall-backs, the mouse state machine and the
// retranslation of child buttons.
class tst_NxPushButton : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void normalAndHoverPictures();
    void pressedFallsBackToHover();
    void pressedPictureWhenPresent();
    void disabledFallsBackToNormal();
    void disabledPictureWhenPresent();
    void missingPicturesPaintNothingQuietly();
    void releaseOutsideStillClicks();
    void releaseWithoutPressDoesNotClick();
    void rightButtonDoesNotPress();
    void pressStatusSurvivesHoverAndLeave();
    void disablingCancelsAPress();
    void languageChangeRetranslatesChildren();

private:
    void writePicture(const QString& name, const QColor& colour);
    QString base(const QString& name) const { return m_dir.filePath(name); }
    static QColor centreColour(NxPushButton& button);
    static void enter(QWidget* w);
    static void leave(QWidget* w);

    QTemporaryDir m_dir;
};

void tst_NxPushButton::initTestCase()
{
    QVERIFY(m_dir.isValid());
    writePicture("full", kNormal);
    writePicture("full_hover", kHover);
    writePicture("full_pressed", kPressed);
    writePicture("full_disabled", kDisabled);
    writePicture("half", kNormal);
    writePicture("half_hover", kHover);
}

void tst_NxPushButton::writePicture(const QString& name, const QColor& colour)
{
    QImage image(20, 20, QImage::Format_ARGB32);
    image.fill(colour);
    QVERIFY(image.save(m_dir.filePath(name + ".png")));
}

QColor tst_NxPushButton::centreColour(NxPushButton& button)
{
    const QImage shot = button.grab().toImage();
    return shot.pixelColor(shot.width() / 2, shot.height() / 2);
}

void tst_NxPushButton::enter(QWidget* w)
{
    QEnterEvent event(QPointF(2, 2), QPointF(2, 2), QPointF(w->mapToGlobal(QPoint(2, 2))));
    QApplication::sendEvent(w, &event);
}

void tst_NxPushButton::leave(QWidget* w)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(w, &event);
}

void tst_NxPushButton::normalAndHoverPictures()
{
    NxPushButton button(nullptr, 1.0);
    button.setFixedSize(40, 40);
    button.setPixName(base("full"));
    QCOMPARE(centreColour(button), kNormal);
    enter(&button);
    QCOMPARE(centreColour(button), kHover);
    leave(&button);
    QCOMPARE(centreColour(button), kNormal);
}

void tst_NxPushButton::pressedFallsBackToHover()
{
    NxPushButton button(nullptr, 1.0);
    button.setFixedSize(40, 40);
    button.setPixName(base("half"));
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(centreColour(button), kHover);
}

void tst_NxPushButton::pressedPictureWhenPresent()
{
    NxPushButton button(nullptr, 1.0);
    button.setFixedSize(40, 40);
    button.setPixName(base("full"));
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(centreColour(button), kPressed);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(centreColour(button), kHover);
}

void tst_NxPushButton::disabledFallsBackToNormal()
{
    NxPushButton button(nullptr, 1.0);
    button.setFixedSize(40, 40);
    button.setPixName(base("half"));
    enter(&button);
    button.setEnabled(false);
    QCOMPARE(centreColour(button), kNormal);
}

void tst_NxPushButton::disabledPictureWhenPresent()
{
    NxPushButton button(nullptr, 1.0);
    button.setFixedSize(40, 40);
    button.setPixName(base("full"));
    button.setIsPressStatus(true);
    button.setEnabled(false);
    QCOMPARE(centreColour(button), kDisabled);
}

void tst_NxPushButton::missingPicturesPaintNothingQuietly()
{
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtDebugMsg)
            warnings.append(text);
    });
    NxPushButton button(nullptr, 1.0);
    button.setFixedSize(40, 40);
    button.setPixName(base("absent"));
    const QImage plain = button.grab().toImage();
    enter(&button);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
    const QImage pressed = button.grab().toImage();
    button.setEnabled(false);
    const QImage disabled = button.grab().toImage();
    qInstallMessageHandler(previous);
    QCOMPARE(warnings, QStringList());
    QCOMPARE(pressed, plain);
    QCOMPARE(disabled, plain);
}

void tst_NxPushButton::releaseOutsideStillClicks()
{
    NxPushButton button(nullptr, 1.0);
    button.setFixedSize(40, 40);
    QSignalSpy clicked(&button, &QPushButton::clicked);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(&button, QPoint(300, 200));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(300, 200));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.first().first().toBool(), false);

    // A plain button ignores the same gesture: the test tells them apart.
    QPushButton plain;
    plain.setFixedSize(40, 40);
    QSignalSpy plainClicked(&plain, &QPushButton::clicked);
    QTest::mousePress(&plain, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(&plain, Qt::LeftButton, {}, QPoint(300, 200));
    QCOMPARE(plainClicked.count(), 0);
}

void tst_NxPushButton::releaseWithoutPressDoesNotClick()
{
    NxPushButton button(nullptr, 1.0);
    button.setFixedSize(40, 40);
    QSignalSpy clicked(&button, &QPushButton::clicked);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(clicked.count(), 0);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(clicked.count(), 1);
}

void tst_NxPushButton::rightButtonDoesNotPress()
{
    NxPushButton button(nullptr, 1.0);
    button.setFixedSize(40, 40);
    button.setPixName(base("full"));
    QSignalSpy clicked(&button, &QPushButton::clicked);
    QTest::mousePress(&button, Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(centreColour(button), kNormal);
    QTest::mouseRelease(&button, Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(clicked.count(), 0);
}

void tst_NxPushButton::pressStatusSurvivesHoverAndLeave()
{
    NxPushButton button(nullptr, 1.0);
    button.setFixedSize(40, 40);
    button.setPixName(base("full"));
    button.setIsPressStatus(true);
    QCOMPARE(centreColour(button), kPressed);
    enter(&button);
    QCOMPARE(centreColour(button), kPressed);
    leave(&button);
    QCOMPARE(centreColour(button), kPressed);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(centreColour(button), kPressed);
    button.setIsPressStatus(false);
    QCOMPARE(centreColour(button), kNormal);
    enter(&button);
    QCOMPARE(centreColour(button), kHover);
}

void tst_NxPushButton::disablingCancelsAPress()
{
    NxPushButton button(nullptr, 1.0);
    button.setFixedSize(40, 40);
    QSignalSpy clicked(&button, &QPushButton::clicked);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
    button.setEnabled(false);
    button.setEnabled(true);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(clicked.count(), 0);
}

void tst_NxPushButton::languageChangeRetranslatesChildren()
{
    NxPushButton button(nullptr, 1.0);
    auto* child = new QPushButton("old", &button);
    child->setFixedWidth(60);
    child->setProperty("ID", "ID_SOME_KEY");
    auto* grandChild = new QPushButton("deep", child);
    grandChild->setFixedWidth(300);
    grandChild->setProperty("ID", "ID_OTHER");
    auto* untagged = new QPushButton("keep", &button);

    LongTranslator translator;
    QCoreApplication::installTranslator(&translator);
    QEvent change(QEvent::LanguageChange);
    QApplication::sendEvent(&button, &change);
    QCoreApplication::removeTranslator(&translator);

    const QString full = "Translated text of ID_SOME_KEY that is far too long";
    QCOMPARE(child->text(), child->fontMetrics().elidedText(full, Qt::ElideRight, 58));
    QVERIFY(child->text() != full);
    QVERIFY(child->text().startsWith("Tr"));
    QCOMPARE(grandChild->text(), grandChild->fontMetrics().elidedText(
                                     "Translated text of ID_OTHER that is far too long", Qt::ElideRight, 298));
    QCOMPARE(untagged->text(), QString("keep"));
}

QTEST_MAIN(tst_NxPushButton)
#include "tst_NxPushButton.moc"

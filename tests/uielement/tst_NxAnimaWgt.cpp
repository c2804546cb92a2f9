#include "NxAnimaWgt.h"

#include <QLabel>
#include <QMovie>
#include <QPointer>
#include <QtTest>

// The loading animation: its scaled size and its own end on close.
class tst_NxAnimaWgt : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void sizeFollowsScale_data();
    void sizeFollowsScale();
    void movieRunsWhenPresent();
    void deletesItselfOnClose();
};

void tst_NxAnimaWgt::cleanup()
{
    qApp->setProperty("scalefactor", QVariant());
}

void tst_NxAnimaWgt::sizeFollowsScale_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<int>("side");
    QTest::newRow("0.71 truncates 56.8") << 0.71 << 56;
    QTest::newRow("1.0") << 1.0 << 80;
    QTest::newRow("2.0") << 2.0 << 160;
}

void tst_NxAnimaWgt::sizeFollowsScale()
{
    QFETCH(double, scale);
    QFETCH(int, side);
    qApp->setProperty("scalefactor", scale);
    QPointer<NxAnimaWgt> animation = new NxAnimaWgt(nullptr);
    auto* label = animation->findChild<QLabel*>();
    QCOMPARE(label->size(), QSize(side, side));
    QCOMPARE(label->minimumSize(), QSize(side, side));
    QCOMPARE(label->maximumSize(), QSize(side, side));
    QCOMPARE(animation->movie()->scaledSize(), QSize(side, side));
    QCOMPARE(label->movie(), animation->movie());
    QVERIFY(animation->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(animation->testAttribute(Qt::WA_TranslucentBackground));
    delete animation;
}

void tst_NxAnimaWgt::movieRunsWhenPresent()
{
    NxAnimaWgt* animation = new NxAnimaWgt(nullptr);
    QCOMPARE(animation->movie()->fileName(), QString(":/images/ID_LOADING.gif"));
    // Without the picture it stays still instead of failing repeatedly.
    const QMovie::MovieState expected = animation->movie()->isValid() ? QMovie::Running : QMovie::NotRunning;
    QCOMPARE(animation->movie()->state(), expected);
    delete animation;
}

void tst_NxAnimaWgt::deletesItselfOnClose()
{
    QPointer<NxAnimaWgt> animation = new NxAnimaWgt(nullptr);
    QVERIFY(animation->testAttribute(Qt::WA_DeleteOnClose));
    animation->show();
    QVERIFY(QTest::qWaitForWindowExposed(animation));
    animation->close();
    QTRY_VERIFY(animation.isNull());
}

QTEST_MAIN(tst_NxAnimaWgt)
#include "tst_NxAnimaWgt.moc"

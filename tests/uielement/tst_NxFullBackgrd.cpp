#include "NxFullBackgrd.h"

#include <QScreen>
#include <QtTest>

// The black backdrop covers the primary screen.
class tst_NxFullBackgrd : public QObject
{
    Q_OBJECT

private slots:
    void coversThePrimaryScreenInBlack();
};

void tst_NxFullBackgrd::coversThePrimaryScreenInBlack()
{
    NxFullBackgrd backdrop(nullptr, 0.71);
    QCOMPARE(backdrop.scaleFactor(), 0.71);
    QVERIFY(backdrop.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(backdrop.windowType(), Qt::Tool);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(backdrop.minimumSize(), screen.size());
    QCOMPARE(backdrop.maximumSize(), screen.size());

    backdrop.show();
    QVERIFY(QTest::qWaitForWindowExposed(&backdrop));
    QCOMPARE(backdrop.geometry(), screen);
    const QImage shot = backdrop.grab().toImage();
    QCOMPARE(shot.size(), screen.size());
    for (const QPoint& at : { QPoint(0, 0), QPoint(shot.width() / 2, shot.height() / 2),
                              QPoint(shot.width() - 1, shot.height() - 1) })
        QCOMPARE(shot.pixelColor(at), QColor(Qt::black));
}

QTEST_MAIN(tst_NxFullBackgrd)
#include "tst_NxFullBackgrd.moc"

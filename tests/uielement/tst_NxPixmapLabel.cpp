#include "NxPixmapLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QtTest>

// Icon at its own size, text beside it at its own size.
class tst_NxPixmapLabel : public QObject
{
    Q_OBJECT

private slots:
    void iconThenText();
    void withoutPictureTheTextStandsAlone();
};

void tst_NxPixmapLabel::iconThenText()
{
    QPixmap picture(24, 16);
    picture.fill(Qt::red);
    NxPixmapLabel label(nullptr, picture, "Hello there");
    label.setStyleSheet("QLabel{font-size:14px;}");
    label.show();
    QVERIFY(QTest::qWaitForWindowExposed(&label));

    auto* layout = qobject_cast<QHBoxLayout*>(label.layout());
    QVERIFY(layout);
    QCOMPARE(layout->spacing(), 5);
    QCOMPARE(layout->contentsMargins(), QMargins());
    QCOMPARE(label.contentsMargins(), QMargins());
    QCOMPARE(layout->count(), 2);

    auto* icon = qobject_cast<QLabel*>(layout->itemAt(0)->widget());
    auto* text = qobject_cast<QLabel*>(layout->itemAt(1)->widget());
    QVERIFY(icon && text);
    QCOMPARE(icon->size(), QSize(24, 16));
    QCOMPARE(icon->pixmap(Qt::ReturnByValue).size(), QSize(24, 16));
    QCOMPARE(text->text(), QString("Hello there"));
    QCOMPARE(text->contentsMargins(), QMargins());
    QVERIFY(text->x() >= icon->geometry().right() + 5);
    QCOMPARE(text->size(), text->sizeHint());
    QCOMPARE(label.text(), QString("Hello there"));
    QCOMPARE(label.pixmap().size(), QSize(24, 16));
}

void tst_NxPixmapLabel::withoutPictureTheTextStandsAlone()
{
    NxPixmapLabel label(nullptr, QPixmap(":/no/such/picture"), "Alone");
    label.show();
    QVERIFY(QTest::qWaitForWindowExposed(&label));
    auto* icon = qobject_cast<QLabel*>(label.layout()->itemAt(0)->widget());
    auto* text = qobject_cast<QLabel*>(label.layout()->itemAt(1)->widget());
    QVERIFY(!icon->isVisible());
    QCOMPARE(text->x(), 0);
    QCOMPARE(label.sizeHint().width(), text->sizeHint().width());
}

QTEST_MAIN(tst_NxPixmapLabel)
#include "tst_NxPixmapLabel.moc"

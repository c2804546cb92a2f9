#include "NxWidgetBase.h"

#include <QtTest>

// The file dialog's parameter map: values read from it, copies and moves.
class tst_NxWidgetBase : public QObject
{
    Q_OBJECT

private slots:
    void readsScaleAndColours();
    void absentKeysAreEmpty();
    void missingScaleFollowsApplication();
    void copySharesTheMap();
    void moveEmptiesTheSource();
    void assignmentsCopyAndMove();

private:
    static QMap<QString, QVariant> sample();
};

QMap<QString, QVariant> tst_NxWidgetBase::sample()
{
    return { { "scalefactor", 0.71 }, { "isCloud", true }, { "color", "#111111" },
             { "hoverColor", "#222222" }, { "pressColor", "#333333" }, { "disableColor", "#444444" } };
}

void tst_NxWidgetBase::readsScaleAndColours()
{
    const NxWidgetBase base(sample());
    QCOMPARE(base.getScaleFactor(), 0.71);
    QCOMPARE(base.getColor(), QString("#111111"));
    QCOMPARE(base.getHoverColor(), QString("#222222"));
    QCOMPARE(base.getPressColor(), QString("#333333"));
    QCOMPARE(base.getDisableColor(), QString("#444444"));
    QCOMPARE(base.getParams("isCloud"), QString("true"));
    QCOMPARE(base.getParamMap(), sample());
}

void tst_NxWidgetBase::absentKeysAreEmpty()
{
    const NxWidgetBase base({ { "scalefactor", 2.0 } });
    QVERIFY(base.getColor().isEmpty());
    QVERIFY(base.getDisableColor().isEmpty());
    QVERIFY(base.getParams("nothing").isEmpty());
    QCOMPARE(base.getScaleFactor(), 2.0);
}

void tst_NxWidgetBase::missingScaleFollowsApplication()
{
    qApp->setProperty("scalefactor", 0.8);
    QCOMPARE(NxWidgetBase({}).getScaleFactor(), 0.8);
    qApp->setProperty("scalefactor", QVariant());
    QCOMPARE(NxWidgetBase({}).getScaleFactor(), 1.0);
}

void tst_NxWidgetBase::copySharesTheMap()
{
    const NxWidgetBase original(sample());
    const NxWidgetBase copy(original);
    QVERIFY(copy.getParamMap().isSharedWith(original.getParamMap()));
    QCOMPARE(copy.getColor(), original.getColor());
    QCOMPARE(copy.getScaleFactor(), original.getScaleFactor());
}

void tst_NxWidgetBase::moveEmptiesTheSource()
{
    NxWidgetBase source(sample());
    const NxWidgetBase target(std::move(source));
    QCOMPARE(target.getParamMap(), sample());
    QCOMPARE(target.getHoverColor(), QString("#222222"));
    QVERIFY(source.getParamMap().isEmpty());
    QVERIFY(source.getParams("color").isEmpty());
}

void tst_NxWidgetBase::assignmentsCopyAndMove()
{
    const NxWidgetBase original(sample());
    NxWidgetBase copied({ { "scalefactor", 2.0 } });
    copied = original;
    QVERIFY(copied.getParamMap().isSharedWith(original.getParamMap()));
    QCOMPARE(copied.getScaleFactor(), 0.71);

    NxWidgetBase moved({ { "scalefactor", 2.0 } });
    moved = std::move(copied);
    QCOMPARE(moved.getPressColor(), QString("#333333"));
    QCOMPARE(moved.getScaleFactor(), 0.71);
    QVERIFY(copied.getParamMap().isEmpty());
}

QTEST_MAIN(tst_NxWidgetBase)
#include "tst_NxWidgetBase.moc"

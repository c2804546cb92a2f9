#include "NxScreenCheck.h"
#include "NxToolTipHelp.h"

#include <QLabel>
#include <QTranslator>
#include <QtTest>

// The toast offscreen at the scale in NX_TOAST_SCALE (one scale per process:
// the toast reads it once), saved for review and checked.
class tst_NxToolTipHelpScreens : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void toast_data();
    void toast();

private:
    double m_scale = 1.0;
};

void tst_NxToolTipHelpScreens::initTestCase()
{
    bool ok = false;
    m_scale = qEnvironmentVariable("NX_TOAST_SCALE", "1.0").toDouble(&ok);
    QVERIFY(ok);
    qApp->setProperty("scalefactor", m_scale);
}

void tst_NxToolTipHelpScreens::toast_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("text");
    QTest::newRow("zh_CN") << "zh_CN" << QString::fromUtf8("获取频道失败，请检查网络");
    QTest::newRow("en_US") << "en_US" << "Could not load the channels. Please check the network.";
}

void tst_NxToolTipHelpScreens::toast()
{
    QFETCH(QString, language);
    QFETCH(QString, text);
    NxToolTipHelp& toast = NxToolTipHelp::Instance();
    toast.setMesseage(text);
    QTRY_VERIFY(toast.isVisible());
    const QString name = QStringLiteral("NxToolTipHelp_%1_%2").arg(language, NxScreenCheck::scaleName(m_scale));
    const QImage shot = NxScreenCheck::save(&toast, name);

    auto* label = toast.findChild<QLabel*>();
    const QRect bounds = label->fontMetrics().boundingRect(text);
    const int margin = int(3 * m_scale);
    QCOMPARE(shot.size(), QSize(bounds.width() + int(80 * m_scale) + 2 * margin,
                                bounds.height() + int(20 * m_scale) + 2 * margin));
    QVERIFY2(NxScreenCheck::colourCount(shot) > 1, "blank picture");
    const QStringList faults = NxScreenCheck::faults(&toast, NxScreenCheck::Clipped | NxScreenCheck::Outside);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
    toast.stopToast();
}

QTEST_MAIN(tst_NxToolTipHelpScreens)
#include "tst_NxToolTipHelpScreens.moc"

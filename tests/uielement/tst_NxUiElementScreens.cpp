#include "NxAnimaWgt.h"
#include "NxDelConfirmDialog.h"
#include "NxMessagePromptDialog.h"
#include "NxMessageWidget.h"
#include "NxScreenCheck.h"
#include "NxSecWindow.h"

#include <QMovie>
#include <QPointer>
#include <QTranslator>
#include <QtTest>

// Every dialog offscreen at the three panel scales in both languages: the
// picture is saved for review and checked for its size, for content, and
// for texts that are clipped, untranslated or outside the window.
class tst_NxUiElementScreens : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void secWindow();
    void secWindow_data() { NxScreenCheck::addLanguageScaleRows(); }
    void promptDialog();
    void promptDialog_data() { NxScreenCheck::addLanguageScaleRows(); }
    void deleteConfirmation();
    void deleteConfirmation_data() { NxScreenCheck::addLanguageScaleRows(); }
    void messageInfo();
    void messageInfo_data() { NxScreenCheck::addLanguageScaleRows(); }
    void messageError();
    void messageError_data() { NxScreenCheck::addLanguageScaleRows(); }
    void messageQuestion();
    void messageQuestion_data() { NxScreenCheck::addLanguageScaleRows(); }
    void loadingAnimation();
    void loadingAnimation_data() { NxScreenCheck::addLanguageScaleRows(); }

private:
    // Loads the row's language and scale; returns the shot's name suffix.
    QString prepare();
    QSize scaled(int width, int height) const { return QSize(int(width * m_scale), int(height * m_scale)); }
    void check(QWidget* window, const QString& name, const QSize& size);

    QTranslator m_translator;
    double m_scale = 1.0;
};

void tst_NxUiElementScreens::cleanup()
{
    QCoreApplication::removeTranslator(&m_translator);
}

QString tst_NxUiElementScreens::prepare()
{
    return NxScreenCheck::prepareRow(m_translator, &m_scale);
}

void tst_NxUiElementScreens::check(QWidget* window, const QString& name, const QSize& size)
{
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QImage shot = NxScreenCheck::save(window, name);
    QCOMPARE(shot.size(), size);
    QVERIFY2(NxScreenCheck::colourCount(shot) > 1, "blank picture");
    const QStringList faults = NxScreenCheck::faults(window);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
}

void tst_NxUiElementScreens::secWindow()
{
    const QString suffix = prepare();
    QPointer<NxSecWindow> window = new NxSecWindow(nullptr);
    check(window, "NxSecWindow" + suffix, scaled(500, 300));
    window->closeWin();
}

void tst_NxUiElementScreens::promptDialog()
{
    const QString suffix = prepare();
    QPointer<NxMessagePromptDialog> dialog = new NxMessagePromptDialog(nullptr);
    check(dialog, "NxMessagePromptDialog" + suffix, scaled(475, 300));
    if (dialog)
        dialog->close();
}

void tst_NxUiElementScreens::deleteConfirmation()
{
    const QString suffix = prepare();
    NxDelConfirmDialog dialog(nullptr);
    check(&dialog, "NxDelConfirmDialog" + suffix, scaled(475, 300));
}

// As the file dialog shows its errors.
void tst_NxUiElementScreens::messageInfo()
{
    const QString suffix = prepare();
    NxMessageWidget dialog(nullptr, m_scale, 2, true);
    dialog.setCloseBtnPixName(":/rc/icon/pop_top_close");
    dialog.setTitleText(NxScreenCheck::rowText("导出失败", "Export failed"));
    dialog.setCancelBtnVisible(false);
    dialog.setMessageInfo(QString(), QString(),
                          NxScreenCheck::rowText("目标文件夹是只读的，请选择其他位置保存课件。",
                                                 "The target folder is read-only. Please choose another place for the courseware."));
    check(&dialog, "NxMessageWidget_info" + suffix, scaled(368, 260));
}

void tst_NxUiElementScreens::messageError()
{
    const QString suffix = prepare();
    NxMessageWidget dialog(nullptr, m_scale, 1, false);
    dialog.setCloseBtnPixName(":/rc/icon/pop_top_close");
    dialog.setTitleText(NxScreenCheck::rowText("复制失败", "Copy failed"));
    QStringList details;
    for (int i = 1; i <= 12; ++i)
        details << QString("D:/courseware/unit %1/lesson-%2.pptx").arg(i).arg(i * 7) << QString();
    dialog.setMessageError(QString(), NxScreenCheck::rowText("以下文件无法复制：", "These files could not be copied:"),
                           details);
    // This arrangement grows with its content, within its limits.
    QVERIFY(dialog.height() > scaled(368, 260).height());
    QVERIFY(dialog.height() <= scaled(368, 400).height());
    check(&dialog, "NxMessageWidget_error" + suffix, QSize(scaled(368, 0).width(), dialog.height()));
}

void tst_NxUiElementScreens::messageQuestion()
{
    const QString suffix = prepare();
    NxMessageWidget dialog(nullptr, m_scale, 2, false);
    dialog.setCloseBtnPixName(":/rc/icon/pop_top_close");
    dialog.setTitleText(NxScreenCheck::rowText("提示", "Notice"));
    dialog.setMessageInfo(QString(), NxScreenCheck::rowText("文件已存在，是否覆盖？", "The file exists. Replace it?"));
    check(&dialog, "NxMessageWidget_question" + suffix, scaled(368, 260));
}

void tst_NxUiElementScreens::loadingAnimation()
{
    const QString suffix = prepare();
    QPointer<NxAnimaWgt> animation = new NxAnimaWgt(nullptr);
    QTRY_VERIFY(animation->movie()->currentFrameNumber() > 0);
    check(animation, "NxAnimaWgt" + suffix, scaled(80, 80));
    animation->close();
}

QTEST_MAIN(tst_NxUiElementScreens)
#include "tst_NxUiElementScreens.moc"

#include "NxAccessToolBarWidget.h"
#include "NxFontSetup.h"
#include "NxQRCodeLogin.h"
#include "NxScreenCheck.h"
#include "NxUserSwitchWidget.h"

#include <QPushButton>
#include <QStackedWidget>
#include <QTranslator>
#include <QVBoxLayout>
#include <QtTest>

// The sign-in toolbar, its QR popup and account popup: what they report,
// when they show, and how they look at the three scales in both languages.
class tst_NxAccessToolBarWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { NxFontSetup::install(); } // as the program does
    void cleanup();
    void popupsFollowModes();
    void tapsReportTranslatedTexts();
    void qrPopupLeavesWhenAnotherWindowIsActive();
    void accountPopupLeavesAndComesBack();
    void avatarIsRound();
    void screens_data();
    void screens();

private:
    static QPushButton* button(QWidget* parent, const QString& text);
    QTranslator m_translator;
};

void tst_NxAccessToolBarWidget::cleanup()
{
    QCoreApplication::removeTranslator(&m_translator);
}

QPushButton* tst_NxAccessToolBarWidget::button(QWidget* parent, const QString& text)
{
    for (QPushButton* candidate : parent->findChildren<QPushButton*>()) {
        if (candidate->text() == text && candidate->isVisibleTo(parent))
            return candidate;
    }
    return nullptr;
}

void tst_NxAccessToolBarWidget::popupsFollowModes()
{
    NxAccessToolBarWidget bar(nullptr, 1.0);
    bar.initWidget();
    QCOMPARE(bar.size(), QSize(178, 48));
    QCOMPARE(bar.currentPage(), 0);
    QPixmap code(37, 37);
    code.fill(Qt::black);
    bar.showQRWidget(code, true);
    QVERIFY(bar.qrWidget()->isVisible());
    QCOMPARE(bar.qrWidget()->pos(), QPoint(1405, 707));
    QCOMPARE(bar.qrWidget()->picture().size(), QSize(160, 160));
    bar.showQRWidget(code, false);
    QVERIFY(bar.qrWidget()->isHidden());

    bar.setCurMode(NxAccessToolBarWidget::MODE_LOGIN);
    QCOMPARE(bar.currentPage(), 1);
    QSignalSpy clicked(&bar, &NxAccessToolBarWidget::signalToolBarClicked);
    QSignalSpy loggedOut(&bar, &NxAccessToolBarWidget::signLogoutChangeStatus);
    bar.slotAccount();
    QCOMPARE(clicked.takeFirst().first().toString(), QString("ID_ACCOUNT"));
    QVERIFY(bar.userSwitchWidget()->isVisible());
    QCOMPARE(bar.userSwitchWidget()->pos(), QPoint(1420, 855));
    bar.showQRWidget(code, true);
    emit bar.userSwitchWidget()->signalLogOut();
    QCOMPARE(loggedOut.size(), 1);
    QCOMPARE(bar.curMode(), NxAccessToolBarWidget::MODE_LOGOUT);
    QCOMPARE(bar.currentPage(), 0);
    QVERIFY(bar.qrWidget()->isHidden() && bar.userSwitchWidget()->isHidden());

    bar.setCurMode(NxAccessToolBarWidget::MODE(7)); // only remembered
    QCOMPARE(bar.currentPage(), 0);
    QCOMPARE(int(bar.curMode()), 7);
}

void tst_NxAccessToolBarWidget::tapsReportTranslatedTexts()
{
    QVERIFY(NxScreenCheck::loadLanguage(m_translator, "en_US"));
    QCoreApplication::installTranslator(&m_translator);
    NxAccessToolBarWidget bar(nullptr, 1.0);
    bar.initWidget();
    bar.show();
    QSignalSpy clicked(&bar, &NxAccessToolBarWidget::signalToolBarClicked);
    QPushButton* login = button(&bar, "Log in");
    QPushButton* exit = button(&bar, "Exit");
    QVERIFY(login && exit);
    QTest::mouseClick(login, Qt::LeftButton);
    QTest::mouseClick(exit, Qt::LeftButton);
    emit bar.userSwitchWidget()->signalUserSwitch(); // switching account signs in anew
    QCOMPARE(clicked.size(), 3);
    QCOMPARE(clicked.at(0).first().toString(), QString("Log in"));
    QCOMPARE(clicked.at(1).first().toString(), QString("Exit"));
    QCOMPARE(clicked.at(2).first().toString(), QString("Log in"));
}

void tst_NxAccessToolBarWidget::qrPopupLeavesWhenAnotherWindowIsActive()
{
    NxAccessToolBarWidget bar(nullptr, 1.0);
    bar.initWidget();
    bar.showQRWidget(QPixmap(10, 10), true);
    QVERIFY(bar.qrWidget()->isVisible());
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QEvent change(QEvent::ActivationChange);
    QApplication::sendEvent(bar.qrWidget(), &change);
    QVERIFY(bar.qrWidget()->isHidden());
}

void tst_NxAccessToolBarWidget::accountPopupLeavesAndComesBack()
{
    QWidget home;
    home.resize(800, 600);
    auto* bar = new NxAccessToolBarWidget(&home, 1.0);
    bar->initWidget();
    bar->setCurMode(NxAccessToolBarWidget::MODE_LOGIN);
    home.show();
    QVERIFY(QTest::qWaitForWindowExposed(&home));
    auto* avatar = bar->findChild<QPushButton*>("account");
    QPointer<NxUserSwitchWidget> popup = bar->userSwitchWidget();
    const auto tapAvatarShows = [&](bool shown) {
        QTest::mouseClick(avatar, Qt::LeftButton);
        return popup && popup->isVisible() == shown;
    };
    QVERIFY(tapAvatarShows(true));
    QVERIFY(tapAvatarShows(false)); // a second tap
    QVERIFY(tapAvatarShows(true));
    QTest::mouseClick(&home, Qt::LeftButton, {}, QPoint(400, 300)); // anywhere else
    QVERIFY(popup->isHidden());

    QVERIFY(tapAvatarShows(true));
    QSignalSpy switched(popup.data(), &NxUserSwitchWidget::signalUserSwitch);
    QTest::mouseClick(popup->findChild<QPushButton*>("ID_SWITCH_ACCOUNT"), Qt::LeftButton);
    QCOMPARE(switched.size(), 1); // a tap inside is the popup's own
    QVERIFY(popup->isVisible());
    QApplicationStateChangeEvent away(Qt::ApplicationInactive); // another program comes to the front
    QCoreApplication::sendEvent(qApp, &away);
    QVERIFY(popup->isHidden());

    QVERIFY(tapAvatarShows(true));
    popup->close();
    QVERIFY(tapAvatarShows(true));
}

void tst_NxAccessToolBarWidget::avatarIsRound()
{
    QImage face(100, 60, QImage::Format_RGB32);
    face.fill(QColor(200, 40, 40));
    const QImage round = NxAccessToolBarWidget::roundAvatar(face, 32).toImage();
    QCOMPARE(round.size(), QSize(32, 32));
    QCOMPARE(qAlpha(round.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(round.pixel(31, 31)), 0);
    QCOMPARE(round.pixelColor(16, 16), QColor(200, 40, 40));
    QVERIFY(NxAccessToolBarWidget::roundAvatar(QImage(), 32).toImage().pixelColor(16, 16).alpha() == 0);
}

void tst_NxAccessToolBarWidget::screens_data()
{
    NxScreenCheck::addLanguageScaleRows();
}

void tst_NxAccessToolBarWidget::screens()
{
    double scale = 1.0;
    const QString suffix = NxScreenCheck::prepareRow(m_translator, &scale);

    // On the home page's dark background, both modes and both popups.
    QWidget host;
    QPalette dark = host.palette();
    dark.setColor(QPalette::Window, QColor(0x3a, 0x36, 0x9a));
    host.setPalette(dark);
    host.setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(&host);
    layout->setContentsMargins(int(24 * scale), int(24 * scale), int(24 * scale), int(24 * scale));
    auto* signedOut = new NxAccessToolBarWidget(&host, scale);
    auto* signedIn = new NxAccessToolBarWidget(&host, scale);
    for (NxAccessToolBarWidget* bar : {signedOut, signedIn}) {
        bar->initWidget();
        layout->addWidget(bar);
    }
    QImage face(64, 64, QImage::Format_RGB32);
    face.fill(QColor(0xF2, 0xB8, 0x8C));
    signedIn->setCurMode(NxAccessToolBarWidget::MODE_LOGIN);
    signedIn->setUserImage(face);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    QVERIFY(NxScreenCheck::colourCount(NxScreenCheck::save(&host, "NxAccessToolBarWidget" + suffix)) > 3);
    const int textFaults = NxScreenCheck::Clipped | NxScreenCheck::Untranslated;
    for (QWidget* shown : {static_cast<QWidget*>(signedOut), static_cast<QWidget*>(signedIn)}) {
        const QStringList faults = NxScreenCheck::faults(shown, textFaults);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
    }

    QImage code(37, 37, QImage::Format_RGB32);
    code.fill(Qt::white);
    for (int y = 0; y < 37; ++y)
        for (int x = (y % 2); x < 37; x += 2)
            code.setPixel(x, y, 0xFF000000);
    signedOut->showQRWidget(QPixmap::fromImage(code), true);
    QVERIFY(QTest::qWaitForWindowExposed(signedOut->qrWidget()));
    NxScreenCheck::save(signedOut->qrWidget(), "NxQRCodeLogin" + suffix);
    const QStringList faults = NxScreenCheck::faults(signedOut->qrWidget(), textFaults);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
    signedIn->slotAccount();
    QVERIFY(QTest::qWaitForWindowExposed(signedIn->userSwitchWidget()));
    NxScreenCheck::save(signedIn->userSwitchWidget(), "NxUserSwitchWidget" + suffix);
    QVERIFY2(NxScreenCheck::clippedTexts(signedIn->userSwitchWidget()).isEmpty(), "account popup text clipped");
}

QTEST_MAIN(tst_NxAccessToolBarWidget)
#include "tst_NxAccessToolBarWidget.moc"

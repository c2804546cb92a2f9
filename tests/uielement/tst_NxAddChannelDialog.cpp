#include "NxAddChanelWidget.h"
#include "NxAddChannelDialog.h"
#include "NxChannelListWidget.h"
#include "NxChannelWidget.h"
#include "NxPointerDriver.h"
#include "NxToolTipHelp.h"
#include "NxWebAddress.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QSignalSpy>
#include <QtTest>

// The own-channel form: the order of its checks and their toasts, what can be
// typed, the cover pictures, the channel id, and the channel page's flow
// through the real form.
class tst_NxAddChannelDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void okChecks_data();
    void okChecks();
    void typing();
    void thirdCover();
    void urlFormat_data();
    void urlFormat();
    void channelIds();
    void ownChannelOnPage();

private:
    static QString toast();
    static NxAddChannelDialog* openDialog();
    static void fill(NxAddChannelDialog* dialog, const QString& name, const QString& url);
    static QJsonObject channel(const QString& name, const QString& url);
};

void tst_NxAddChannelDialog::init()
{
    qApp->setProperty("scalefactor", 1.0);
    NxToolTipHelp::Instance().findChild<QLabel*>()->clear();
}

void tst_NxAddChannelDialog::cleanup()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != &NxToolTipHelp::Instance())
            w->deleteLater();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString tst_NxAddChannelDialog::toast()
{
    return NxToolTipHelp::Instance().findChild<QLabel*>()->text();
}

NxAddChannelDialog* tst_NxAddChannelDialog::openDialog()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<NxAddChannelDialog*>(w))
            return dialog;
    }
    return nullptr;
}

void tst_NxAddChannelDialog::fill(NxAddChannelDialog* dialog, const QString& name, const QString& url)
{
    dialog->findChild<QLineEdit*>("nameEdit")->setText(name);
    dialog->findChild<QLineEdit*>("urlEdit")->setText(url);
}

QJsonObject tst_NxAddChannelDialog::channel(const QString& name, const QString& url)
{
    return {{"ID", "ID_CHANNEL"}, {"channelid", name}, {"name", name}, {"from", "local"}, {"url", url}};
}

void tst_NxAddChannelDialog::okChecks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("blank name") << "   " << "https://www.example.com" << "ID_NAME_ILLEGAL";
    QTest::newRow("blank name before empty address") << " " << "" << "ID_NAME_ILLEGAL";
    QTest::newRow("empty address") << "Maths" << "" << "ID_INFO_INCOMPLETE";
    QTest::newRow("name taken") << "Reading" << "https://new.example.com" << "ID_ADD_ERROR_BY_NAME";
    // The known address is malformed too: the duplicate is named first.
    QTest::newRow("address taken") << "Maths" << "https://ab" << "ID_ADD_EEROR_BY_REPEATATION";
    // Web addresses both, so the toast does not ask for http:// or https://.
    QTest::newRow("https without a dot") << "Maths" << "https://io" << "ID_URL_INVALID";
    QTest::newRow("only the start") << "Maths" << "https://www." << "ID_URL_INVALID";
    QTest::newRow("bar in the host") << "Maths" << "http://a|b.example" << "ID_URL_INVALID";
    QTest::newRow("not a port") << "Maths" << "http://www.example.com:8x" << "ID_URL_INVALID";
    QTest::newRow("other scheme") << "Maths" << "ftp://files.example.com" << "ID_URL_ILLEGAL";
    QTest::newRow("bars, carets, a stray percent") << "Maths" << "https://www.example.com/a|b^c/100%off" << "";
    QTest::newRow("accepted") << "  Maths " << "https://www.example.com:8443/a/b?x=1&y=2#top" << "";
}

void tst_NxAddChannelDialog::okChecks()
{
    QFETCH(QString, name);
    QFETCH(QString, url);
    QFETCH(QString, refusal);
    QPointer<NxAddChannelDialog> dialog = new NxAddChannelDialog(nullptr, 1.0);
    dialog->setData(QJsonArray{channel("Reading", "https://ab"), channel("Art", "https://art.example.com")});
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QCOMPARE(dialog->size(), QSize(908, 540));
    QSignalSpy added(dialog.data(), &NxAddChannelDialog::AddCustomChannel);
    fill(dialog, name, url);
    QTest::mouseClick(dialog->findChild<QPushButton*>("okButton"), Qt::LeftButton);
    QCOMPARE(toast(), refusal);
    if (!refusal.isEmpty()) {
        QCOMPARE(added.count(), 0);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->findChild<QLineEdit*>("urlEdit")->text(), url);
        return;
    }
    QCOMPARE(added.count(), 1);
    const QJsonObject made = added.first().first().toJsonObject();
    QCOMPARE(made.value("ID").toString(), QString("ID_CHANNEL"));
    QCOMPARE(made.value("name").toString(), QString("Maths"));
    QCOMPARE(made.value("from").toString(), QString("local"));
    QCOMPARE(made.value("url").toString(), url);
    QCOMPARE(made.value("pic_small").toString(), QString(":/images/customcover/ID_DEFAULT_BACKGROUND_1_SMALL.png"));
    QCOMPARE(made.value("pic_large").toString(), QString(":/images/customcover/ID_DEFAULT_BACKGROUND_1_LARGE.png"));
    QTRY_VERIFY(!dialog);
}

// A name stops at eight characters; an address takes every printable
// character a browser takes, but no blank.
void tst_NxAddChannelDialog::typing()
{
    NxAddChannelDialog dialog(nullptr, 1.0);
    dialog.setAttribute(Qt::WA_DeleteOnClose, false);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* name = dialog.findChild<QLineEdit*>("nameEdit");
    for (const QChar c : QString::fromUtf8("数学abcdefg"))
        QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QCOMPARE(name->text(), QString::fromUtf8("数学abcdef"));

    auto* url = dialog.findChild<QLineEdit*>("urlEdit");
    QCOMPARE(url->text(), QString("https://www."));
    url->clear();
    QString printable;
    for (char c = '!'; c <= '~'; ++c)
        printable += QLatin1Char(c);
    const QString typed = "https://www.example.com:8443/a/b?x=1&y=2#top" + printable;
    QTest::keyClicks(url, typed);
    QCOMPARE(url->text(), typed);
    QTest::keyClicks(url, " ");
    QCOMPARE(url->text(), typed);
}

void tst_NxAddChannelDialog::thirdCover()
{
    QPointer<NxAddChannelDialog> dialog = new NxAddChannelDialog(nullptr, 1.0);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    auto* third = dialog->findChild<QPushButton*>("cover3");
    QTest::mouseClick(third, Qt::LeftButton);
    QVERIFY(third->isChecked());
    QVERIFY(!dialog->findChild<QPushButton*>("cover1")->isChecked());
    QSignalSpy added(dialog.data(), &NxAddChannelDialog::AddCustomChannel);
    fill(dialog, "Science", "https://science.example.org");
    QTest::mouseClick(dialog->findChild<QPushButton*>("okButton"), Qt::LeftButton);
    QCOMPARE(added.count(), 1);
    const QJsonObject made = added.first().first().toJsonObject();
    for (const char* size : {"SMALL", "MIDDLE", "LARGE"}) {
        const QString key = QString("pic_%1").arg(QString(size).toLower());
        QCOMPARE(made.value(key).toString(), QString(":/images/customcover/ID_DEFAULT_BACKGROUND_3_%1.png").arg(size));
        QVERIFY(!QPixmap(made.value(key).toString()).isNull());
    }
}

void tst_NxAddChannelDialog::urlFormat_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("legal");
    QTest::addColumn<QString>("handedOn"); // to the browser; empty: refused there
    QTest::newRow("https with path") << "https://www.example.com/a/b" << true << "https://www.example.com/a/b";
    QTest::newRow("capital scheme") << "HTTP://Example.ORG" << true << "http://example.org";
    QTest::newRow("port, query, fragment") << "https://www.example.com:8443/a/b?x=1&y=2#top" << true
                                           << "https://www.example.com:8443/a/b?x=1&y=2#top";
    QTest::newRow("two characters, no dot") << "https://ab" << false << "https://ab";
    QTest::newRow("ends in a dot") << "https://www." << false << "https://www.";
    QTest::newRow("other scheme") << "ftp://files.example.com" << false << "";
    QTest::newRow("no scheme") << "www.example.com" << false << "";
    QTest::newRow("trailing query mark") << "https://example.com?" << false << "https://example.com?";
    // What the form takes and a browser opens: encoded, never refused.
    QTest::newRow("bar and caret") << "https://www.example.com/a|b^c" << true << "https://www.example.com/a%7Cb%5Ec";
    QTest::newRow("quotes and braces") << "https://www.example.com/q\"a\"b{c}d" << true
                                       << "https://www.example.com/q%22a%22b%7Bc%7Dd";
    QTest::newRow("stray percent") << "https://www.example.com/100%off" << true << "https://www.example.com/100%25off";
    QTest::newRow("blank") << "https://www.example.com/a b" << true << "https://www.example.com/a%20b";
    QTest::newRow("backslash") << "https://www.example.com/a\\b" << true << "https://www.example.com/a%5Cb";
    QTest::newRow("bar in the host") << "http://a|b.example" << true << "";
    QTest::newRow("local file") << "file:///etc/passwd" << false << "";
    QTest::newRow("drive path") << "C:/Windows/notepad.exe" << false << "";
    QTest::newRow("script") << "javascript:alert(1)" << false << "";
}

void tst_NxAddChannelDialog::urlFormat()
{
    QFETCH(QString, url);
    QFETCH(bool, legal);
    QFETCH(QString, handedOn);
    QCOMPARE(NxAddChannelDialog::isUrlLegal(url), legal);
    QCOMPARE(NxWebAddress(url).encoded(), handedOn);
    QCOMPARE(NxWebAddress(url).isValid(), !handedOn.isEmpty());
}

void tst_NxAddChannelDialog::channelIds()
{
    const QRegularExpression form("^[0-9a-f]{32}$");
    QSet<QString> ids;
    for (int i = 0; i < 10000; ++i) {
        const QString id = NxAddChannelDialog::createUUID();
        QVERIFY2(form.match(id).hasMatch(), qPrintable(id));
        ids.insert(id);
    }
    QCOMPARE(ids.size(), 10000);
}

// The page's "add" tile opens the real form; what it makes lands on the page,
// and the page's own channels are the form's duplicates.
void tst_NxAddChannelDialog::ownChannelOnPage()
{
    NxChannelListWidget page(true, false, false);
    page.setParam(1284, 630, 290, 290, 2, 4);
    page.setData(QJsonArray(), QJsonArray{channel("Reading", "https://reading.example.com")}, true);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QSignalSpy announced(&page, &NxChannelListWidget::sigChannelAdded);
    NxPointerDriver pointer(NxPointerDriver::Touch);
    for (const QString& name : {QString("Reading"), QString("Music")}) {
        auto* add = page.findChild<NxAddChanelWidget*>();
        pointer.tap(add->findChild<QWidget*>("m_pBackWidget"));
        QTRY_VERIFY(openDialog());
        NxAddChannelDialog* dialog = openDialog();
        fill(dialog, name, "https://music.example.com");
        QTest::mouseClick(dialog->findChild<QPushButton*>("okButton"), Qt::LeftButton);
        if (name == "Reading") {
            QCOMPARE(toast(), QString("ID_ADD_ERROR_BY_NAME"));
            dialog->close();
            QTRY_VERIFY(!openDialog());
        }
    }
    QCOMPARE(announced.count(), 1);
    QCOMPARE(page.getLocalData().size(), 2);
    NxChannelWidget* tile = nullptr;
    for (NxChannelWidget* t : page.findChildren<NxChannelWidget*>()) {
        if (t->getData().value("name").toString() == "Music")
            tile = t;
    }
    QVERIFY(tile);
    QCOMPARE(tile->getData().value("image").toString(), tile->getData().value("pic_large").toString());
    QTRY_VERIFY(!openDialog());
}

QTEST_MAIN(tst_NxAddChannelDialog)
#include "tst_NxAddChannelDialog.moc"

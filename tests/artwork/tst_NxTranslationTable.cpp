#include "NxTextTable.h"

#include <QtTest>

// translations/texts.tsv: one Chinese and one English text for every key the
// product shows, written cleanly enough to be filled into the .ts files.
class tst_NxTranslationTable : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void tableIsClean();
    void everyProductKeyHasText_data();
    void everyProductKeyHasText();
    void displayedWordingKept();
    void identifiersThatAreNoTextsStayOut();
    void checkerFinds_data();
    void checkerFinds();
    void checkerAcceptsGoodTable();

private:
    NxTextTable m_table;
};

namespace {
const QString kHeader = QStringLiteral("key\tzh_CN\ten_US\n");

// Every translation key the product shows to a teacher.
const char* const kProductKeys[] = {
    " %1S", "ID_ACCOUNT", "ID_ADDED", "ID_ADDRESSEDIT_DEFAULT", "ID_ADD_CHANNEL", "ID_ADD_CHANNEL_FAILED",
    "ID_ADD_CUSTOMCHANNEL", "ID_ADD_EEROR_BY_REPEATATION", "ID_ADD_ERROR_BY_NAME", "ID_ADD_ERROR_BY_NET",
    "ID_ADD_TO_MAINPAGE", "ID_BROWSER_ROLLBACK", "ID_CANCEL", "ID_CANNOT_DELETE", "ID_CHANNEL_COVER",
    "ID_CHANNEL_LIST", "ID_CHANNEL_NAME", "ID_CHANNEL_URL", "ID_CLOUD_RESOURCE", "ID_CUSTOM_ADD_CHANNEL",
    "ID_CUSTOM_CHANNEL", "ID_DELETE", "ID_DELETE_CONFIRM", "ID_DELETE_ERROR_BY_NET", "ID_DEL_CHANNEL_FAILED",
    "ID_DESKTOP", "ID_ERASERSIZE_PEN", "ID_EXIT", "ID_FILE_COURSE", "ID_FILE_SAVE_DISK_READONLY",
    "ID_GET_CHANNEL_FAILED", "ID_INFO_INCOMPLETE", "ID_ISLOADING", "ID_ITEMS_SELETE_ALL", "ID_KNOW", "ID_LIVE",
    "ID_LIVECODE", "ID_LOAD_FAILED", "ID_LOCAL_DISK", "ID_LOCAL_REMOVEDISK", "ID_LOCAL_VIDEO", "ID_LOGIN",
    "ID_LOGOUT", "ID_MEDIA_CENTER", "ID_MEDIA_EXPORT_FAIL_TIP", "ID_MODIFY_DATE", "ID_MY_DOCUMENTS",
    "ID_MY_PICTURE", "ID_MY_RESOURCE", "ID_NAMEEDIT_DEFAULT", "ID_NAME_ILLEGAL", "ID_NOLIVE", "ID_NX_FILEFORMAT",
    "ID_OK", "ID_OPEN_CHANNEL", "ID_OPEN_CLOUD", "ID_OPEN_RECENT", "ID_OTHER_CHANNEL", "ID_PLAY", "ID_PLEASE",
    "ID_RES_FILEEXIT", "ID_RES_FILEISNOTEXIT", "ID_RES_FILENAME", "ID_RES_FOLDEREXIT", "ID_RES_LISTNULL",
    "ID_RES_LOGIN", "ID_RES_NETERROR", "ID_RES_NOTOPENFILE", "ID_RES_SELECTFILE", "ID_RES_SPECIAL", "ID_ROLLBACK",
    "ID_SETTING_CANCELBUTTON", "ID_SETTING_OKBUTTOM", "ID_SWITCH_ACCOUNT", "ID_SYSTEM_HELP_FEEDBACK_NOUSER",
    "ID_TAVO_CHANNEL", "ID_TAVO_CHANNEL_MORE", "ID_TV", "ID_URL_ILLEGAL", "ID_VIDEO", "ID_VIDEO_NAME",
    "ID_WECHAT_LOGIN",
};
}

void tst_NxTranslationTable::initTestCase()
{
    m_table.load(QStringLiteral(NX_TEXTS_TSV));
    QVERIFY(m_table.keys().size() >= int(sizeof(kProductKeys) / sizeof(kProductKeys[0])));
}

void tst_NxTranslationTable::tableIsClean()
{
    QVERIFY2(m_table.problems().isEmpty(), qPrintable(m_table.problems().join(QLatin1Char('\n'))));
}

void tst_NxTranslationTable::everyProductKeyHasText_data()
{
    QTest::addColumn<QString>("key");
    for (const char* key : kProductKeys)
        QTest::newRow(key) << QString::fromLatin1(key);
}

void tst_NxTranslationTable::everyProductKeyHasText()
{
    QFETCH(QString, key);
    QVERIFY2(m_table.keys().contains(key), "missing");
    QVERIFY(!m_table.text(key, QStringLiteral("zh_CN")).trimmed().isEmpty());
    QVERIFY(!m_table.text(key, QStringLiteral("en_US")).trimmed().isEmpty());
}

void tst_NxTranslationTable::displayedWordingKept()
{
    const QString zh = QStringLiteral("zh_CN");
    const QString en = QStringLiteral("en_US");
    QCOMPARE(m_table.text(QStringLiteral("ID_MEDIA_CENTER"), zh), QStringLiteral("课堂媒体中心"));
    QCOMPARE(m_table.text(QStringLiteral("ID_MEDIA_CENTER"), en), QStringLiteral("Classroom Media Centre"));
    // The countdown reads as a blank, the digit and a capital S after its button text.
    QCOMPARE(m_table.text(QStringLiteral(" %1S"), zh), QStringLiteral(" %1S"));
    QCOMPARE(m_table.text(QStringLiteral(" %1S"), en), QStringLiteral(" %1S"));
    QCOMPARE(m_table.text(QStringLiteral("ID_KNOW"), zh) + m_table.text(QStringLiteral(" %1S"), zh).arg(5),
        QStringLiteral("知道了 5S"));
    QCOMPARE(m_table.text(QStringLiteral("ID_OK"), en) + m_table.text(QStringLiteral(" %1S"), en).arg(3), QStringLiteral("OK 3S"));
    // The toolbar compares translated button texts, so its three must differ.
    const QStringList toolbar = {m_table.text(QStringLiteral("ID_LOGIN"), zh), m_table.text(QStringLiteral("ID_ACCOUNT"), zh),
        m_table.text(QStringLiteral("ID_EXIT"), zh), m_table.text(QStringLiteral("ID_ROLLBACK"), zh)};
    QCOMPARE(QSet<QString>(toolbar.cbegin(), toolbar.cend()).size(), toolbar.size());
}

void tst_NxTranslationTable::identifiersThatAreNoTextsStayOut()
{
    // Event ids, tile kinds and place-id prefixes are never shown.
    for (const QString& key : m_table.keys()) {
        QVERIFY2(!key.startsWith(QLatin1String("ID_SCENARIO_")), qPrintable(key));
        QVERIFY2(!key.endsWith(QLatin1String("_CMD")), qPrintable(key));
    }
    for (const char* id : {"ID_CHANNEL", "ID_MAINPAGE_ADD_CHANNEL", "ID_DISK", "ID_PC_TAVOMCPRESENTERPRO"})
        QVERIFY2(!m_table.keys().contains(QString::fromLatin1(id)), id);
}

void tst_NxTranslationTable::checkerFinds_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("problem");
    QTest::newRow("duplicate key") << kHeader + "ID_OK\t确定\tOK\nID_OK\t好的\tOkay\n" << "duplicate key ID_OK";
    QTest::newRow("empty Chinese") << kHeader + "ID_OK\t\tOK\n" << "has no zh_CN text";
    QTest::newRow("blank English") << kHeader + "ID_OK\t确定\t \n" << "has no en_US text";
    QTest::newRow("placeholder in one language") << kHeader + "ID_COUNT\t共%1个\tTotal\n" << "placeholders";
    QTest::newRow("different placeholders") << kHeader + "ID_COUNT\t%1 / %2\t%1 of %3\n" << "placeholders";
    QTest::newRow("leading blank") << kHeader + "ID_OK\t 确定\tOK\n" << "zh_CN text of ID_OK starts or ends with blanks";
    QTest::newRow("trailing blank") << kHeader + "ID_OK\t确定\tOK \n" << "en_US text of ID_OK starts or ends with blanks";
    QTest::newRow("missing cell") << kHeader + "ID_OK\t确定\n" << "2 cells instead of 3";
    QTest::newRow("English in the Chinese column") << kHeader + "ID_OK\tOK\tOkay\n" << "has no Chinese";
    QTest::newRow("wrong header") << QStringLiteral("key\ten_US\tzh_CN\nID_OK\tOK\t确定\n") << "header";
    QTest::newRow("empty line") << kHeader + "ID_OK\t确定\tOK\n\nID_CANCEL\t取消\tCancel\n" << "1 cells instead of 3";
}

void tst_NxTranslationTable::checkerFinds()
{
    QFETCH(QString, table);
    QFETCH(QString, problem);
    NxTextTable checker;
    QVERIFY(!checker.parse(table));
    const QString all = checker.problems().join(QLatin1Char('\n'));
    QVERIFY2(all.contains(problem), qPrintable(all));
}

void tst_NxTranslationTable::checkerAcceptsGoodTable()
{
    NxTextTable checker;
    const bool ok = checker.parse(kHeader + "ID_OK\t确定\tOK\n %1S\t %1S\t %1S\nID_FILES\t共%1个文件\t%1 files\n");
    QVERIFY2(ok, qPrintable(checker.problems().join(QLatin1Char('\n'))));
    QCOMPARE(checker.keys().size(), 3);
}

QTEST_MAIN(tst_NxTranslationTable)
#include "tst_NxTranslationTable.moc"

#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// translations/texts.tsv read strictly: a header "key<TAB>zh_CN<TAB>en_US",
// then one line per key. problems() names every fault a translator could make.
class NxTextTable
{
public:
    bool load(const QString& file);
    bool parse(const QString& text);

    QStringList problems() const { return m_problems; }
    QStringList keys() const { return m_texts.keys(); }
    QString text(const QString& key, const QString& language) const;

private:
    void readLine(const QString& line, int lineNo);
    void checkCell(const QString& key, const QString& language, const QString& cell, int lineNo);
    static QStringList placeholders(const QString& text);
    static bool hasChinese(const QString& text);
    static QString leading(const QString& text);
    static QString trailing(const QString& text);

    QStringList m_languages;
    QMap<QString, QMap<QString, QString>> m_texts;
    QStringList m_problems;
};

#include "NxTextTable.h"

#include <QFile>
#include <QRegularExpression>

bool NxTextTable::load(const QString& file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        m_problems = QStringList(QStringLiteral("cannot read %1").arg(file));
        return false;
    }
    return parse(QString::fromUtf8(in.readAll()));
}

bool NxTextTable::parse(const QString& text)
{
    m_texts.clear();
    m_problems.clear();
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    const QString header = lines.value(0);
    if (header != QLatin1String("key\tzh_CN\ten_US"))
        m_problems.append(QStringLiteral("line 1: header must be key, zh_CN, en_US"));
    m_languages = header.split(QLatin1Char('\t')).mid(1);
    for (int i = 1; i < lines.size(); ++i)
        readLine(lines.at(i), i + 1);
    return m_problems.isEmpty();
}

QString NxTextTable::text(const QString& key, const QString& language) const
{
    return m_texts.value(key).value(language);
}

void NxTextTable::readLine(const QString& line, int lineNo)
{
    if (line.endsWith(QLatin1Char('\r')))
        m_problems.append(QStringLiteral("line %1: Windows line end").arg(lineNo));
    const QStringList cells = line.split(QLatin1Char('\t'));
    if (cells.size() != m_languages.size() + 1) {
        m_problems.append(QStringLiteral("line %1: %2 cells instead of %3").arg(lineNo).arg(cells.size()).arg(m_languages.size() + 1));
        return;
    }
    const QString key = cells.at(0);
    if (key.trimmed().isEmpty()) {
        m_problems.append(QStringLiteral("line %1: empty key").arg(lineNo));
        return;
    }
    if (m_texts.contains(key))
        m_problems.append(QStringLiteral("line %1: duplicate key %2").arg(lineNo).arg(key));
    for (int i = 0; i < m_languages.size(); ++i) {
        checkCell(key, m_languages.at(i), cells.at(i + 1), lineNo);
        m_texts[key][m_languages.at(i)] = cells.at(i + 1);
    }

    const QString zh = m_texts[key].value(QStringLiteral("zh_CN"));
    const QString en = m_texts[key].value(QStringLiteral("en_US"));
    if (placeholders(zh) != placeholders(en))
        m_problems.append(QStringLiteral("line %1: %2 has placeholders %3 in zh_CN but %4 in en_US")
                              .arg(lineNo).arg(key, placeholders(zh).join(QLatin1Char(',')), placeholders(en).join(QLatin1Char(','))));
    if (!zh.isEmpty() && zh != en && !hasChinese(zh))
        m_problems.append(QStringLiteral("line %1: zh_CN text of %2 has no Chinese").arg(lineNo).arg(key));
}

void NxTextTable::checkCell(const QString& key, const QString& language, const QString& cell, int lineNo)
{
    if (cell.trimmed().isEmpty()) {
        m_problems.append(QStringLiteral("line %1: %2 has no %3 text").arg(lineNo).arg(key, language));
        return;
    }
    // Blanks at the ends are allowed only where the key itself carries them,
    // as in the format key " %1S" whose text follows another text.
    if (leading(cell) != leading(key) || trailing(cell) != trailing(key))
        m_problems.append(QStringLiteral("line %1: %2 text of %3 starts or ends with blanks").arg(lineNo).arg(language, key));
}

QStringList NxTextTable::placeholders(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("%(\\d+)"));
    QStringList found;
    auto it = pattern.globalMatch(text);
    while (it.hasNext())
        found.append(it.next().captured(0));
    found.sort();
    found.removeDuplicates();
    return found;
}

bool NxTextTable::hasChinese(const QString& text)
{
    for (const QChar ch : text)
        if (ch.unicode() >= 0x4E00 && ch.unicode() <= 0x9FFF)
            return true;
    return false;
}

QString NxTextTable::leading(const QString& text)
{
    int n = 0;
    while (n < text.size() && text.at(n).isSpace())
        ++n;
    return text.left(n);
}

QString NxTextTable::trailing(const QString& text)
{
    int n = 0;
    while (n < text.size() && text.at(text.size() - 1 - n).isSpace())
        ++n;
    return text.right(n);
}

// Fills the Linguist source that lupdate extracted from the code with the
// texts of one language from translations/texts.tsv. Every context that uses
// a key gets the same text, so a key reads alike in every class.
//
//   NxTsFill --table texts.tsv --language zh_CN --in keys.ts --out zh_CN.ts
//   NxTsFill --table texts.tsv --check keys.ts     (fails on a key without text)

#include <QCoreApplication>
#include <QFile>
#include <QMap>
#include <QSet>
#include <QStringList>
#include <QTextStream>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <cstdio>

namespace {

using Table = QMap<QString, QMap<QString, QString>>; // key → language → text
using Contexts = QMap<QString, QStringList>;          // context → keys

void fail(const QString& message)
{
    std::fprintf(stderr, "NxTsFill: %s\n", qPrintable(message));
}

QString unescape(QString text)
{
    return text.replace(QLatin1String("\\n"), QLatin1String("\n")).replace(QLatin1String("\\t"), QLatin1String("\t"));
}

bool readTable(const QString& path, Table& table, QStringList& languages)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        fail(QStringLiteral("cannot read %1").arg(path));
        return false;
    }
    QTextStream in(&file);
    in.setCodec("UTF-8");
    languages = in.readLine().split(QLatin1Char('\t')).mid(1);
    int lineNo = 1;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        ++lineNo;
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList cells = line.split(QLatin1Char('\t'));
        if (table.contains(cells.at(0)))
            fail(QStringLiteral("%1:%2: key %3 given twice").arg(path).arg(lineNo).arg(cells.at(0)));
        for (int i = 0; i < languages.size() && i + 1 < cells.size(); ++i) {
            if (!cells.at(i + 1).isEmpty())
                table[cells.at(0)][languages.at(i)] = unescape(cells.at(i + 1));
        }
    }
    return true;
}

bool readContexts(const QString& path, Contexts& contexts)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("cannot read %1").arg(path));
        return false;
    }
    QXmlStreamReader xml(&file);
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            const QString key = xml.readElementText();
            if (!contexts[context].contains(key))
                contexts[context].append(key);
        }
    }
    if (xml.hasError()) {
        fail(QStringLiteral("%1: %2").arg(path, xml.errorString()));
        return false;
    }
    return true;
}

bool writeFilled(const QString& path, const QString& language, const Contexts& contexts, const Table& table)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        fail(QStringLiteral("cannot write %1").arg(path));
        return false;
    }
    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDTD(QStringLiteral("<!DOCTYPE TS>"));
    xml.writeStartElement(QStringLiteral("TS"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("2.1"));
    xml.writeAttribute(QStringLiteral("language"), language);
    for (auto it = contexts.cbegin(); it != contexts.cend(); ++it) {
        xml.writeStartElement(QStringLiteral("context"));
        xml.writeTextElement(QStringLiteral("name"), it.key());
        for (const QString& key : it.value()) {
            xml.writeStartElement(QStringLiteral("message"));
            xml.writeTextElement(QStringLiteral("source"), key);
            const QString text = table.value(key).value(language);
            xml.writeStartElement(QStringLiteral("translation"));
            if (text.isEmpty())
                xml.writeAttribute(QStringLiteral("type"), QStringLiteral("unfinished"));
            xml.writeCharacters(text);
            xml.writeEndElement();
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return true;
}

// Keys used in the code without a text in some language.
QStringList missingTexts(const Contexts& contexts, const Table& table, const QStringList& languages)
{
    QSet<QString> keys;
    for (const QStringList& list : contexts)
        for (const QString& key : list)
            keys.insert(key);
    QStringList missing;
    for (const QString& key : keys)
        for (const QString& language : languages)
            if (table.value(key).value(language).isEmpty())
                missing.append(QStringLiteral("%1 (%2)").arg(key, language));
    missing.sort();
    return missing;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    auto option = [&args](const QString& name) {
        const int i = args.indexOf(name);
        return i >= 0 && i + 1 < args.size() ? args.at(i + 1) : QString();
    };

    Table table;
    QStringList languages;
    Contexts contexts;
    const QString check = option(QStringLiteral("--check"));
    if (!readTable(option(QStringLiteral("--table")), table, languages)
        || !readContexts(check.isEmpty() ? option(QStringLiteral("--in")) : check, contexts))
        return 2;

    const QStringList missing = missingTexts(contexts, table, languages);
    if (!check.isEmpty()) {
        for (const QString& entry : missing)
            fail(QStringLiteral("no text for %1").arg(entry));
        return missing.isEmpty() ? 0 : 1;
    }
    return writeFilled(option(QStringLiteral("--out")), option(QStringLiteral("--language")), contexts, table) ? 0 : 2;
}

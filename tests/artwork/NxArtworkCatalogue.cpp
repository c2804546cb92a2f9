#include "NxArtworkCatalogue.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

bool NxArtworkCatalogue::load(const QString& file)
{
    m_entries.clear();
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Text)) {
        m_error = QStringLiteral("cannot read %1").arg(file);
        return false;
    }
    QTextStream stream(&in);
    stream.setCodec("UTF-8");
    int lineNo = 0;
    while (!stream.atEnd()) {
        const QString line = stream.readLine();
        ++lineNo;
        // Rows of the picture tables start with a resource path in backquotes.
        if (line.startsWith(QLatin1String("| `:/")) && !readRow(line, lineNo))
            return false;
    }
    return true;
}

bool NxArtworkCatalogue::readRow(const QString& line, int lineNo)
{
    const QStringList cells = line.split(QLatin1Char('|'));
    // "", path, library, design, rendered, surface, shown by, shows, ""
    if (cells.size() < 9) {
        m_error = QStringLiteral("line %1: expected 7 columns").arg(lineNo);
        return false;
    }
    Entry entry;
    entry.path = cells.at(1).trimmed().remove(QLatin1Char('`'));
    for (const QString& library : cells.at(2).split(QLatin1Char(',')))
        entry.libraries.append(library.trimmed());
    entry.designSize = parseSize(cells.at(3));
    entry.pixelSize = parseSize(cells.at(4));
    entry.surface = cells.at(5).trimmed();
    if (entry.designSize.isEmpty() || entry.pixelSize.isEmpty()) {
        m_error = QStringLiteral("line %1: bad sizes for %2").arg(lineNo).arg(entry.path);
        return false;
    }
    return merge(entry, lineNo);
}

// A picture both libraries hold has a row in each library's table.
bool NxArtworkCatalogue::merge(const Entry& entry, int lineNo)
{
    for (Entry& known : m_entries) {
        if (known.path != entry.path)
            continue;
        if (known.pixelSize != entry.pixelSize || known.designSize != entry.designSize || known.surface != entry.surface) {
            m_error = QStringLiteral("line %1: %2 differs from its earlier row").arg(lineNo).arg(entry.path);
            return false;
        }
        for (const QString& library : entry.libraries)
            if (!known.libraries.contains(library))
                known.libraries.append(library);
        return true;
    }
    m_entries.append(entry);
    return true;
}

bool NxArtworkCatalogue::contains(const QString& path) const
{
    return !entry(path).path.isEmpty();
}

NxArtworkCatalogue::Entry NxArtworkCatalogue::entry(const QString& path) const
{
    for (const Entry& e : m_entries)
        if (e.path == path)
            return e;
    return Entry();
}

QSize NxArtworkCatalogue::parseSize(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("(\\d+)\\s*[x\\x{00D7}]\\s*(\\d+)"));
    const QRegularExpressionMatch match = pattern.match(text);
    return match.hasMatch() ? QSize(match.captured(1).toInt(), match.captured(2).toInt()) : QSize();
}

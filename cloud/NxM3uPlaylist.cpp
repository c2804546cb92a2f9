#include "NxM3uPlaylist.h"

#include "NxAdminFields.h"


namespace {
const QString kInfo = QStringLiteral("#EXTINF:");
const int kMostName = 200;
const int kMostAddress = 2048;
const int kMostReported = 200;

// The place of the last comma outside double quotes, or -1.
int lastFreeComma(const QString& text)
{
    int comma = -1;
    bool quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (c == QLatin1Char(',') && !quoted)
            comma = i;
    }
    return comma;
}
}

NxM3uPlaylist NxM3uPlaylist::parse(const QByteArray& text)
{
    NxM3uPlaylist playlist;
    QString all = QString::fromUtf8(text);
    if (all.startsWith(QChar(0xfeff)))
        all.remove(0, 1);
    const QVector<QStringRef> lines = all.splitRef(QLatin1Char('\n'));
    Info pending;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed().toString();
        if (line.startsWith(kInfo)) {
            if (pending.line > 0)
                playlist.skip(pending.line, pending.text, QStringLiteral("no address after #EXTINF"));
            pending = readInfo(i + 1, line);
        } else if (!line.isEmpty() && !line.startsWith(QLatin1Char('#'))) {
            playlist.addAddress(i + 1, line, &pending);
        }
    }
    if (pending.line > 0)
        playlist.skip(pending.line, pending.text, QStringLiteral("no address after #EXTINF"));
    return playlist;
}

NxM3uPlaylist::Info NxM3uPlaylist::readInfo(int line, const QString& text)
{
    Info info;
    info.line = line;
    info.text = text;
    const QString rest = text.mid(kInfo.size());
    const int comma = lastFreeComma(rest);
    const QString head = comma < 0 ? rest : rest.left(comma);
    info.entry.name = comma < 0 ? QString() : rest.mid(comma + 1).trimmed().left(kMostName);
    const int space = head.indexOf(QLatin1Char(' '));
    bool ok = false;
    const double duration = head.left(space < 0 ? head.size() : space).toDouble(&ok);
    info.entry.duration = ok ? duration : -1;
    if (space >= 0)
        readAttributes(head.mid(space + 1), &info.entry);
    return info;
}

void NxM3uPlaylist::readAttributes(const QString& text, Entry* entry)
{
    // key="value with spaces" or key=value, separated by blanks.
    int i = 0;
    while (i < text.size()) {
        while (i < text.size() && text.at(i).isSpace())
            ++i;
        const int equals = text.indexOf(QLatin1Char('='), i);
        if (equals < 0)
            return;
        const QString key = text.mid(i, equals - i).trimmed().toLower();
        int end = equals + 1;
        QString value;
        if (end < text.size() && text.at(end) == QLatin1Char('"')) {
            const int close = text.indexOf(QLatin1Char('"'), end + 1);
            end = close < 0 ? text.size() : close;
            value = text.mid(equals + 2, end - equals - 2);
            ++end;
        } else {
            while (end < text.size() && !text.at(end).isSpace())
                ++end;
            value = text.mid(equals + 1, end - equals - 1);
        }
        if (key == QLatin1String("tvg-logo"))
            entry->logo = value.trimmed();
        else if (key == QLatin1String("group-title"))
            entry->group = value.trimmed().left(kMostName);
        i = end;
    }
}

void NxM3uPlaylist::addAddress(int line, const QString& text, Info* pending)
{
    Entry entry = pending->line > 0 ? pending->entry : Entry();
    *pending = Info();
    if (text.size() > kMostAddress) {
        skip(line, text, QStringLiteral("the address is longer than %1 characters").arg(kMostAddress));
        return;
    }
    if (!NxAdminFields::isAddress(text, NxAdminFields::webSchemes())) {
        skip(line, text, QStringLiteral("only http and https addresses are taken"));
        return;
    }
    entry.line = line;
    entry.address = text;
    if (entry.name.isEmpty())
        entry.name = text.left(kMostName);
    if (!entry.logo.isEmpty() && !NxAdminFields::isAddress(entry.logo, NxAdminFields::webSchemes()))
        entry.logo.clear();
    m_entries.append(entry);
}

void NxM3uPlaylist::skip(int line, const QString& text, const QString& reason)
{
    m_skipped.append(Skipped{line, text.left(kMostReported), reason});
}

QList<NxM3uPlaylist::Entry> NxM3uPlaylist::entries() const
{
    return m_entries;
}

QList<NxM3uPlaylist::Skipped> NxM3uPlaylist::skipped() const
{
    return m_skipped;
}

QList<NxCloudCategoryChannels::NewChannel> NxM3uPlaylist::stations() const
{
    QList<NxCloudCategoryChannels::NewChannel> stations;
    stations.reserve(m_entries.size());
    for (const Entry& entry : m_entries) {
        NxCloudCategoryChannels::NewChannel station{entry.name, entry.group, entry.address, {}, 0};
        if (!entry.logo.isEmpty()) {
            for (const QString& type : {QStringLiteral("small"), QStringLiteral("middle"), QStringLiteral("large")})
                station.pictures.append({type, entry.logo});
        }
        stations.append(station);
    }
    return stations;
}

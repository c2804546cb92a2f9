#pragma once

#include "NxCloudCategoryChannels.h"

#include <QByteArray>
#include <QList>
#include <QString>

// An M3U playlist of TV stations: "#EXTINF:<duration> key="value" ...,<name>"
// followed by the station's address. Only http and https addresses are
// taken; every other line that would have been a station is reported with
// the reason it was skipped.
class NxM3uPlaylist
{
public:
    struct Entry
    {
        int line = 0;  // of the address, from 1
        double duration = -1;
        QString name;
        QString address;
        QString logo;   // tvg-logo
        QString group;  // group-title
    };
    struct Skipped
    {
        int line = 0;
        QString text;
        QString reason;
    };

    static NxM3uPlaylist parse(const QByteArray& text);

    QList<Entry> entries() const;
    QList<Skipped> skipped() const;
    // The entries as TV stations: group-title as the introduction, the logo
    // as every picture.
    QList<NxCloudCategoryChannels::NewChannel> stations() const;

private:
    struct Info
    {
        int line = 0;
        QString text;
        Entry entry;
    };

    static Info readInfo(int line, const QString& text);
    static void readAttributes(const QString& text, Entry* entry);
    void addAddress(int line, const QString& text, Info* pending);
    void skip(int line, const QString& text, const QString& reason);

    QList<Entry> m_entries;
    QList<Skipped> m_skipped;
};

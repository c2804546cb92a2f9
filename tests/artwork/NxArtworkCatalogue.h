#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>

// The table of artwork/CATALOGUE.md: one row per picture in the Qt resources.
class NxArtworkCatalogue
{
public:
    struct Entry {
        QString path;          // resource path, ":/images/ID_TV.png"
        QStringList libraries; // libraries whose resources hold it
        QSize designSize;      // size on the 1920-wide design
        QSize pixelSize;       // size of the rendered picture
        QString surface;       // "dark" or "light": what the picture sits on
    };

    bool load(const QString& file);
    QString error() const { return m_error; }
    const QVector<Entry>& entries() const { return m_entries; }
    bool contains(const QString& path) const;
    Entry entry(const QString& path) const;

    static QSize parseSize(const QString& text);

private:
    bool readRow(const QString& line, int lineNo);
    bool merge(const Entry& entry, int lineNo);

    QVector<Entry> m_entries;
    QString m_error;
};

#pragma once

#include "TavoWebCommandGlobal.h"

#include <QJsonArray>
#include <QString>

// The teacher's channel lists kept on disk, one JSON array of tile objects
// per list. Writers say "firstpage" and "tavochanneL", readers "FirstPage"
// and "TavoChannel": both name one file, found whatever its case on disk and
// created with the readers' spelling.
class TAVOWEBCOMMAND_EXPORT NxLocalChannelFile
{
public:
    // Far beyond thousands of channels; a larger file is refused unread.
    static const qint64 kMaxBytes = 8 * 1024 * 1024;

    // The configured channel directory, or the default one when the
    // configuration gives none (never the file-system root).
    static QString channelDir();
    static QString path(const QString& dir, const QString& funcType);
    // Empty when the file is missing, too large, damaged or cannot be opened.
    static QJsonArray read(const QString& dir, const QString& funcType);
    // Replaces the whole list atomically. A damaged earlier file, or one
    // that a read of this run could not open, is first kept beside it as
    // "<name>.bad", so it can still be recovered by hand; when that fails
    // nothing is saved.
    static bool write(const QString& dir, const QString& funcType, const QJsonArray& channels);

private:
    enum class Load { Absent, Read, Damaged, Unopened };
    static QString readerSpelling(const QString& funcType);
    static Load load(const QString& path, QJsonArray& channels);
    static bool keepEarlierListAside(const QString& path);
};

#pragma once

#include "NxFileDialogTypes.h"
#include "TavoUIElementGlobal.h"

#include <QDateTime>
#include <QStringList>
#include <QVector>

// Reads a local folder into listing rows: folders first, then files, by
// name, with the dialog's date and size texts.
class TAVOUIELEMENT_EXPORT NxFileLister
{
public:
    // followLinks: symbolic links are listed (named places, not disks).
    static QVector<NxFileEntry> list(const QString& pass, const QString& path, const QStringList& patterns,
                                     bool followLinks);
    static QString dateText(const QDateTime& time);
    // Bytes in B, KB, MB, GB, TB or PB, stepping by 1024, one decimal.
    static QString sizeText(qint64 bytes);
};

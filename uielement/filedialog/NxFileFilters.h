#pragma once

#include "NxFileDialogTypes.h"
#include "TavoUIElementGlobal.h"

#include <QStringList>

// The filter texts of the resource types and the patterns of one entry.
// An entry is a caption with its patterns in parentheses; entries are
// separated by ";;".
class TAVOUIELEMENT_EXPORT NxFileFilters
{
public:
    static QString filterFor(int type);
    static QStringList entries(const QString& filter);
    // The text between "(" and ")" split at blanks.
    static QStringList patternsOf(const QString& entry);
    // "*.ext" of a file name, lower case.
    static QString patternOfName(const QString& fileName);

private:
    static QString withSingles(const QString& caption, const QStringList& all, const QStringList& singles);
};

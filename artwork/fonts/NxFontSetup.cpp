#include "NxFontSetup.h"

#include <QFont>
#include <QFontDatabase>

namespace {
// Simplified-Chinese sans-serif faces shipped by Debian, closest in look first.
const char* const kCandidates[] = {
    "WenQuanYi Micro Hei",
    "Noto Sans CJK SC",
    "Source Han Sans SC",
    "WenQuanYi Zen Hei",
    "Droid Sans Fallback",
    "AR PL UMing CN",
};
}

QStringList NxFontSetup::requestedFamilies()
{
    // Some style sheets write the name without its blank.
    return {QStringLiteral("Microsoft YaHei"), QStringLiteral("MicrosoftYaHei")};
}

QStringList NxFontSetup::availableCjkFamilies()
{
    const QFontDatabase database;
    const QStringList installed = database.families(QFontDatabase::SimplifiedChinese);
    QStringList found;
    for (const char* candidate : kCandidates) {
        const QString family = QString::fromLatin1(candidate);
        if (installed.contains(family, Qt::CaseInsensitive))
            found.append(family);
    }
    return found;
}

void NxFontSetup::install()
{
    const QFontDatabase database;
    const QStringList substitutes = availableCjkFamilies();
    if (substitutes.isEmpty())
        return;
    for (const QString& family : requestedFamilies()) {
        if (!database.families().contains(family, Qt::CaseInsensitive))
            QFont::insertSubstitutions(family, substitutes);
    }
}

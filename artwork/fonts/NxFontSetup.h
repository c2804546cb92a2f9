#pragma once

#include <QStringList>

// Style sheets name the Windows font "Microsoft YaHei". Where it is missing the
// family is mapped to an installed CJK font, so Chinese texts keep real glyphs
// instead of falling back to a Latin-only face.
class NxFontSetup
{
public:
    // Call once after the QApplication exists.
    static void install();

    // The family names the style sheets use.
    static QStringList requestedFamilies();
    // Installed CJK families, best first.
    static QStringList availableCjkFamilies();
};

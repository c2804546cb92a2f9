#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

class QTranslator;
class QWidget;

// Offscreen pictures of finished windows and the faults visible in them:
// clipped or untranslated texts, children outside their window.
class NxScreenCheck
{
public:
    // Loads the program's translation for language ("zh_CN", "en_US").
    static bool loadLanguage(QTranslator& translator, const QString& language);
    // Grabs the shown window and saves it under the screens directory.
    static QImage save(QWidget* window, const QString& name);
    // Saves a picture made otherwise under the screens directory.
    static bool saveImage(const QImage& image, const QString& name);
    // Distinct colours in the picture, counting up to cap.
    static int colourCount(const QImage& image, int cap = 16);
    // Texts that do not fit their widget, as "objectName: text".
    static QStringList clippedTexts(QWidget* window);
    // Visible texts that are still translation keys.
    static QStringList untranslatedTexts(QWidget* window);
    // Whether every visible widget shows something at its middle, a third
    // down (where a tile's picture is), drawn with its children.
    static bool painted(const QList<QWidget*>& widgets);
    // Visible children reaching outside the window.
    static QStringList overflowingChildren(QWidget* window);
    enum Fault { Clipped = 1, Untranslated = 2, Outside = 4, AllFaults = Clipped | Untranslated | Outside };
    // The chosen faults of the window, each entry led by its kind
    // ("clipped: ", "untranslated: ", "outside: "); empty when there are none.
    static QStringList faults(QWidget* window, int which = AllFaults);
    static QString scaleName(double scale);
    // Data rows "language": zh_CN and en_US.
    static void addLanguageRows();
    // Data rows "language" × "scale": zh_CN and en_US at 0.71, 1.0 and 2.0.
    static void addLanguageScaleRows();
    // Installs the current row's language and returns the shot-name suffix
    // "_<language>".
    static QString prepareLanguage(QTranslator& translator);
    // Installs the current row's language, publishes its scale and returns
    // the shot-name suffix "_<language>_<scale>".
    static QString prepareRow(QTranslator& translator, double* rowScale);
    // The text in the current row's language.
    static QString rowText(const char* chinese, const char* english);
};

#include "NxScreenCheck.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QSet>
#include <QTranslator>
#include <QWidget>
#include <QtTest>

namespace {

QString visibleText(QWidget* w)
{
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->text();
    return QString();
}

QString describe(QWidget* w, const QString& text)
{
    return QStringLiteral("%1 %2: %3").arg(QString::fromLatin1(w->metaObject()->className()), w->objectName(), text);
}

bool fits(QWidget* w, const QString& text)
{
    const QRect room = w->contentsRect();
    auto* label = qobject_cast<QLabel*>(w);
    if (label && label->wordWrap())
        return label->heightForWidth(room.width()) <= room.height();
    const QFontMetrics metrics = w->fontMetrics();
    return metrics.horizontalAdvance(text) <= room.width() && metrics.height() <= room.height();
}

} // namespace

bool NxScreenCheck::loadLanguage(QTranslator& translator, const QString& language)
{
    return translator.load(QStringLiteral("TavomcPresenterPro_%1.qm").arg(language), QStringLiteral(NX_TRANSLATIONS_DIR));
}

QImage NxScreenCheck::save(QWidget* window, const QString& name)
{
    const QImage image = window->grab().toImage();
    saveImage(image, name);
    return image;
}

bool NxScreenCheck::saveImage(const QImage& image, const QString& name)
{
    const QString dir = QStringLiteral(NX_SCREENS_DIR);
    QDir().mkpath(dir);
    return image.save(QDir(dir).filePath(name + QStringLiteral(".png")));
}

int NxScreenCheck::colourCount(const QImage& image, int cap)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height() && colours.size() < cap; ++y)
        for (int x = 0; x < image.width() && colours.size() < cap; ++x)
            colours.insert(image.pixel(x, y));
    return colours.size();
}

QStringList NxScreenCheck::clippedTexts(QWidget* window)
{
    QStringList clipped;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const QString text = visibleText(w);
        if (w->isVisible() && !text.isEmpty() && !fits(w, text))
            clipped.append(describe(w, text));
    }
    return clipped;
}

QStringList NxScreenCheck::untranslatedTexts(QWidget* window)
{
    QStringList keys;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const QString text = visibleText(w);
        if (w->isVisible() && text.contains(QStringLiteral("ID_")))
            keys.append(describe(w, text));
    }
    return keys;
}

bool NxScreenCheck::painted(const QList<QWidget*>& widgets)
{
    for (QWidget* widget : widgets) {
        if (!widget->isVisible())
            continue;
        QImage face(widget->size(), QImage::Format_ARGB32_Premultiplied);
        face.fill(Qt::transparent);
        widget->render(&face, QPoint(), QRegion(), QWidget::DrawChildren);
        if (qAlpha(face.pixel(face.width() / 2, face.height() / 3)) == 0)
            return false;
    }
    return true;
}

QStringList NxScreenCheck::overflowingChildren(QWidget* window)
{
    QStringList outside;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible())
            continue;
        const QRect area(w->mapTo(window, QPoint(0, 0)), w->size());
        if (!window->rect().contains(area))
            outside.append(describe(w, visibleText(w)));
    }
    return outside;
}

QStringList NxScreenCheck::faults(QWidget* window, int which)
{
    QStringList found;
    const auto add = [&found](const char* kind, const QStringList& entries) {
        for (const QString& entry : entries)
            found.append(QLatin1String(kind) + QStringLiteral(": ") + entry);
    };
    if (which & Clipped)
        add("clipped", clippedTexts(window));
    if (which & Untranslated)
        add("untranslated", untranslatedTexts(window));
    if (which & Outside)
        add("outside", overflowingChildren(window));
    return found;
}

QString NxScreenCheck::scaleName(double scale)
{
    return QString::number(scale, 'f', 2);
}

void NxScreenCheck::addLanguageRows()
{
    QTest::addColumn<QString>("language");
    for (const QString& language : {QStringLiteral("zh_CN"), QStringLiteral("en_US")})
        QTest::newRow(qPrintable(language)) << language;
}

void NxScreenCheck::addLanguageScaleRows()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<double>("scale");
    for (const QString& language : {QStringLiteral("zh_CN"), QStringLiteral("en_US")})
        for (double scale : {0.71, 1.0, 2.0})
            QTest::addRow("%s %s", qPrintable(language), qPrintable(scaleName(scale))) << language << scale;
}

QString NxScreenCheck::prepareLanguage(QTranslator& translator)
{
    QFETCH(QString, language);
    if (loadLanguage(translator, language))
        QCoreApplication::installTranslator(&translator);
    else
        qWarning("no translation file for %s", qPrintable(language));
    return QLatin1Char('_') + language;
}

QString NxScreenCheck::prepareRow(QTranslator& translator, double* rowScale)
{
    QFETCH(double, scale);
    qApp->setProperty("scalefactor", scale);
    if (rowScale)
        *rowScale = scale;
    return prepareLanguage(translator) + QLatin1Char('_') + scaleName(scale);
}

QString NxScreenCheck::rowText(const char* chinese, const char* english)
{
    const bool zh = QString::fromLatin1(QTest::currentDataTag()).startsWith(QLatin1String("zh"));
    return QString::fromUtf8(zh ? chinese : english);
}

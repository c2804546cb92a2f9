#pragma once

#include <QString>

class QDialog;
class QLabel;
class QSize;
class QVBoxLayout;
class QWidget;

// Pieces shared by the dialogs drawn on the message picture.
class NxPromptPanel
{
public:
    // The 475 x 300 frameless, application-modal window (the dialog shell
    // makes it translucent where the desktop shows that).
    static void prepareWindow(QDialog* dialog, double scale);
    // A panel named objectName showing the message picture.
    static QWidget* createBackground(QWidget* parent, const QString& objectName);
    // Its style: the picture, or, while the picture is missing, a drawn
    // panel that keeps the white texts readable.
    static QString backgroundSheet(const QString& objectName);
    // White prompt text, 20 design pixels, centred in its design size.
    static QLabel* createLabel(QWidget* parent, const QString& text, const QSize& designSize, double scale);
    // The label's size is the least it gets: a text that does not fit widens
    // it up to maxWidth and then wraps and grows it, so no text is cut.
    static void fitLabel(QLabel* label, int maxWidth);
    // The column: 91 down to the label, 45 to what the caller adds next.
    static QVBoxLayout* createColumn(QWidget* background, QLabel* label, double scale);
    // The accent gradient button, 20-pixel radius and font.
    static QString gradientButtonSheet(double scale);
};

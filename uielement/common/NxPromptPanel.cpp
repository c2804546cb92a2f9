#include "NxPromptPanel.h"

#include "NxScale.h"

#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const char* const kPicture = ":/images/ID_MSG_DIALOG.png";
// Widest prompt text, in design pixels of the 475-pixel panels.
const int kMaxLabelWidth = 400;

bool textFits(const QLabel* label)
{
    if (label->wordWrap())
        return label->heightForWidth(label->width()) <= label->height();
    const QFontMetrics metrics = label->fontMetrics();
    return metrics.horizontalAdvance(label->text()) <= label->width() && metrics.height() <= label->height();
}

// A wrapped text just over its width would leave a stub of a line (often a
// single character); a little more width keeps it on one line.
void widenAgainstStub(QLabel* label, int maxWidth)
{
    const int oneLine = label->fontMetrics().horizontalAdvance(label->text()) + 2;
    if (oneLine > label->width() && oneLine <= label->width() * 5 / 4 && oneLine <= maxWidth)
        label->setFixedWidth(oneLine);
}

} // namespace

void NxPromptPanel::prepareWindow(QDialog* dialog, double scale)
{
    dialog->setWindowFlags(dialog->windowFlags() | Qt::Dialog | Qt::FramelessWindowHint);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->setFixedSize(NxScale::px(475, scale), NxScale::px(300, scale));
}

QWidget* NxPromptPanel::createBackground(QWidget* parent, const QString& objectName)
{
    auto* background = new QWidget(parent);
    background->setObjectName(objectName);
    background->setStyleSheet(backgroundSheet(objectName));
    return background;
}

QString NxPromptPanel::backgroundSheet(const QString& objectName)
{
    const QString picture = QString::fromLatin1(kPicture);
    if (QFile::exists(picture))
        return QStringLiteral("QWidget#%1{border:transparent; border-image:url(%2)}").arg(objectName, picture);
    return QStringLiteral("QWidget#%1{border:transparent; border-radius:15px;"
                          "background-color:qlineargradient(x1:0,y1:0,x2:0,y2:1,stop:0 #2E3384,stop:1 #1B1D52)}")
        .arg(objectName);
}

QLabel* NxPromptPanel::createLabel(QWidget* parent, const QString& text, const QSize& designSize, double scale)
{
    auto* label = new QLabel(text, parent);
    label->setFixedSize(NxScale::px(designSize.width(), scale), NxScale::px(designSize.height(), scale));
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral("QLabel{ font-family:MicrosoftYaHei;font-size: %1px;color:#FEFEFE;}")
                             .arg(NxScale::fractional(20, scale)));
    fitLabel(label, NxScale::px(kMaxLabelWidth, scale));
    return label;
}


void NxPromptPanel::fitLabel(QLabel* label, int maxWidth)
{
    label->ensurePolished();
    if (label->wordWrap())
        widenAgainstStub(label, maxWidth);
    if (textFits(label))
        return;
    const QFontMetrics metrics = label->fontMetrics();
    const int oneLine = metrics.horizontalAdvance(label->text()) + 2;
    label->setFixedSize(qBound(label->width(), oneLine, qMax(label->width(), maxWidth)),
                        qMax(label->height(), metrics.height()));
    if (textFits(label))
        return;
    label->setWordWrap(true);
    label->setFixedHeight(qMax(label->height(), label->heightForWidth(label->width())));
}

QVBoxLayout* NxPromptPanel::createColumn(QWidget* background, QLabel* label, double scale)
{
    auto* column = new QVBoxLayout(background);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addSpacing(NxScale::px(91, scale));
    column->addWidget(label, 0, Qt::AlignHCenter);
    column->addSpacing(NxScale::px(45, scale));
    return column;
}

QString NxPromptPanel::gradientButtonSheet(double scale)
{
    return QStringLiteral("QPushButton{background:qlineargradient(x1:0,y1:0,x2:0,y2:1,"
                          "stop:0 rgba(73,83,219,1),stop:1 rgba(95,87,252,1));"
                          "border-radius:%1px;font-size:%1px;font-family:MicrosoftYaHei;color:#FFFFFF;}")
        .arg(NxScale::fractional(20, scale));
}

#include "NxFileDialogViewListMode.h"

#include "NxFileListItemWidget.h"
#include "NxScale.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

NxFileDialogViewListMode::NxFileDialogViewListMode(QWidget* parent, double scale, NxFilePictures* pictures)
    : NxFileDialogViewMode(parent, scale, pictures)
{
    auto* header = new QWidget(this);
    header->setObjectName(QStringLiteral("listheader"));
    auto* column = new QVBoxLayout(header);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(NxScale::px(8, scale));
    const QString style = QStringLiteral("QLabel{font: %1px 'Microsoft YaHei';background-color:#ffffff;color: #333333; "
                                         "border:none;font-weight:500;}")
                              .arg(NxScale::px(14, scale));
    const struct {
        const char* name;
        QString text;
        int width;
    } columns[] = {
        {"headername", QStringLiteral("  ") + QCoreApplication::translate("NxFileDialog", "ID_VIDEO_NAME"), 450},
        {"headerdate", QCoreApplication::translate("NxFileDialog", "ID_MODIFY_DATE"), 180},
        {"headersize", QCoreApplication::translate("NxFileDialog", "ID_ERASERSIZE_PEN"), 100},
    };
    for (const auto& c : columns) {
        auto* label = new QLabel(c.text, header);
        label->setObjectName(QLatin1String(c.name));
        label->setFixedSize(NxScale::px(c.width, scale), NxScale::px(26, scale));
        label->setStyleSheet(style);
        row->addWidget(label);
    }
    row->addStretch(1);
    auto* line = new QWidget(header);
    line->setObjectName(QStringLiteral("headerline"));
    line->setAttribute(Qt::WA_StyledBackground);
    line->setFixedHeight(1);
    line->setStyleSheet(QStringLiteral("border:none; background:rgba(0,0,0,0.1)"));
    column->addLayout(row);
    column->addWidget(line);
    insertHeader(header);
    setItemStyleSheet(NxFileListItemWidget::styleSheet(scale));
}

QSize NxFileDialogViewListMode::cellSize() const
{
    return QSize(scrollArea()->viewport()->width(), NxScale::px(40, scale()));
}

NxFileItemWidget* NxFileDialogViewListMode::createItem(QWidget* parent, int index, const NxFileEntry& entry)
{
    return new NxFileListItemWidget(parent, scale(), index, entry);
}

QSize NxFileDialogViewListMode::pictureSize() const
{
    return QSize(NxScale::px(28, scale()), NxScale::px(28, scale()));
}

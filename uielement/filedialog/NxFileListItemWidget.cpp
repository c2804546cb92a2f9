#include "NxFileListItemWidget.h"

#include "NxCloudUtils.h"
#include "NxScale.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QLabel* textLabel(QWidget* parent, const QString& name, int width, const QString& text, const QFont& font)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFixedWidth(width);
    label->setFont(font);
    label->setText(NxCloudUtils::strFarmat(text, width - 4, font));
    return label;
}

} // namespace

QString NxFileListItemWidget::styleSheet(double)
{
    return QStringLiteral("QWidget#backwidget{background-color:transparent;border:1px solid transparent;}"
                          "QWidget#backwidget[selected=\"true\"]{background-color:rgba(102,110,220,0.1);border:1px solid #666EDC;}"
                          "QLabel{border:none; background:transparent; color:#999999;}"
                          "QLabel#itemname{color:#333333;}");
}

NxFileListItemWidget::NxFileListItemWidget(QWidget* parent, double scale, int index, const NxFileEntry& entry)
    : NxFileItemWidget(parent, index, entry)
    , m_scale(scale)
{
    setFixedHeight(NxScale::px(40, scale));
    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_back);

    const int checkSide = NxScale::px(18, scale);
    m_check = new QLabel(m_back);
    m_check->setObjectName(QStringLiteral("checkmark"));
    m_check->setFixedSize(checkSide, checkSide);
    m_picture = new QLabel(m_back);
    m_picture->setObjectName(QStringLiteral("itemicon"));
    m_picture->setFixedSize(pictureSize());
    m_picture->setAlignment(Qt::AlignCenter);
    QFont font(QStringLiteral("Microsoft YaHei"));
    font.setPixelSize(NxScale::px(14, scale));
    const int gap = NxScale::px(8, scale);
    // The name column is 450 wide with the mark and icon inside it.
    const int nameWidth = NxScale::px(450, scale) - checkSide - pictureSize().width() - 3 * gap;
    auto* name = textLabel(m_back, QStringLiteral("itemname"), nameWidth, entry.name, font);
    name->setToolTip(entry.name);
    auto* names = new QVBoxLayout;
    names->setContentsMargins(0, 0, 0, 0);
    names->setSpacing(0);
    names->addStretch(1);
    names->addWidget(name);
    // Rows of the recent list come from many folders, some of one name.
    if (!entry.folder.isEmpty()) {
        QFont small(font);
        small.setPixelSize(NxScale::px(12, scale));
        auto* folder = new QLabel(QFontMetrics(small).elidedText(entry.folder, Qt::ElideMiddle, nameWidth - 4), m_back);
        folder->setObjectName(QStringLiteral("itemfolder"));
        folder->setFixedWidth(nameWidth);
        folder->setFont(small);
        folder->setToolTip(entry.folder);
        names->addWidget(folder);
    }
    names->addStretch(1);
    auto* date = textLabel(m_back, QStringLiteral("itemdate"), NxScale::px(180, scale), entry.date, font);
    auto* size = textLabel(m_back, QStringLiteral("itemsize"), NxScale::px(100, scale), entry.size, font);

    auto* row = new QHBoxLayout(m_back);
    row->setContentsMargins(gap, 0, 0, 0);
    row->setSpacing(gap);
    row->addWidget(m_check);
    row->addWidget(m_picture);
    row->addLayout(names);
    row->addWidget(date);
    row->addWidget(size);
    row->addStretch(1);
    applySelectedLook();
}

QSize NxFileListItemWidget::pictureSize() const
{
    return QSize(NxScale::px(28, m_scale), NxScale::px(28, m_scale));
}

void NxFileListItemWidget::applySelectedLook()
{
    restyleBack();
    const int side = m_check->width();
    m_check->setPixmap(QPixmap(isSelected() ? QStringLiteral(":/rc/icon/selected.png") : QStringLiteral(":/rc/icon/unselect.png")).scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

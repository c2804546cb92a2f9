#include "NxFileThumbnaiWidget.h"

#include "NxScale.h"

#include <QFontMetrics>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// Two lines of the name at most, the second elided.
QString twoLines(const QString& text, const QFont& font, int width)
{
    const QFontMetrics metrics(font);
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    int cut = 1;
    while (cut < text.size() && metrics.horizontalAdvance(text.left(cut + 1)) <= width)
        ++cut;
    // Break after a blank or a dash when the first line keeps most of its room.
    const int soft = qMax(text.lastIndexOf(QLatin1Char(' '), cut - 1), text.lastIndexOf(QLatin1Char('-'), cut - 1));
    if (soft > cut / 2)
        cut = soft + 1;
    return text.left(cut) + QLatin1Char('\n') + metrics.elidedText(text.mid(cut), Qt::ElideRight, width);
}

} // namespace

QString NxFileThumbnaiWidget::styleSheet(double)
{
    return QStringLiteral("QWidget#backwidget{background-color:transparent;border:1px solid transparent;border-radius:4px}"
                          "QWidget#backwidget[selected=\"true\"]{background-color:rgba(102,110,220,0.1);"
                          "border:1px solid #666EDC;border-radius:4px}"
                          "QLabel{border:none; background:transparent; color:#333333;}");
}

QSize NxFileThumbnaiWidget::tileSize(double scale)
{
    return QSize(NxScale::px(120, scale), NxScale::px(140, scale));
}

NxFileThumbnaiWidget::NxFileThumbnaiWidget(QWidget* parent, double scale, int index, const NxFileEntry& entry)
    : NxFileItemWidget(parent, index, entry)
    , m_scale(scale)
{
    setFixedSize(tileSize(scale));
    m_back->setGeometry(rect().adjusted(NxScale::px(2, scale), NxScale::px(2, scale), -NxScale::px(2, scale),
                                        -NxScale::px(2, scale)));
    m_picture = new QLabel(m_back);
    m_picture->setObjectName(QStringLiteral("thumbpicture"));
    m_picture->setFixedSize(NxScale::px(102, scale), NxScale::px(82, scale));
    m_picture->setAlignment(Qt::AlignCenter);
    m_name = new QLabel(m_back);
    m_name->setObjectName(QStringLiteral("thumbname"));
    m_name->setFixedSize(NxScale::px(112, scale), NxScale::px(44, scale));
    m_name->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QFont font(QStringLiteral("Microsoft YaHei"));
    font.setPixelSize(NxScale::px(14, scale));
    m_name->setFont(font);
    const int room = m_name->width() - NxScale::px(4, scale);
    if (entry.folder.isEmpty()) {
        m_name->setText(twoLines(entry.name, font, room));
        m_name->setToolTip(entry.name);
    } else {
        // A recent file: its name, then the end of its folder (Unit1, Unit2).
        const QFontMetrics metrics(font);
        m_name->setText(metrics.elidedText(entry.name, Qt::ElideRight, room) + QLatin1Char('\n')
                        + metrics.elidedText(entry.folder, Qt::ElideLeft, room));
        m_name->setToolTip(entry.name + QLatin1Char('\n') + entry.folder);
    }
    m_name->setWordWrap(true);
    auto* column = new QVBoxLayout(m_back);
    column->setContentsMargins(0, NxScale::px(4, scale), 0, 0);
    column->setSpacing(NxScale::px(2, scale));
    column->addWidget(m_picture, 0, Qt::AlignHCenter);
    column->addWidget(m_name, 0, Qt::AlignHCenter);
    column->addStretch(1);
    applySelectedLook();
}

QSize NxFileThumbnaiWidget::pictureSize() const
{
    return QSize(NxScale::px(86, m_scale), NxScale::px(82, m_scale));
}

void NxFileThumbnaiWidget::applySelectedLook()
{
    restyleBack();
}

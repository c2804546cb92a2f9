#include "NxContactSheet.h"

#include <QFontMetrics>
#include <QPainter>

NxContactSheet::NxContactSheet(int columns)
    : m_columns(qMax(1, columns))
{
}

void NxContactSheet::add(const QString& name, const QList<QImage>& frames, const QColor& surface)
{
    m_items.append(Item{name, frames, surface});
}

QImage NxContactSheet::render(const QString& title) const
{
    const int rows = (m_items.size() + m_columns - 1) / m_columns;
    QImage sheet(m_columns * kCellWidth, kTitleHeight + rows * kCellHeight, QImage::Format_RGB32);
    sheet.fill(QColor(0x0d, 0x0c, 0x1e));
    QPainter painter(&sheet);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
    QFont font = painter.font();
    font.setPixelSize(24);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(16, 0, sheet.width() - 32, kTitleHeight), Qt::AlignVCenter | Qt::AlignLeft, title);
    for (int i = 0; i < m_items.size(); ++i) {
        const QRect cell((i % m_columns) * kCellWidth, kTitleHeight + (i / m_columns) * kCellHeight, kCellWidth, kCellHeight);
        paintItem(painter, m_items.at(i), cell);
    }
    painter.end();
    return sheet;
}

void NxContactSheet::paintItem(QPainter& painter, const Item& item, const QRect& cell) const
{
    const QRect stage = cell.adjusted(8, 8, -8, -54);
    painter.setPen(QColor(255, 255, 255, 40));
    painter.setBrush(item.surface);
    painter.drawRoundedRect(stage, 6, 6);

    const int n = item.frames.size();
    const int slot = stage.width() / qMax(1, n);
    for (int f = 0; f < n; ++f) {
        const QImage shown = fitted(item.frames.at(f), QSize(slot - 12, stage.height() - 12));
        const QPoint centre(stage.left() + slot * f + slot / 2, stage.center().y());
        painter.drawImage(centre - QPoint(shown.width() / 2, shown.height() / 2), shown);
    }

    // The file name first, then its folder and size, so long names stay whole.
    const QImage& first = item.frames.first();
    const int slash = item.name.lastIndexOf(QLatin1Char('/'));
    const QString fileName = item.name.mid(slash + 1);
    const QString folder = item.name.left(qMax(0, slash));
    QFont font = painter.font();
    font.setPixelSize(12);
    painter.setFont(font);
    painter.setPen(QColor(235, 235, 250));
    const QRect nameBox(cell.left() + 6, stage.bottom() + 6, cell.width() - 12, 20);
    painter.drawText(nameBox, Qt::AlignCenter, QFontMetrics(font).elidedText(fileName, Qt::ElideMiddle, nameBox.width()));
    painter.setPen(QColor(150, 150, 185));
    const QString details = QStringLiteral("%1  %2 x %3%4").arg(folder).arg(first.width()).arg(first.height())
                                .arg(n > 1 ? QStringLiteral(", %1 frames").arg(n) : QString());
    painter.drawText(nameBox.translated(0, 20), Qt::AlignCenter, QFontMetrics(font).elidedText(details, Qt::ElideRight, nameBox.width()));
}

QImage NxContactSheet::fitted(const QImage& image, const QSize& box)
{
    // Small icons are enlarged (at most twice) so their drawing can be judged.
    const QSize target = image.size().scaled(box, Qt::KeepAspectRatio);
    const qreal factor = qMin<qreal>(2.0, qreal(target.width()) / image.width());
    return image.scaled(image.size() * factor, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

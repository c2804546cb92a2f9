#include "NxFileDialogViewMode.h"

#include "NxFileItemWidget.h"
#include "NxFileListWidget.h"
#include "NxFilePictures.h"
#include "NxScale.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QScroller>
#include <QVBoxLayout>

NxFileDialogViewMode::NxFileDialogViewMode(QWidget* parent, double scale, NxFilePictures* pictures)
    : QWidget(parent)
    , m_scale(scale)
    , m_pictures(pictures)
    , m_entries(new QVector<NxFileEntry>())
{
    m_area = new QScrollArea(this);
    m_area->setObjectName(QStringLiteral("filearea"));
    m_area->setFrameShape(QFrame::NoFrame);
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_area->setWidgetResizable(false);
    m_canvas = new NxFileListWidget(m_area);
    m_area->setWidget(m_canvas);
    m_area->verticalScrollBar()->setStyleSheet(
        QStringLiteral("QScrollBar:vertical{width:%1px; background:transparent; margin:0; border:none;}"
                       "QScrollBar::handle:vertical{width:%2px; min-height:%3px; border-radius:%4px; margin:0 %5px;"
                       " background:rgba(0,0,0,20);}"
                       "QScrollBar::handle:vertical:hover{background:rgba(0,0,0,30);}"
                       "QScrollBar::handle:vertical:pressed{background:rgba(0,0,0,40);}"
                       "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical{height:0; border:none;}"
                       "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical{background:transparent;}")
            .arg(NxScale::px(10, scale))
            .arg(NxScale::px(8, scale))
            .arg(NxScale::px(20, scale))
            .arg(NxScale::px(4, scale))
            .arg(qMax(1, NxScale::px(1, scale))));
    // A finger drags the content itself, with momentum.
    QScroller::grabGesture(m_area->viewport(), QScroller::TouchGesture);
    connect(m_area->verticalScrollBar(), &QScrollBar::valueChanged, this, &NxFileDialogViewMode::sltScrollBarValueChanged);
    connect(m_canvas, &NxFileListWidget::sgl_CancelSelAll, this, &NxFileDialogViewMode::sltListItemClicked);
    connect(m_pictures, &NxFilePictures::sigPixmapCreated, this, &NxFileDialogViewMode::slotPixmapCreated);

    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->addWidget(m_area);
}

void NxFileDialogViewMode::setItemStyleSheet(const QString& sheet)
{
    m_canvas->setStyleSheet(sheet);
}

void NxFileDialogViewMode::insertHeader(QWidget* header)
{
    m_layout->insertWidget(m_layout->count() - 1, header);
}

int NxFileDialogViewMode::spacing() const
{
    return NxScale::px(8, m_scale);
}

void NxFileDialogViewMode::setEntries(const NxFileEntries& entries)
{
    for (NxFileItemWidget* item : qAsConst(m_items))
        release(item);
    m_items.clear();
    m_entries = entries;
    m_selected = QVector<bool>(entries->size(), false);
    m_current = -1;
    m_area->verticalScrollBar()->setValue(0);
    layoutCanvas();
}

int NxFileDialogViewMode::count() const
{
    return m_entries->size();
}

QRect NxFileDialogViewMode::cellRect(int index) const
{
    const int cols = qMax(1, columns());
    const QSize cell = cellSize();
    const int gap = cols > 1 ? spacing() : 0;
    return QRect(gap + (index % cols) * (cell.width() + gap), gap + (index / cols) * (cell.height() + gap), cell.width(),
                 cell.height());
}

void NxFileDialogViewMode::layoutCanvas()
{
    const int width = m_area->viewport()->width();
    const int rows = (count() + qMax(1, columns()) - 1) / qMax(1, columns());
    const QRect last = cellRect(qMax(0, rows * qMax(1, columns()) - 1));
    // At least as tall as the view, so a tap below the last row lands on it.
    const int used = rows ? last.bottom() + 1 + (columns() > 1 ? spacing() : 0) : 0;
    m_canvas->resize(width, qMax(used, m_area->viewport()->height()));
    for (auto it = m_items.cbegin(); it != m_items.cend(); ++it)
        it.value()->setGeometry(cellRect(it.key()));
    materialise();
}

// Widgets for the cells within one screen above and below the visible
// part; the others are let go and made again when they come back.
void NxFileDialogViewMode::materialise()
{
    if (count() == 0)
        return;
    const int cols = qMax(1, columns());
    const int rowHeight = cellSize().height() + (cols > 1 ? spacing() : 0);
    const int top = m_area->verticalScrollBar()->value();
    const int screen = qMax(rowHeight, m_area->viewport()->height());
    const int first = qMax(0, (top - screen) / rowHeight) * cols;
    const int last = qMin(count() - 1, ((top + 2 * screen) / rowHeight + 1) * cols - 1);
    for (auto it = m_items.begin(); it != m_items.end();) {
        if (it.key() < first || it.key() > last) {
            m_pictures->forget(it.key());
            release(it.value());
            it = m_items.erase(it);
        } else {
            ++it;
        }
    }
    for (int i = first; i <= last; ++i) {
        if (m_items.contains(i))
            continue;
        const NxFileEntry& entry = m_entries->at(i);
        NxFileItemWidget* item = createItem(m_canvas, i, entry);
        item->setGeometry(cellRect(i));
        item->changeSelectStatus(m_selected.at(i));
        item->setPicture(m_pictures->picture(i, entry, pictureSize()));
        connect(item, &NxFileItemWidget::sglSelectedStatusChanged, this, &NxFileDialogViewMode::sltSelectedStatusChanged);
        connect(item, &NxFileItemWidget::sglItemDoubleClick, this, &NxFileDialogViewMode::sltItemDoubleClick);
        item->show();
        m_items.insert(i, item);
    }
}

// A row may be letting go while its own signal runs (a double tap that
// opens a folder rebuilds the listing), so it is deleted from the event loop.
void NxFileDialogViewMode::release(NxFileItemWidget* item)
{
    item->hide();
    item->disconnect(this);
    item->deleteLater();
}

void NxFileDialogViewMode::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutCanvas();
}

void NxFileDialogViewMode::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    layoutCanvas();
}

NxFileItemWidget* NxFileDialogViewMode::itemWidget(int index) const
{
    return m_items.value(index, nullptr);
}

void NxFileDialogViewMode::sltScrollBarValueChanged(int)
{
    materialise();
}

void NxFileDialogViewMode::slotPixmapCreated(QString strIndex, QPixmap pixmap)
{
    const int index = strIndex.toInt();
    NxFileItemWidget* item = itemWidget(index);
    if (item && !pixmap.isNull())
        item->setPicture(pixmap);
}

void NxFileDialogViewMode::setSelected(int index, bool on)
{
    m_selected[index] = on;
    if (NxFileItemWidget* item = itemWidget(index))
        item->changeSelectStatus(on);
}

QString NxFileDialogViewMode::subPath(const NxFileEntry& entry)
{
    return entry.path.isEmpty() ? entry.name : entry.path + QLatin1Char('/') + entry.name;
}

void NxFileDialogViewMode::setMultiSelect(bool on)
{
    m_multi = on;
}

void NxFileDialogViewMode::sltSelectedStatusChanged(int nIndex, bool bSelected)
{
    if (nIndex < 0 || nIndex >= count())
        return;
    const NxFileEntry& entry = m_entries->at(nIndex);
    m_current = nIndex;
    if (m_multi) {
        setSelected(nIndex, bSelected);
        if (!bSelected)
            emit sgl_SetUnselectAllStatus();
        emit sgl_MultiSelectedFile(!entry.isDir, entry.pass, entry.path, entry.name, entry.netId, QString::number(nIndex));
        emit sgl_SelectedItems(selectedIndexes().size());
        return;
    }
    // A tap on the chosen entry keeps it chosen.
    for (int i = 0; i < m_selected.size(); ++i) {
        if (m_selected.at(i) && i != nIndex)
            setSelected(i, false);
    }
    setSelected(nIndex, true);
    if (entry.isDir)
        emit sgl_SelectedDir(entry.pass, subPath(entry), entry.netId);
    else
        emit sgl_SelectedFile(entry.pass, entry.path, entry.name, entry.netId, QString::number(nIndex));
}

void NxFileDialogViewMode::sltItemDoubleClick(int nIndex)
{
    if (nIndex < 0 || nIndex >= count())
        return;
    const NxFileEntry& entry = m_entries->at(nIndex);
    if (entry.isDir)
        emit sgl_OpenDir(entry.pass, subPath(entry), entry.netId);
    else
        emit sgl_OpenFile(entry.pass, entry.path, entry.name, entry.netId);
}

void NxFileDialogViewMode::openCurrent()
{
    sltItemDoubleClick(m_current);
}

void NxFileDialogViewMode::sltListItemClicked(QMouseEvent*)
{
    if (m_multi) {
        clearSelection();
        emit sgl_CancelSelAll();
    }
}

void NxFileDialogViewMode::selectAll(bool on)
{
    for (int i = 0; i < m_selected.size(); ++i)
        setSelected(i, on);
    emit sgl_SelectedItems(on ? count() : 0);
}

void NxFileDialogViewMode::clearSelection()
{
    for (int i = 0; i < m_selected.size(); ++i) {
        if (m_selected.at(i))
            setSelected(i, false);
    }
}

QList<int> NxFileDialogViewMode::selectedIndexes() const
{
    QList<int> chosen;
    for (int i = 0; i < m_selected.size(); ++i) {
        if (m_selected.at(i))
            chosen.append(i);
    }
    return chosen;
}

#include "NxFileDialogPath.h"

#include "AddressButton.h"
#include "NxScale.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

NxFileDialogPath::NxFileDialogPath(QWidget* parent, double scale)
    : QWidget(parent)
    , m_scale(scale)
{
    const int button = NxScale::px(40, scale);
    m_backBtn = new QPushButton(this);
    m_backBtn->setObjectName(QStringLiteral("prebtn"));
    m_backBtn->setFixedSize(button, button);
    m_backBtn->setFocusPolicy(Qt::NoFocus);
    connect(m_backBtn, &QPushButton::clicked, this, &NxFileDialogPath::sgl_BackHistory);

    m_segmentBox = new QWidget(this);
    m_segmentBox->setObjectName(QStringLiteral("addressbar"));
    m_segmentLayout = new QHBoxLayout(m_segmentBox);
    m_segmentLayout->setContentsMargins(NxScale::px(8, scale), 0, NxScale::px(8, scale), 0);
    m_segmentLayout->setSpacing(0);
    m_segmentLayout->addStretch(1);

    m_selectAll = new QCheckBox(QCoreApplication::translate("NxFileDialog", "ID_ITEMS_SELETE_ALL"), this);
    m_selectAll->setObjectName(QStringLiteral("selectall"));
    m_selectAll->setFocusPolicy(Qt::NoFocus);
    m_selectAll->setVisible(false);
    connect(m_selectAll, &QCheckBox::clicked, this, &NxFileDialogPath::slotChangeSelectAllStatus);

    m_listBtn = makeModeButton(QStringLiteral("listbtn"));
    m_thumbBtn = makeModeButton(QStringLiteral("thumbbtn"));
    m_listBtn->setChecked(true);
    connect(m_listBtn, &QPushButton::clicked, this, &NxFileDialogPath::slotChangeListMode);
    connect(m_thumbBtn, &QPushButton::clicked, this, &NxFileDialogPath::slotChangeThumbMode);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(NxScale::px(12, scale), NxScale::px(9, scale), NxScale::px(12, scale), NxScale::px(9, scale));
    layout->setSpacing(NxScale::px(8, scale));
    layout->addWidget(m_backBtn);
    layout->addWidget(m_segmentBox, 1);
    layout->addWidget(m_selectAll);
    layout->addWidget(m_listBtn);
    layout->addWidget(m_thumbBtn);
}

QPushButton* NxFileDialogPath::makeModeButton(const QString& objectName)
{
    auto* b = new QPushButton(this);
    b->setObjectName(objectName);
    b->setCheckable(true);
    b->setAutoExclusive(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setFixedSize(NxScale::px(40, m_scale), NxScale::px(40, m_scale));
    return b;
}

void NxFileDialogPath::clearSegments()
{
    qDeleteAll(m_segments);
    qDeleteAll(m_arrows);
    m_segments.clear();
    m_arrows.clear();
}

void NxFileDialogPath::setLocation(const QString& placeCaption, const QString& pass, const QString& path,
                                   const QStringList& netIds)
{
    clearSegments();
    const QString placeNetId = pass == QLatin1String("ID_CLOUD_RESOURCE") ? QStringLiteral("-1") : QStringLiteral("0");
    m_segments.append(new AddressButton(m_segmentBox, m_scale, placeCaption, pass, QString(), placeNetId));
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString sofar;
    for (int i = 0; i < parts.size(); ++i) {
        sofar += (sofar.isEmpty() ? QString() : QStringLiteral("/")) + parts.at(i);
        m_segments.append(new AddressButton(m_segmentBox, m_scale, parts.at(i), pass, sofar, netIds.value(i)));
    }
    for (int i = 0; i < m_segments.size(); ++i) {
        if (i > 0) {
            auto* arrow = new QLabel(m_segmentBox);
            arrow->setObjectName(QStringLiteral("addressarrow"));
            const int side = NxScale::px(16, m_scale);
            arrow->setFixedSize(side, side);
            arrow->setPixmap(QPixmap(QStringLiteral(":/icon/arrow.png")).scaled(side, side, Qt::KeepAspectRatio,
                                                                                  Qt::SmoothTransformation));
            m_arrows.append(arrow);
            m_segmentLayout->insertWidget(m_segmentLayout->count() - 1, arrow);
        }
        connect(m_segments.at(i), &AddressButton::sgl_ChangePath, this, &NxFileDialogPath::sgl_ChangePath);
        m_segmentLayout->insertWidget(m_segmentLayout->count() - 1, m_segments.at(i));
    }
    fitSegments();
}

// The deepest levels stay visible: leading segments go first.
void NxFileDialogPath::fitSegments()
{
    const int room = width() - NxScale::px(130, m_scale) - m_selectAll->sizeHint().width() * m_selectAll->isVisibleTo(this);
    int used = 0;
    for (int i = m_segments.size() - 1; i >= 0; --i) {
        const int arrow = i > 0 ? m_arrows.at(i - 1)->width() : 0;
        used += m_segments.at(i)->width() + arrow;
        const bool fits = used <= room || i == m_segments.size() - 1;
        m_segments.at(i)->setVisible(fits);
        if (i > 0)
            m_arrows.at(i - 1)->setVisible(fits);
    }
}

void NxFileDialogPath::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitSegments();
}

void NxFileDialogPath::setSelectAllVisible(bool on)
{
    m_selectAll->setVisible(on);
    fitSegments();
}

void NxFileDialogPath::setSelectAllChecked(bool on)
{
    m_selectAll->setChecked(on);
}

void NxFileDialogPath::setDisplayMode(bool thumbnail)
{
    (thumbnail ? m_thumbBtn : m_listBtn)->setChecked(true);
}

bool NxFileDialogPath::isThumbnailMode() const
{
    return m_thumbBtn->isChecked();
}

void NxFileDialogPath::slotChangeListMode()
{
    m_listBtn->setChecked(true);
    emit sigCurDisplayMode(false);
}

void NxFileDialogPath::slotChangeThumbMode()
{
    m_thumbBtn->setChecked(true);
    emit sigCurDisplayMode(true);
}

void NxFileDialogPath::slotChangeSelectAllStatus()
{
    emit sigSelAllStatusChanged(m_selectAll->isChecked());
}

void NxFileDialogPath::slotSetUnSelectAllStatus()
{
    m_selectAll->setChecked(false);
}

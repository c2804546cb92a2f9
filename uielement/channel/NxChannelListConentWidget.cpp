#include "NxChannelListConentWidget.h"

#include "NxConfig.h"
#include "NxGridWidget.h"
#include "NxScale.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const int kColumns = 4;

} // namespace

NxChannelListConentWidget::NxChannelListConentWidget(QWidget* parent)
    : QWidget(parent)
    , m_title(new QLabel(this))
    , m_grid(new NxGridWidget(false, this))
    , m_scale(NxScale::appFactor())
{
    const int fontSize = m_scale < 0.8 ? 22 : (m_scale < 1.0 ? 24 : px(24));
    m_title->setObjectName(QStringLiteral("sectionTitle"));
    m_title->setStyleSheet(QStringLiteral("QLabel{font-family:Microsoft YaHei;font-size:%1px;color:#FFFFFF;"
                                          "background:transparent;}")
                               .arg(fontSize));
    // Below 0.8 the font keeps 22 px while the row shrinks: the title takes
    // what it needs from the gap under it, so the section keeps its height.
    m_title->ensurePolished();
    const int titleHeight = qMin(px(32) + px(24), qMax(px(32), m_title->fontMetrics().height()));
    m_title->setFixedHeight(titleHeight);
    m_title->setText(tr("ID_CHANNEL_LIST"));
    // Channels already on a home page carry the "added" mark.
    m_grid->setMarkLabelVisable(true);
    connect(m_grid, SIGNAL(sigChannelItemClicked(QJsonObject)), this, SIGNAL(sigChannelItemClicked(QJsonObject)));

    auto* titleRow = new QHBoxLayout;
    titleRow->setContentsMargins(px(6), 0, 0, 0);
    titleRow->addWidget(m_title);
    titleRow->addStretch();
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addLayout(titleRow);
    column->addSpacing(px(32) + px(24) - titleHeight);
    column->addWidget(m_grid);
    column->addStretch();
}

int NxChannelListConentWidget::px(double design) const
{
    return NxScale::px(design, m_scale);
}

void NxChannelListConentWidget::setControlManager(INxControllerManager* mgr)
{
    m_grid->setControlManager(mgr);
}

void NxChannelListConentWidget::setData(const QString& title, const QJsonArray& channels)
{
    m_channels = channels;
    m_title->setText(title);
    layoutContent();
}

int NxChannelListConentWidget::getContentHeight() const
{
    return m_contentHeight;
}

void NxChannelListConentWidget::renewChannelStatus(const QMap<QString, QJsonObject>& added)
{
    m_grid->renewChannelStatus(added);
}

void NxChannelListConentWidget::layoutContent()
{
    const int rows = (m_channels.size() + kColumns - 1) / kColumns;
    const int width = px(1284);
    const int tile = px(290);
    // The grid's own spacing: 41 at the design size, and never a pixel short of
    // the rows at scales where 41·s is truncated differently.
    const int gap = NxGridWidget::cellSpacing(width, tile, kColumns) * qMax(0, rows - 1);
    const int body = rows > 0 ? tile * rows + gap : px(32) + px(24);
    setFixedSize(width, px(32) + px(24) + body);
    m_grid->setBaseParam(width, rows * tile + gap, tile, tile, rows, kColumns);
    m_grid->setData(m_channels, NxConfig::getInstance()->getNetworkStatus());
    m_contentHeight = px(32) + body + px(24);
}

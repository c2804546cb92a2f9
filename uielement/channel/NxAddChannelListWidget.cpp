#include "NxAddChannelListWidget.h"

#include "NxAddChannelDialog.h"
#include "NxChannelBriefDialog.h"
#include "NxChannelListConentWidget.h"
#include "NxChannelListWidget.h"
#include "NxPictureBackground.h"
#include "NxScale.h"
#include "NxTouchScrollArea.h"

#include <QDebug>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

NxAddChannelListWidget::NxAddChannelListWidget(QWidget* parent)
    : QWidget(parent)
    , m_scale(NxScale::appFactor())
{
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setFixedSize(screen->availableGeometry().size());
    buildPage();
}

int NxAddChannelListWidget::px(double design) const
{
    return NxScale::px(design, m_scale);
}

void NxAddChannelListWidget::buildPage()
{
    m_background = new NxPictureBackground(QStringLiteral(":/images/ID_BACKGROUND_PIC.png"), this);
    m_background->setObjectName(QStringLiteral("backwidget"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(m_background);

    m_content = new QWidget;
    m_content->setObjectName(QStringLiteral("listContent"));
    m_content->setStyleSheet(QStringLiteral("QWidget#listContent{background:transparent;}"));
    m_contentLayout = new QVBoxLayout(m_content);
    m_contentLayout->setContentsMargins(0, 0, 0, 0);
    m_contentLayout->setSpacing(px(24));
    m_scrollArea = new NxTouchScrollArea(m_background);
    m_scrollArea->setWidgetResizable(false);
    m_scrollArea->setFixedSize(px(1284), px(734));
    // The page keeps its shape while the failure picture stands in for it.
    QSizePolicy keep = m_scrollArea->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_scrollArea->setSizePolicy(keep);
    m_scrollArea->setWidget(m_content);

    QPushButton* returnButton = NxChannelListWidget::createReturnButton(m_background, m_scale);
    connect(returnButton, SIGNAL(clicked()), this, SIGNAL(sigReturn()));
    auto* returnRow = new QHBoxLayout;
    returnRow->setContentsMargins(0, 0, 0, 0);
    returnRow->addStretch();
    returnRow->addWidget(returnButton);

    auto* column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addSpacing(px(150));
    column->addLayout(buildTitleRow(m_background));
    column->addSpacing(px(36));
    column->addWidget(m_scrollArea);
    column->addLayout(returnRow);
    column->addSpacing(px(22));
    column->addStretch();

    auto* centred = new QHBoxLayout(m_background);
    centred->setContentsMargins(0, 0, 0, 0);
    centred->addStretch();
    centred->addLayout(column);
    centred->addStretch();
}

QLayout* NxAddChannelListWidget::buildTitleRow(QWidget* parent)
{
    auto* title = new QLabel(tr("ID_CHANNEL_LIST"), parent);
    title->setObjectName(QStringLiteral("titleLabel"));
    title->setStyleSheet(QStringLiteral("QLabel{font-family:Microsoft YaHei;font-size:%1px;color:#FFFFFF;"
                                        "background:transparent;}")
                             .arg(m_scale < 0.8 ? 24 : px(40)));
    auto* custom = new QPushButton(tr("ID_CUSTOM_CHANNEL"), parent);
    custom->setObjectName(QStringLiteral("customButton"));
    custom->setFixedSize(px(170), px(40));
    custom->setCursor(Qt::PointingHandCursor);
    custom->setFocusPolicy(Qt::NoFocus);
    custom->setStyleSheet(QStringLiteral("QPushButton{background-color:rgba(255,255,255,50);border:none;"
                                         "border-radius:%1px;font-family:Microsoft YaHei;font-size:%2px;"
                                         "color:#FFFFFF;}")
                              .arg(px(20))
                              .arg(m_scale < 0.8 ? 12 : px(18)));
    connect(custom, SIGNAL(clicked()), this, SLOT(slotCustomButtonClicked()));
    auto* row = new QHBoxLayout;
    row->setContentsMargins(px(24), 0, 0, 0);
    row->addWidget(title);
    row->addStretch();
    row->addWidget(custom, 0, Qt::AlignVCenter);
    return row;
}

void NxAddChannelListWidget::setControlManager(INxControllerManager* mgr)
{
    m_controlManager = mgr;
}

void NxAddChannelListWidget::setData(const QJsonObject& catalogue, bool loaded)
{
    // The slot tapped for this opening holds until the page closes: data
    // arriving meanwhile does not move it, and an offline page keeps it for
    // a channel of one's own.
    if (isHidden()) {
        m_slot = QJsonObject{{QStringLiteral("page"), catalogue.value(QStringLiteral("page")).toInt()},
                             {QStringLiteral("index"), catalogue.value(QStringLiteral("index")).toInt()}};
    }
    const QJsonArray sections = catalogue.value(QStringLiteral("data")).toArray();
    if (!loaded && sections.isEmpty()) {
        qDebug() << "NxAddChannelListWidget::setData" << "catalogue not loaded";
        showFailure(true);
        return;
    }
    showFailure(false);
    // The first catalogue always builds; a later one builds again when its
    // groups differ, also in content alone (a group a later answer filled).
    const bool same = m_built && sections == m_catalogue.value(QStringLiteral("data")).toArray();
    m_catalogue = catalogue;
    if (same)
        return;
    m_built = true;
    buildSections(sections);
}

void NxAddChannelListWidget::buildSections(const QJsonArray& sections)
{
    clearSections();
    int height = qMax(0, int(m_scale * (24 * sections.size() - 24)));
    for (int i = 0; i < sections.size(); ++i) {
        const QJsonObject section = sections.at(i).toObject();
        auto* widget = new NxChannelListConentWidget(m_content);
        widget->setControlManager(m_controlManager);
        widget->setData(section.value(QStringLiteral("title")).toString(),
                        section.value(QStringLiteral("data")).toArray());
        connect(widget, SIGNAL(sigChannelItemClicked(QJsonObject)), this, SLOT(slotShowBrief(QJsonObject)));
        m_sections.insert(i, widget);
        m_contentLayout->addWidget(widget);
        height += widget->getContentHeight();
    }
    m_contentLayout->addStretch();
    m_content->setFixedSize(px(1284), height);
}

void NxAddChannelListWidget::clearSections()
{
    for (QWidget* section : qAsConst(m_sections)) {
        section->hide();
        section->deleteLater();
    }
    m_sections.clear();
    while (QLayoutItem* item = m_contentLayout->takeAt(0))
        delete item;
}

void NxAddChannelListWidget::showFailure(bool shown)
{
    m_scrollArea->setVisible(!shown);
    if (!shown) {
        if (m_failPicture) {
            m_failPicture->hide();
            m_failText->hide();
        }
        return;
    }
    if (!m_failPicture) {
        m_failPicture = new QLabel(m_background);
        m_failPicture->setObjectName(QStringLiteral("failPicture"));
        m_failPicture->setFixedSize(px(242), px(161));
        m_failPicture->setPixmap(QPixmap(QStringLiteral(":/images/ID_LOAD_FAILED_PIC.png"))
                                     .scaled(m_failPicture->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
        m_failText = new QLabel(tr("ID_LOAD_FAILED"), m_background);
        m_failText->setObjectName(QStringLiteral("failText"));
        m_failText->setAlignment(Qt::AlignCenter);
        m_failText->setMinimumSize(px(242), px(26));
        m_failText->setStyleSheet(QStringLiteral("QLabel{font-family:Microsoft YaHei;font-size:%1px;color:#FFFFFF;"
                                                 "background:transparent;}")
                                      .arg(px(20)));
    }
    // The text may be wider than the picture in a language; both stay centred.
    m_failText->adjustSize();
    const QPoint centre = rect().center();
    m_failPicture->move(centre.x() - m_failPicture->width() / 2, centre.y() - m_failPicture->height() / 2);
    m_failText->move(centre.x() - m_failText->width() / 2, m_failPicture->y() + px(185));
    m_failPicture->show();
    m_failText->show();
    m_failPicture->raise();
    m_failText->raise();
}

void NxAddChannelListWidget::setChannelsStatus(const QMap<QString, QJsonObject>& added)
{
    for (QWidget* section : qAsConst(m_sections))
        static_cast<NxChannelListConentWidget*>(section)->renewChannelStatus(added);
    m_addedChannels = QJsonArray();
    for (const QJsonObject& channel : added)
        m_addedChannels.append(channel);
}

void NxAddChannelListWidget::slotShowBrief(QJsonObject json)
{
    auto* brief = new NxChannelBriefDialog(this);
    brief->setControlManager(m_controlManager);
    brief->setChannel(json);
    connect(brief, SIGNAL(sigPlayVideo(QJsonObject)), this, SLOT(slotPlayChannelContent(QJsonObject)));
    connect(brief, SIGNAL(sigAddChannel(QJsonObject)), this, SLOT(slotAddChannel(QJsonObject)));
    brief->show();
}

void NxAddChannelListWidget::slotCustomButtonClicked()
{
    auto* dialog = new NxAddChannelDialog(this, m_scale);
    dialog->setData(m_addedChannels);
    connect(dialog, SIGNAL(AddCustomChannel(QJsonObject)), this, SLOT(slotAddChannel(QJsonObject)));
    dialog->show();
}

void NxAddChannelListWidget::slotPlayChannelContent(QJsonObject json)
{
    emit sigPlayChannelContent(json);
}

void NxAddChannelListWidget::slotAddChannel(QJsonObject json)
{
    json.insert(QStringLiteral("page"), m_slot.value(QStringLiteral("page")).toInt());
    json.insert(QStringLiteral("index"), m_slot.value(QStringLiteral("index")).toInt());
    // An own channel shows its small cover on the home slot; a catalogue
    // channel has none and keeps its own picture.
    const QString small = json.value(QStringLiteral("pic_small")).toString();
    if (!small.isEmpty())
        json.insert(QStringLiteral("image"), small);
    emit sigAddChannel(json);
    emit sigReturn();
}

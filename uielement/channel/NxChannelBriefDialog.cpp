#include "NxChannelBriefDialog.h"

#include "NxChannelWidget.h"
#include "NxScale.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

NxChannelBriefDialog::NxChannelBriefDialog(QWidget* parent)
    : NxCommonDialogEffect(parent, 1.0)
    , m_scale(scaleFactor())
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(px(1035), px(615));
    setCenterWidget(buildContent());
}

int NxChannelBriefDialog::px(double design) const
{
    return NxScale::px(design, m_scale);
}

QWidget* NxChannelBriefDialog::buildContent()
{
    auto* background = new QWidget(this);
    background->setObjectName(QStringLiteral("briefdialog"));
    background->setAttribute(Qt::WA_StyledBackground);
    background->setStyleSheet(
        QStringLiteral("QWidget#briefdialog{border:none;border-image:url(:/images/ID_CUSTOMDIALOG_PIC.png);}"));

    m_picture = new NxChannelWidget(background);
    m_picture->setObjectName(QStringLiteral("briefPicture"));
    m_picture->setFixedSize(px(304), px(304));

    auto* body = new QHBoxLayout;
    body->setContentsMargins(px(64), 0, px(64), 0);
    body->setSpacing(px(40));
    body->addWidget(m_picture, 0, Qt::AlignTop);
    body->addLayout(buildTextColumn(background), 1);

    auto* column = new QVBoxLayout(background);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(buildCloseRow(background));
    column->addStretch();
    column->addLayout(body);
    column->addStretch();
    column->addSpacing(px(42));
    return background;
}

QWidget* NxChannelBriefDialog::buildCloseRow(QWidget* parent)
{
    auto* row = new QWidget(parent);
    m_closeButton = new QPushButton(row);
    m_closeButton->setObjectName(QStringLiteral("briefClose"));
    m_closeButton->setFixedSize(px(18), px(18));
    m_closeButton->setCursor(Qt::PointingHandCursor);
    m_closeButton->setFocusPolicy(Qt::NoFocus);
    m_closeButton->setStyleSheet(QStringLiteral("QPushButton{border:none;background:transparent;"
                                                "border-image:url(:/images/ID_LIVE_CLOSE.png);}"));
    connect(m_closeButton, SIGNAL(clicked()), this, SLOT(close()));
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, px(24), px(24), 0);
    layout->addStretch();
    layout->addWidget(m_closeButton);
    return row;
}

QLayout* NxChannelBriefDialog::buildTextColumn(QWidget* parent)
{
    m_name = new QLabel(parent);
    m_name->setObjectName(QStringLiteral("briefName"));
    m_name->setMinimumWidth(px(96));
    m_name->setFixedHeight(px(31));
    m_name->setStyleSheet(QStringLiteral("QLabel{font-family:Microsoft YaHei;font-size:%1px;color:#FFFFFF;"
                                         "background:transparent;}")
                              .arg(px(24)));

    m_intro = new QTextEdit(parent);
    m_intro->setObjectName(QStringLiteral("briefIntro"));
    m_intro->setReadOnly(true);
    m_intro->setFrameShape(QFrame::NoFrame);
    m_intro->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_intro->setTextInteractionFlags(Qt::NoTextInteraction);
    m_intro->setContextMenuPolicy(Qt::NoContextMenu);
    m_intro->setFocusPolicy(Qt::NoFocus);
    m_intro->document()->setDocumentMargin(0);
    m_intro->setStyleSheet(QStringLiteral("QTextEdit{font-family:Microsoft YaHei;font-size:%1px;color:#FEFEFE;"
                                          "background:transparent;border:none;}")
                               .arg(px(18)));

    const QString buttonSheet = QStringLiteral("QPushButton{%1border:none;border-radius:%2px;"
                                               "font-family:Microsoft YaHei;font-size:%3px;color:%4;}");
    m_playButton = new QPushButton(parent);
    m_playButton->setObjectName(QStringLiteral("briefPlay"));
    m_playButton->setFixedSize(px(180), px(40));
    m_playButton->setCursor(Qt::PointingHandCursor);
    m_playButton->setFocusPolicy(Qt::NoFocus);
    m_playButton->setStyleSheet(buttonSheet
                                    .arg(QStringLiteral("background:qlineargradient(x1:0,y1:0,x2:0,y2:1,"
                                                        "stop:0 rgba(73,83,219,1),stop:1 rgba(95,87,252,1));"))
                                    .arg(px(20))
                                    .arg(px(20))
                                    .arg(QStringLiteral("#FFFFFF")));
    connect(m_playButton, SIGNAL(clicked()), this, SLOT(slotPlayButtonClicked()));

    m_addButton = new QPushButton(parent);
    m_addButton->setObjectName(QStringLiteral("briefAdd"));
    m_addButton->setFixedSize(px(180), px(40));
    m_addButton->setCursor(Qt::PointingHandCursor);
    m_addButton->setFocusPolicy(Qt::NoFocus);
    // A smaller font than the play button's: its texts are the longer ones.
    m_addButton->setProperty("buttonSheet", buttonSheet.arg(QStringLiteral("background-color:#3A4144;"))
                                                .arg(px(20))
                                                .arg(px(18)));
    connect(m_addButton, SIGNAL(clicked()), this, SLOT(slotAddButtonClicked()));

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(px(24));
    buttons->addWidget(m_playButton);
    buttons->addWidget(m_addButton);
    buttons->addStretch();

    auto* column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_name);
    column->addSpacing(px(20));
    column->addWidget(m_intro, 1);
    column->addSpacing(px(24));
    column->addLayout(buttons);
    return column;
}

void NxChannelBriefDialog::setControlManager(INxControllerManager* mgr)
{
    m_picture->setControlManager(mgr);
    // A channel given first still gets its own picture.
    if (!m_channel.isEmpty())
        m_picture->renewItem(m_picture->getData());
}

void NxChannelBriefDialog::setChannel(const QJsonObject& channel)
{
    m_channel = channel;
    m_picture->setItem(channel);
    m_picture->setJsonName();

    const QString name = channel.value(QStringLiteral("name")).toString();
    m_name->ensurePolished();
    const int room = width() - px(64) * 2 - px(304) - px(40);
    m_name->setText(m_name->fontMetrics().elidedText(name, Qt::ElideRight, room));
    m_intro->setPlainText(channel.value(QStringLiteral("intro")).toString());

    const bool web = channel.value(QStringLiteral("channelType")).toString() == QLatin1String("web");
    m_playButton->setText(web ? tr("ID_OPEN_CHANNEL") : tr("ID_PLAY"));
    const QString sheet = m_addButton->property("buttonSheet").toString();
    m_addButton->setText(isAdded() ? tr("ID_ADDED") : tr("ID_ADD_TO_MAINPAGE"));
    m_addButton->setStyleSheet(sheet.arg(isAdded() ? QStringLiteral("rgba(255,255,255,0.4)") : QStringLiteral("#FFFFFF")));
    m_addButton->setCursor(isAdded() ? Qt::ArrowCursor : Qt::PointingHandCursor);
}

bool NxChannelBriefDialog::isAdded() const
{
    return m_channel.value(QStringLiteral("isAdd")).toBool();
}

void NxChannelBriefDialog::slotPlayButtonClicked()
{
    emit sigPlayVideo(m_channel);
    close();
}

void NxChannelBriefDialog::slotAddButtonClicked()
{
    if (isAdded())
        return;
    m_channel.insert(QStringLiteral("isAdd"), true);
    m_channel.insert(QStringLiteral("from"), QStringLiteral("local"));
    emit sigAddChannel(m_channel);
    close();
}

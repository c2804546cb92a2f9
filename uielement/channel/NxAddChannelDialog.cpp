#include "NxAddChannelDialog.h"

#include "NxScale.h"
#include "NxToolTipHelp.h"
#include "NxWebAddress.h"

#include <QButtonGroup>
#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegExp>
#include <QRegExpValidator>
#include <QUuid>
#include <QVBoxLayout>

namespace {

const int kCoverCount = 5;
const int kNameLength = 8;
const int kFieldWidth = 384;

// Every printable ASCII character but the blank: what a browser takes in an
// address. A narrower set would refuse quotes, braces and bars.
const char kAddressCharacters[] = "^[!-~]+$";

const char kUrlPattern[] = "([Hh][Tt][Tt][Pp]|[Hh][Tt][Tt][Pp][Ss])://(([A-Za-z0-9-~]+).)+([A-Za-z0-9-~\\/])+$";

} // namespace

NxAddChannelDialog::NxAddChannelDialog(QWidget* parent, double scale)
    : NxCommonDialogEffect(parent, scale)
    , m_scale(scaleFactor())
{
    for (int cover = 1; cover <= kCoverCount; ++cover) {
        for (const char* size : {"SMALL", "MIDDLE", "LARGE"})
            m_covers << QStringLiteral(":/images/customcover/ID_DEFAULT_BACKGROUND_%1_%2.png").arg(cover).arg(QLatin1String(size));
    }
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(px(908), px(540));
    setCenterWidget(buildContent());
}

int NxAddChannelDialog::px(double design) const
{
    return NxScale::px(design, m_scale);
}

QWidget* NxAddChannelDialog::buildContent()
{
    auto* background = new QWidget(this);
    background->setObjectName(QStringLiteral("cusdlg"));
    background->setAttribute(Qt::WA_StyledBackground);
    background->setStyleSheet(
        QStringLiteral("QWidget#cusdlg{border:none;border-image:url(:/images/ID_CUSTOMDIALOG_PIC.png);}"));

    m_nameEdit = createEdit(background, QStringLiteral("nameEdit"), tr("ID_NAMEEDIT_DEFAULT"));
    m_nameEdit->setMaxLength(kNameLength);
    m_urlEdit = createEdit(background, QStringLiteral("urlEdit"), tr("ID_ADDRESSEDIT_DEFAULT"));
    m_urlEdit->setValidator(new QRegExpValidator(QRegExp(QLatin1String(kAddressCharacters)), m_urlEdit));
    m_urlEdit->setText(QStringLiteral("https://www."));

    auto* column = new QVBoxLayout(background);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addSpacing(px(40));
    column->addLayout(buildTitleRow(background));
    column->addSpacing(px(72));
    column->addLayout(buildFieldRow(background, QStringLiteral("nameCaption"), tr("ID_CHANNEL_NAME"), m_nameEdit, true));
    column->addSpacing(px(49));
    column->addLayout(buildFieldRow(background, QStringLiteral("urlCaption"), tr("ID_CHANNEL_URL"), m_urlEdit, true));
    column->addSpacing(px(52));
    column->addLayout(buildFieldRow(background, QStringLiteral("coverCaption"), tr("ID_CHANNEL_COVER"), buildCovers(background), false));
    column->addSpacing(px(42));
    column->addStretch();
    column->addLayout(buildButtons(background));
    column->addSpacing(px(89));
    return background;
}

QLayout* NxAddChannelDialog::buildTitleRow(QWidget* parent)
{
    auto* title = new QLabel(tr("ID_ADD_CUSTOMCHANNEL"), parent);
    title->setObjectName(QStringLiteral("titleLabel"));
    title->setAlignment(Qt::AlignCenter);
    // The design's width, or the translation's where it is longer.
    title->setMinimumWidth(px(120));
    title->setFixedHeight(px(31));
    title->setStyleSheet(QStringLiteral("QLabel{font-family:Microsoft YaHei;font-size:%1px;color:#FFFFFF;"
                                        "background:transparent;}")
                             .arg(px(24)));

    auto* close = new QPushButton(parent);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setFixedSize(px(18), px(18));
    close->setCursor(Qt::PointingHandCursor);
    close->setFocusPolicy(Qt::NoFocus);
    close->setStyleSheet(QStringLiteral("QPushButton{border:none;background:transparent;"
                                        "border-image:url(:/images/ID_LIVE_CLOSE.png);}"));
    connect(close, SIGNAL(clicked()), this, SLOT(slotCancelbuttonClicked()));

    // The title stays centred: the close button's width is balanced on the left.
    auto* row = new QHBoxLayout;
    row->setContentsMargins(px(40), 0, px(40), 0);
    row->addSpacing(px(18));
    row->addStretch();
    row->addWidget(title);
    row->addStretch();
    row->addWidget(close, 0, Qt::AlignTop);
    return row;
}

QLayout* NxAddChannelDialog::buildFieldRow(QWidget* parent, const QString& objectName, const QString& text,
                                           QWidget* field, bool underline)
{
    auto* caption = new QLabel(parent);
    caption->setObjectName(objectName);
    caption->setFixedSize(px(85), px(24));
    caption->setTextFormat(Qt::RichText);
    caption->setStyleSheet(QStringLiteral("QLabel{font-family:Microsoft YaHei;font-size:%1px;background:transparent;}")
                               .arg(px(18)));
    caption->setText(QStringLiteral("<font color=\"white\"><span style=\"color:#F13B3B\">*</span>%1</font>")
                         .arg(text.toHtmlEscaped()));

    auto* fieldColumn = new QVBoxLayout;
    fieldColumn->setContentsMargins(0, 0, 0, 0);
    fieldColumn->setSpacing(px(8));
    fieldColumn->addWidget(field);
    if (underline) {
        auto* bar = new QWidget(parent);
        bar->setObjectName(QStringLiteral("underline"));
        bar->setAttribute(Qt::WA_StyledBackground);
        bar->setFixedSize(px(kFieldWidth), qMax(1, px(2)));
        bar->setStyleSheet(QStringLiteral("QWidget#underline{background-color:rgba(255,255,255,0.20);}"));
        fieldColumn->addWidget(bar);
    }

    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(px(24));
    row->addStretch();
    row->addWidget(caption, 0, Qt::AlignTop);
    row->addLayout(fieldColumn);
    row->addStretch();
    return row;
}

QLineEdit* NxAddChannelDialog::createEdit(QWidget* parent, const QString& objectName, const QString& placeholder)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setFixedSize(px(kFieldWidth), px(24));
    edit->setFrame(false);
    edit->setPlaceholderText(placeholder);
    edit->setStyleSheet(QStringLiteral("QLineEdit{font-family:Microsoft YaHei;font-size:%1px;color:#FFFFFF;"
                                       "background:transparent;border:none;padding:0px;}")
                            .arg(px(18)));
    QPalette palette = edit->palette();
    palette.setColor(QPalette::PlaceholderText, QColor(255, 255, 255, 102));
    edit->setPalette(palette);
    return edit;
}

QWidget* NxAddChannelDialog::buildCovers(QWidget* parent)
{
    auto* covers = new QWidget(parent);
    covers->setObjectName(QStringLiteral("covers"));
    covers->setFixedWidth(px(kFieldWidth));
    auto* row = new QHBoxLayout(covers);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(px(11));
    m_coverGroup = new QButtonGroup(this);
    m_coverGroup->setExclusive(true);
    for (int id = 0; id < kCoverCount; ++id) {
        auto* button = new QPushButton(covers);
        button->setObjectName(QStringLiteral("cover%1").arg(id + 1));
        button->setCheckable(true);
        button->setFixedSize(px(64), px(64));
        button->setCursor(Qt::PointingHandCursor);
        button->setFocusPolicy(Qt::NoFocus);
        button->setStyleSheet(QStringLiteral("QPushButton{border:none;background:transparent;"
                                             "border-image:url(:/images/customcover/ID_DEFAULT_BACKGROUND_%1.png);}"
                                             "QPushButton:checked{border-image:url("
                                             ":/images/customcover/ID_DEFAULT_BACKGROUND_%1_SELECTED.png);}")
                                  .arg(id + 1));
        m_coverGroup->addButton(button, id);
        row->addWidget(button);
    }
    row->addStretch();
    m_coverGroup->button(0)->setChecked(true);
    connect(m_coverGroup, SIGNAL(idClicked(int)), this, SLOT(slotCoverButtonClicked(int)));
    return covers;
}

QLayout* NxAddChannelDialog::buildButtons(QWidget* parent)
{
    QPushButton* cancel = createButton(parent, QStringLiteral("cancelButton"), tr("ID_CANCEL"),
                                       QStringLiteral("background-color:#3A4144;"));
    QPushButton* ok = createButton(parent, QStringLiteral("okButton"), tr("ID_OK"),
                                   QStringLiteral("background:qlineargradient(x1:0,y1:0,x2:0,y2:1,"
                                                  "stop:0 rgba(73,83,219,1),stop:1 rgba(95,87,252,1));"));
    connect(cancel, SIGNAL(clicked()), this, SLOT(slotCancelbuttonClicked()));
    connect(ok, SIGNAL(clicked()), this, SLOT(slotOkbuttonClicked()));
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(px(40));
    row->addStretch();
    row->addWidget(cancel);
    row->addWidget(ok);
    row->addStretch();
    return row;
}

QPushButton* NxAddChannelDialog::createButton(QWidget* parent, const QString& objectName, const QString& text,
                                              const QString& background)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    button->setFixedSize(px(124), px(40));
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    button->setStyleSheet(QStringLiteral("QPushButton{%1border:none;border-radius:%2px;"
                                         "font-family:Microsoft YaHei;font-size:%3px;color:#FFFFFF;}")
                              .arg(background)
                              .arg(px(20))
                              .arg(px(20)));
    return button;
}

void NxAddChannelDialog::setData(const QJsonArray& channels)
{
    m_urls.clear();
    m_names.clear();
    for (const QJsonValue& value : channels) {
        const QJsonObject channel = value.toObject();
        m_urls.append(channel.value(QStringLiteral("url")).toString());
        m_names.append(channel.value(QStringLiteral("name")).toString());
    }
    qDebug() << "NxAddChannelDialog::setData" << m_urls << m_names;
}

bool NxAddChannelDialog::isUrlLegal(QString& url)
{
    const QRegExpValidator validator(QRegExp(QLatin1String(kUrlPattern), Qt::CaseSensitive));
    int pos = 0;
    return validator.validate(url, pos) == QValidator::Acceptable;
}

QString NxAddChannelDialog::createUUID()
{
    return QUuid::createUuid().toString().remove(QLatin1Char('{')).remove(QLatin1Char('}')).remove(QLatin1Char('-'));
}

void NxAddChannelDialog::slotCoverButtonClicked(int id)
{
    qDebug() << "NxAddChannelDialog::slotCoverButtonClicked" << id;
    m_coverOffset = 3 * id;
}

QString NxAddChannelDialog::inputError(const QString& name, QString url) const
{
    if (name.isEmpty())
        return tr("ID_NAME_ILLEGAL");
    if (url.isEmpty())
        return tr("ID_INFO_INCOMPLETE");
    if (m_names.contains(name))
        return tr("ID_ADD_ERROR_BY_NAME");
    if (m_urls.contains(url))
        return tr("ID_ADD_EEROR_BY_REPEATATION");
    // The product's pattern, and what the browser will be able to open.
    const NxWebAddress address(url);
    if (!isUrlLegal(url) || !address.isValid())
        return address.refusal();
    return QString();
}

QJsonObject NxAddChannelDialog::newChannel(const QString& name, const QString& url) const
{
    return {{QStringLiteral("ID"), QStringLiteral("ID_CHANNEL")},
            {QStringLiteral("channelid"), createUUID()},
            {QStringLiteral("name"), name},
            {QStringLiteral("from"), QStringLiteral("local")},
            {QStringLiteral("url"), url},
            {QStringLiteral("pic_small"), m_covers.value(m_coverOffset)},
            {QStringLiteral("pic_middle"), m_covers.value(m_coverOffset + 1)},
            {QStringLiteral("pic_large"), m_covers.value(m_coverOffset + 2)}};
}

void NxAddChannelDialog::slotOkbuttonClicked()
{
    const QString name = m_nameEdit->text().trimmed();
    const QString url = m_urlEdit->text();
    const QString error = inputError(name, url);
    if (!error.isEmpty()) {
        qDebug() << "NxAddChannelDialog::slotOkbuttonClicked" << "refused" << error;
        NxToolTipHelp::Instance().setMesseage(error);
        return;
    }
    m_channel = newChannel(name, url);
    emit AddCustomChannel(m_channel);
    close();
}

void NxAddChannelDialog::slotCancelbuttonClicked()
{
    close();
}

#include "NxChannelListWidget.h"

#include "NxAddChannelDialog.h"
#include "NxConfig.h"
#include "NxGridWidget.h"
#include "NxPictureBackground.h"
#include "NxScale.h"
#include "NxToolTipHelp.h"

#include <QDebug>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

NxChannelListWidget::NxChannelListWidget(bool supportAdd, bool storeOnWeb, bool splitByFrom, QWidget* parent)
    : QWidget(parent)
    , m_supportAdd(supportAdd)
    , m_storeOnWeb(storeOnWeb)
    , m_splitByFrom(splitByFrom)
    , m_scale(NxScale::appFactor())
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        m_desktop = screen->availableGeometry();
    setFixedSize(m_desktop.size());
    // A tap on the page itself takes the focus, which closes a delete overlay.
    setFocusPolicy(Qt::ClickFocus);
    buildPage();
}

int NxChannelListWidget::px(double design) const
{
    return NxScale::px(design, m_scale);
}

void NxChannelListWidget::buildPage()
{
    auto* background = new NxPictureBackground(QStringLiteral(":/images/ID_BACKGROUND_PIC.png"), this);
    background->setObjectName(QStringLiteral("backwidget"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(background);

    m_title = new QLabel(background);
    m_title->setObjectName(QStringLiteral("titleLabel"));
    m_title->setStyleSheet(QStringLiteral("QLabel{font-family:Microsoft YaHei;font-size:%1px;color:#FFFFFF;"
                                          "background:transparent;}")
                               .arg(m_scale < 1.0 ? px(40) : px(42)));
    auto* titleRow = new QHBoxLayout;
    titleRow->setContentsMargins(px(24), 0, 0, 0);
    titleRow->addWidget(m_title);
    titleRow->addStretch();

    m_grid = new NxGridWidget(true, background);
    m_grid->setFixedSize(px(1284), px(630));
    m_grid->setNeedCheckNetwork(m_storeOnWeb);
    m_grid->setSupportAdd(m_supportAdd);
    connect(m_grid, SIGNAL(sigDelChannel(bool,QJsonObject)), this, SLOT(slotDelChannel(bool,QJsonObject)));
    connect(m_grid, SIGNAL(sigChannelAdded(QJsonObject)), this, SIGNAL(sigChannelAdded(QJsonObject)));
    connect(m_grid, SIGNAL(sigChannelItemClicked(QJsonObject)), this, SIGNAL(sigChannelItemClicked(QJsonObject)));
    connect(m_grid, SIGNAL(sigAddCustomChannel()), this, SLOT(slotAddCustomChannel()));

    auto* returnRow = new QHBoxLayout;
    returnRow->setContentsMargins(0, 0, 0, 0);
    returnRow->addStretch();
    QPushButton* returnButton = createReturnButton(background, m_scale);
    connect(returnButton, SIGNAL(clicked()), this, SIGNAL(sigReturn()));
    returnRow->addWidget(returnButton);

    auto* column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addSpacing(px(150));
    column->addLayout(titleRow);
    column->addSpacing(px(44));
    column->addWidget(m_grid);
    column->addStretch();
    column->addLayout(returnRow);
    column->addSpacing(px(62));

    auto* centred = new QHBoxLayout(background);
    centred->setContentsMargins(0, 0, 0, 0);
    centred->addStretch();
    centred->addLayout(column);
    centred->addStretch();
}

QPushButton* NxChannelListWidget::createReturnButton(QWidget* parent, double scale)
{
    const auto px = [scale](double design) { return NxScale::px(design, scale); };
    auto* button = new QPushButton(QIcon(QStringLiteral(":/images/ID_BACK.png")), tr("ID_ROLLBACK"), parent);
    button->setObjectName(QStringLiteral("returnButton"));
    button->setFixedSize(px(98), px(48));
    button->setIconSize(QSize(px(22), px(22)));
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    button->setStyleSheet(QStringLiteral("QPushButton{background-color:rgba(0,0,0,20);border:none;border-radius:%1px;"
                                         "font-family:Microsoft YaHei;font-size:%2px;color:#FFFFFF;}")
                              .arg(px(24))
                              .arg(scale < 0.8 ? 12 : px(18)));
    return button;
}

void NxChannelListWidget::setParam(int width, int height, int tileWidth, int tileHeight, int rows, int columns)
{
    m_grid->setBaseParam(width, height, tileWidth, tileHeight, rows, columns);
}

void NxChannelListWidget::setData(QJsonArray first, QJsonArray second, bool loaded)
{
    if (m_splitByFrom) {
        // A new list replaces the old one rather than piling onto it.
        m_webChannels = QJsonArray();
        m_localChannels = QJsonArray();
        for (const QJsonValue& value : qAsConst(first)) {
            const QString from = value.toObject().value(QStringLiteral("from")).toString();
            if (from == QLatin1String("web"))
                m_webChannels.append(value);
            else if (from == QLatin1String("local"))
                m_localChannels.append(value);
        }
    } else {
        m_webChannels = first;
        m_localChannels = second;
    }
    QJsonArray all = first;
    for (const QJsonValue& value : qAsConst(second))
        all.append(value);
    m_grid->setData(all, loaded);
}

QJsonArray NxChannelListWidget::getWebData() const
{
    return m_webChannels;
}

QJsonArray NxChannelListWidget::getLocalData() const
{
    return m_localChannels;
}

void NxChannelListWidget::setTitle(QString title)
{
    m_title->setText(title);
}

void NxChannelListWidget::showList(bool loaded)
{
    show();
    if (!loaded)
        NxToolTipHelp::Instance().setMesseage(tr("ID_GET_CHANNEL_FAILED"));
}

void NxChannelListWidget::setControlManager(INxControllerManager* mgr)
{
    m_controlManager = mgr;
    m_grid->setControlManager(mgr);
}

void NxChannelListWidget::setChannelAddDelResult(bool bAdd, int nResult, QString id)
{
    qDebug() << "NxChannelListWidget::setChannelAddDelResult"
             << "is bAdd" << bAdd << "nResult" << nResult << "id" << id;
    if (!bAdd) {
        if (nResult != 0)
            NxToolTipHelp::Instance().setMesseage(tr("ID_DEL_CHANNEL_FAILED"));
        deletionAnswered(nResult == 0, id);
        return;
    }
    if (nResult != 0)
        NxToolTipHelp::Instance().setMesseage(id.isEmpty() ? tr("ID_ADD_CHANNEL_FAILED") : id);
    else
        addedOnCloud(id);
    m_pendingAdd = QJsonObject();
}

void NxChannelListWidget::addedOnCloud(const QString& id)
{
    if (m_pendingAdd.isEmpty()) {
        qDebug() << "NxChannelListWidget::setChannelAddDelResult" << "no addition pending, answer ignored";
        return;
    }
    m_pendingAdd.insert(QStringLiteral("channelid"), id);
    // The picture itself, as for an addition on this panel.
    m_pendingAdd.insert(QStringLiteral("image"), m_pendingAdd.value(QStringLiteral("pic_large")));
    m_localChannels.append(m_pendingAdd);
    m_grid->addChannel(m_pendingAdd, false);
}

// Each answer settles the deletions it names; one naming none settles the
// oldest. A refused deletion leaves its tile where it is.
void NxChannelListWidget::deletionAnswered(bool deleted, const QString& ids)
{
    QStringList named = ids.split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (named.isEmpty() && !m_pendingDeletes.isEmpty())
        named << m_pendingDeletes.first().value(QStringLiteral("channelid")).toVariant().toString();
    for (const QString& id : qAsConst(named)) {
        const auto pending = std::find_if(m_pendingDeletes.begin(), m_pendingDeletes.end(), [&id](const QJsonObject& json) {
            return json.value(QStringLiteral("channelid")).toVariant().toString() == id;
        });
        if (pending == m_pendingDeletes.end()) {
            qDebug() << "NxChannelListWidget::setChannelAddDelResult" << "no deletion pending for" << id;
            continue;
        }
        const QString url = pending->value(QStringLiteral("url")).toString();
        m_pendingDeletes.erase(pending);
        if (!deleted) {
            m_grid->deleteChannelFailed(id);
            continue;
        }
        m_grid->deleteChannelSucess(id);
        removeLocalByUrl(url);
    }
}

void NxChannelListWidget::slotAddCustomChannel()
{
    // Application-modal already; shown rather than run in a loop of its own,
    // so the tap that opened it finishes first.
    auto* dialog = new NxAddChannelDialog(this, m_scale);
    dialog->setData(m_localChannels);
    connect(dialog, SIGNAL(AddCustomChannel(QJsonObject)), this, SLOT(slotDoAddChannel(QJsonObject)));
    dialog->show();
}

void NxChannelListWidget::slotDoAddChannel(QJsonObject json)
{
    m_pendingAdd = json;
    if (m_storeOnWeb) {
        if (NxConfig::getInstance()->getNetworkStatus()) {
            emit sigChannelAdded(m_pendingAdd);
            return;
        }
        NxToolTipHelp::Instance().setMesseage(tr("ID_ADD_ERROR_BY_NET"));
        m_pendingAdd = QJsonObject();
        return;
    }
    m_pendingAdd.insert(QStringLiteral("image"), m_pendingAdd.value(QStringLiteral("pic_large")));
    m_grid->addChannel(m_pendingAdd, true);
    m_localChannels.append(m_pendingAdd);
    m_pendingAdd = QJsonObject();
}

void NxChannelListWidget::slotDelChannel(bool bLocal, QJsonObject json)
{
    emit sigDelChannel(json);
    if (bLocal)
        removeLocalByUrl(json.value(QStringLiteral("url")).toString());
    else
        m_pendingDeletes.append(json);
}

void NxChannelListWidget::removeLocalByUrl(const QString& url)
{
    for (int i = m_localChannels.size() - 1; i >= 0; --i) {
        const QString candidate = m_localChannels.at(i).toObject().value(QStringLiteral("url")).toString();
        if (candidate.compare(url, Qt::CaseInsensitive) == 0)
            m_localChannels.removeAt(i);
    }
}

#include "TavomcPresenterMainWgt.h"

#include "INxControllerManager.h"
#include "INxNetWorkChecker.h"
#include "INxNetWorkManager.h"
#include "INxWebCommandController.h"
#include "INxWindows.h"
#include "NxConfig.h"
#include "NxPlatform.h"

#include <QCoreApplication>
#include <QDebug>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QVBoxLayout>

TavomcPresenterMainWgt::TavomcPresenterMainWgt(INxControllerManager* controllerManager, INxNetWorkManager* networkManager,
                                               QWidget* parent)
    : QWidget(parent)
    , m_controllerManager(controllerManager)
    , m_networkManager(networkManager)
{
    m_scale = QCoreApplication::instance()->property("scalefactor").toDouble();
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowMaximizeButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    const QScreen* screen = QGuiApplication::primaryScreen();
    m_screenRect = screen ? screen->geometry() : QRect(0, 0, 1920, 1080);
    setFixedSize(m_screenRect.width(), m_screenRect.height());
    setFocusPolicy(Qt::ClickFocus);

    if (m_networkManager && (m_netChecker = m_networkManager->getNetChecker()))
        connect(m_netChecker->getObject(), SIGNAL(sglNetWorkStateChanged(bool)), this, SLOT(slotNetWorkStateChanged(bool)));
    m_webCommand = m_controllerManager ? m_controllerManager->getWebCommandCtrl() : nullptr;
    createBackground();
}

bool TavomcPresenterMainWgt::isNetworkCheckRunning() const
{
    return m_networkCheckRunning;
}

QString TavomcPresenterMainWgt::userId() const
{
    return m_userId;
}

QString TavomcPresenterMainWgt::cookie() const
{
    return m_cookie;
}

void TavomcPresenterMainWgt::notYet(const char* where)
{
    qDebug() << where << "arrives with the home page";
}

void TavomcPresenterMainWgt::createBackground()
{
    auto* back = new QWidget(this);
    back->setObjectName(QStringLiteral("BackWidget"));
    back->setFixedSize(m_screenRect.size());
    back->setStyleSheet(QStringLiteral("QWidget#BackWidget{border:none; border-image:url(:/images/ID_BACKGROUND.jpg)}"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(back);
}

void TavomcPresenterMainWgt::startNetworkCheck()
{
    m_networkCheckRunning = true;
    if (!m_netChecker)
        return;
    connect(m_netChecker->getObject(), SIGNAL(sglResultNetWorkCheck(bool, QString)), this,
            SLOT(slotResultNetWorkCheck(bool, QString)));
    m_netChecker->startCheck(QStringLiteral("openUrl"), QStringLiteral("ClickedLoginButton"));
}

void TavomcPresenterMainWgt::slotResultNetWorkCheck(bool bStatus, QString)
{
    m_networkCheckRunning = false;
    if (m_netChecker)
        disconnect(m_netChecker->getObject(), SIGNAL(sglResultNetWorkCheck(bool, QString)), this,
                   SLOT(slotResultNetWorkCheck(bool, QString)));
    NxConfig::getInstance()->setNetworkStatus(bStatus);
    qDebug() << "TavomcPresenterMainWgt::slotResultNetWorkCheck" << bStatus;
}

void TavomcPresenterMainWgt::slotNetWorkStateChanged(bool bNetStatus)
{
    NxConfig::getInstance()->setNetworkStatus(bNetStatus);
}

void TavomcPresenterMainWgt::slotChannelItemClicked(QJsonObject json)
{
    qDebug() << "TavomcPresenterMainWgt::slotChannelItemClicked" << json;
    const QString id = json.value(QStringLiteral("ID")).toString();
    if (id == QLatin1String("ID_TAVO_CHANNEL") || id == QLatin1String("ID_TAVO_CHANNEL_MORE")) {
        emit sigUserActionVelmar();
    } else if (id == QLatin1String("ID_LIVE")) {
        emit sigLive();
    } else if (id == QLatin1String("ID_TV")) {
        emit sigUserActionTVList();
    } else if (id == QLatin1String("ID_MY_RESOURCE")) {
        emit sigUserActionMyResource();
        if (m_userId.isEmpty()) {
            m_loginFromToolbar = false;
            emit sigLogin();
        }
    } else if (id == QLatin1String("ID_CHANNEL")) {
        openChannel(json);
    }
}

void TavomcPresenterMainWgt::openChannel(const QJsonObject& json)
{
    qDebug() << "TavomcPresenterMainWgt::openChannel" << json.value(QStringLiteral("url")).toString();
    emit sigLoadWebPage(json.value(QStringLiteral("url")).toString(), m_cookie);
}

void TavomcPresenterMainWgt::slotToolBarClicked(QString sButtonID)
{
    if (sButtonID == tr("ID_LOGIN")) {
        m_loginFromToolbar = true;
        emit sigLogin();
    } else if (sButtonID == tr("ID_EXIT")) {
        QCoreApplication::exit(0);
    }
}

void TavomcPresenterMainWgt::slotLoginSuccess(QString uid, QString, QString casid, QImage)
{
    m_userId = uid;
    m_cookie = casid;
}

void TavomcPresenterMainWgt::slotChangeLogout()
{
    m_userId.clear();
    m_cookie.clear();
}

void TavomcPresenterMainWgt::slotQRLocation(const QPixmap&)
{
    notYet("TavomcPresenterMainWgt::slotQRLocation");
}

void TavomcPresenterMainWgt::slotRecvAddedChannelList(void*, QList<QSharedPointer<NxChannelSet> > list)
{
    qDebug() << "TavomcPresenterMainWgt::slotRecvAddedChannelList" << list.size();
}

void TavomcPresenterMainWgt::slotRecvChannelList(void*, QSharedPointer<NxChannelSet> set)
{
    qDebug() << "TavomcPresenterMainWgt::slotRecvChannelList" << (set ? set->channelId() : QString());
}

void TavomcPresenterMainWgt::slotRecvChAdded(void*, int iResult, QString id)
{
    qDebug() << "TavomcPresenterMainWgt::slotRecvChAdded" << iResult << id;
}

void TavomcPresenterMainWgt::slotRecvChDeleted(void*, int iResult, QString)
{
    qDebug() << "TavomcPresenterMainWgt::slotRecvChDeleted" << iResult;
}

void TavomcPresenterMainWgt::slotOpenAddChannel(QJsonObject)
{
    notYet("TavomcPresenterMainWgt::slotOpenAddChannel");
}

void TavomcPresenterMainWgt::slotAddChannelToFirstPage(QJsonObject)
{
    notYet("TavomcPresenterMainWgt::slotAddChannelToFirstPage");
}

void TavomcPresenterMainWgt::slotDelChannelFirstPage(QJsonObject)
{
    notYet("TavomcPresenterMainWgt::slotDelChannelFirstPage");
}

void TavomcPresenterMainWgt::slotCloseTVList()
{
    notYet("TavomcPresenterMainWgt::slotCloseTVList");
}

void TavomcPresenterMainWgt::slotCloseMyResourceList()
{
    notYet("TavomcPresenterMainWgt::slotCloseMyResourceList");
}

void TavomcPresenterMainWgt::slotCloseTavoMoreChannelList()
{
    notYet("TavomcPresenterMainWgt::slotCloseTavoMoreChannelList");
}

void TavomcPresenterMainWgt::slotCloseChannelList()
{
    notYet("TavomcPresenterMainWgt::slotCloseChannelList");
}

void TavomcPresenterMainWgt::slotTVChannelAdded(QJsonObject)
{
    notYet("TavomcPresenterMainWgt::slotTVChannelAdded");
}

void TavomcPresenterMainWgt::slotTVChannelDelete(QJsonObject)
{
    notYet("TavomcPresenterMainWgt::slotTVChannelDelete");
}

void TavomcPresenterMainWgt::slotMyResourceChannelAdded(QJsonObject)
{
    notYet("TavomcPresenterMainWgt::slotMyResourceChannelAdded");
}

void TavomcPresenterMainWgt::slotMyResourceChannelDelete(QJsonObject)
{
    notYet("TavomcPresenterMainWgt::slotMyResourceChannelDelete");
}

void TavomcPresenterMainWgt::slotTavoChannelAdded(QJsonObject)
{
    notYet("TavomcPresenterMainWgt::slotTavoChannelAdded");
}

void TavomcPresenterMainWgt::slotTavoChannelDelete(QJsonObject)
{
    notYet("TavomcPresenterMainWgt::slotTavoChannelDelete");
}

void TavomcPresenterMainWgt::slotUDiskStateChanged(QString name, bool remove)
{
    qDebug() << "TavomcPresenterMainWgt::slotUDiskStateChanged" << name << remove;
}

void TavomcPresenterMainWgt::slotActiveEnable(bool bEnable)
{
    qDebug() << "TavomcPresenterMainWgt::slotActiveEnable" << bEnable;
    // While another program is in front, taps must not bring the home page back.
    NxPlatform::windows()->setAcceptsActivation(winId(), bEnable);
}

#include "TavomcPresenterScenarioMain.h"

#include "INxActiveWinController.h"
#include "INxControllerManager.h"
#include "INxShell.h"
#include "INxSystemInfo.h"
#include "INxWebCommandController.h"
#include "NxChannelSet.h"
#include "NxPlatform.h"
#include "TavomcPresenterMainController.h"
#include "TavomcPresenterMainWgt.h"

#include <QCoreApplication>
#include <QDebug>
#include <QJsonDocument>
#include <QPointer>
#include <QSettings>

TavomcPresenterScenarioMain::TavomcPresenterScenarioMain(QObject* parent)
    : QObject(parent)
{
}

TavomcPresenterScenarioMain::~TavomcPresenterScenarioMain() = default;

QObject* TavomcPresenterScenarioMain::mainWindow() const
{
    return m_mainWindow;
}

QObject* TavomcPresenterScenarioMain::mainController() const
{
    return m_mainController;
}

void TavomcPresenterScenarioMain::initScenario(const QJsonObject&, INxControllerManager* controllerManager,
                                               INxNetWorkManager* networkManager)
{
    m_controllerManager = controllerManager;
    m_networkManager = networkManager;
    if (!m_mainWindow)
        m_mainWindow = new TavomcPresenterMainWgt(controllerManager, networkManager, nullptr);
    createMainContrller();
    connectSignal();
    static_cast<TavomcPresenterMainWgt*>(m_mainWindow)->startNetworkCheck();
}

void TavomcPresenterScenarioMain::createMainContrller()
{
    if (!m_mainController) {
        auto* controller = new TavomcPresenterMainController(nullptr);
        controller->setMainWindow(static_cast<QWidget*>(static_cast<TavomcPresenterMainWgt*>(m_mainWindow)));
        m_mainController = controller;
    }
    static_cast<TavomcPresenterMainController*>(m_mainController)->setControllerManager(m_controllerManager);
}

bool TavomcPresenterScenarioMain::isWired() const
{
    return m_wired;
}

void TavomcPresenterScenarioMain::wire(const QObject* sender, const char* signal, const QObject* receiver, const char* member)
{
    if (!connect(sender, signal, receiver, member)) {
        m_wired = false;
        qCritical() << "TavomcPresenterScenarioMain::connectSignal" << "not connected:" << signal << member;
    }
}

void TavomcPresenterScenarioMain::connectSignal()
{
    qRegisterMetaType<QSharedPointer<NxChannelSet>>("QSharedPointer<NxChannelSet>");
    qRegisterMetaType<QList<QSharedPointer<NxChannelSet>>>("QList<QSharedPointer<NxChannelSet> >");

    QObject* window = m_mainWindow;
    QObject* controller = m_mainController;
    wire(window, SIGNAL(sigLoadWebPage(QString, QString)), controller, SLOT(slotLoadWebPage(QString, QString)));
    wire(window, SIGNAL(sigChannelList(QString)), controller, SLOT(slotChannelList(QString)));
    wire(window, SIGNAL(sigChannelDetail()), controller, SLOT(slotChannelDetail()));
    wire(window, SIGNAL(sigLive()), controller, SLOT(slotLive()));
    wire(window, SIGNAL(sigLogin()), controller, SLOT(slotLogin()));
    wire(window, SIGNAL(sigLoginCodeHidden()), controller, SLOT(slotLoginCodeHidden()));
    wire(window, SIGNAL(sigAddChannel(QJsonObject)), controller, SLOT(slotAddChannel(QJsonObject)));
    wire(this, SIGNAL(signalUDiskStateChanged(QString, bool)), window, SIGNAL(signalUDiskStateChanged(QString, bool)));
    wire(window, SIGNAL(sigUserActionMyResource()), controller, SLOT(slotUserActionMyResource()));
    wire(window, SIGNAL(sigUserActionTVList()), controller, SLOT(slotUserActionTVList()));
    wire(window, SIGNAL(sigUserActionVelmar()), controller, SLOT(slotUserActionVelmar()));
    wire(window, SIGNAL(sigUserActionLocalChannel()), controller, SLOT(slotUserActionLocalChannel()));

    if (INxWebCommandController* web = m_controllerManager ? m_controllerManager->getWebCommandCtrl() : nullptr) {
        QObject* client = web->getObject();
        wire(client, SIGNAL(sigRecvChannelList(void*, QSharedPointer<NxChannelSet>)), window,
                SLOT(slotRecvChannelList(void*, QSharedPointer<NxChannelSet>)));
        wire(client, SIGNAL(sigRecvUserChannelList(void*, QSharedPointer<NxChannelSet>)), window,
                SLOT(slotRecvChannelList(void*, QSharedPointer<NxChannelSet>)));
        wire(client, SIGNAL(sigRecvAddedChannelList(void*, QList<QSharedPointer<NxChannelSet> >)), window,
                SLOT(slotRecvAddedChannelList(void*, QList<QSharedPointer<NxChannelSet> >)));
        wire(client, SIGNAL(sigRecvChAdded(void*, int, QString)), window, SLOT(slotRecvChAdded(void*, int, QString)));
        wire(client, SIGNAL(sigRecvChDeleted(void*, int, QString)), window, SLOT(slotRecvChDeleted(void*, int, QString)));
    }
    if (INxActiveWinController* activeWin = m_controllerManager ? m_controllerManager->getActiveWinController() : nullptr) {
        wire(window, SIGNAL(sigLocalVideoStarted(QString)), activeWin->getObject(), SLOT(slotLocalVideoStarted(QString)));
        wire(activeWin->getObject(), SIGNAL(sigActiveEnable(bool)), window, SLOT(slotActiveEnable(bool)));
    }
}

void TavomcPresenterScenarioMain::showScenario(const QJsonObject&)
{
    if (!m_mainWindow) {
        softwareUpdate();
        return;
    }
    auto* window = static_cast<TavomcPresenterMainWgt*>(m_mainWindow);
    window->show();
    if (window->firstFramePainted()) {
        softwareUpdate();
        return;
    }
    // Starting a process copies this one's page tables: not before the first frame.
    window->afterFirstFrame([scenario = QPointer<TavomcPresenterScenarioMain>(this)] {
        if (scenario)
            scenario->softwareUpdate();
    });
}

QString TavomcPresenterScenarioMain::updateCommand(const QString& programDir, const QString& registryVersion)
{
    const QJsonObject property{
        {QStringLiteral("versionInfoFilePath"), programDir + QStringLiteral("/version.ini")},
        {QStringLiteral("appname"), QStringLiteral("TavomcPresenterPro")},
        {QStringLiteral("apppath"), programDir},
        {QStringLiteral("regeditversion"), registryVersion},
        {QStringLiteral("autoupdate"), false},
        {QStringLiteral("style"), QStringLiteral("1")},
        {QStringLiteral("backPicPath"), programDir + QStringLiteral("/images/update_back_pic.png")},
    };
    const QJsonObject command{{QStringLiteral("scenario"), QStringLiteral("ID_SCENARIO_UNKNOW")},
                              {QStringLiteral("from"), QStringLiteral("ID_PC_TAVOMCPRESENTERPRO")},
                              {QStringLiteral("eventid"), QStringLiteral("ID_TAVOMCPRESENTERPRO_UPDATE_CMD")},
                              {QStringLiteral("property"), property}};
    return QString::fromLatin1(QJsonDocument(command).toJson(QJsonDocument::Indented).toBase64());
}

void TavomcPresenterScenarioMain::softwareUpdate()
{
    const QSettings registry(QSettings::NativeFormat, QSettings::SystemScope, QStringLiteral("Maplo"),
                             QStringLiteral("TavomcPresenterPro"));
    const QString version = registry.value(QStringLiteral("CurrentVersion")).toString();
    const QString dir = QCoreApplication::applicationDirPath();
    const QString updater = NxPlatform::systemInfo()->executablePath(dir, QStringLiteral("TavoSoftwareUpdate"));
    NxPlatform::shell()->startProgram(updater, updateCommand(dir, version), INxShell::Show::Normal);
}

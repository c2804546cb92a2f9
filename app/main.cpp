#include "NxAccessibilityBridge.h"
#include "NxApplicationConfig.h"
#include "NxFontSetup.h"
#include "NxLargePages.h"
#include "NxLogHandler.h"
#include "NxNativeEventFilter.h"
#include "NxQuitOnSignal.h"
#include "NxScenarioManager.h"
#include "NxWatchManager.h"
#include "NxmcPresenterApp.h"

#include <QDebug>
#include <QIcon>

#include <limits>

int main(int argc, char* argv[])
{
    NxLargePages::keepFreedBlocks();
    // Network bearers are never polled. Qt starts its poll timer with this
    // interval, and -1 only makes it print "Timers cannot have negative
    // intervals": the longest interval it takes (about 24 days) is never.
    qputenv("QT_BEARER_POLL_TIMEOUT", QByteArray::number(std::numeric_limits<int>::max()));
    // Qt reads this attribute only before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, false);
    // No widget draws through OpenGL (the player reads its frames back into a
    // picture), so windows stay plain raster surfaces and the GL driver is
    // loaded only when the first player asks for a context.
    QCoreApplication::setAttribute(Qt::AA_ForceRasterWidgets);

    NxNativeEventFilter nativeEventFilter;
    NxmcPresenterApp app(QStringLiteral("TavomcPresenterPro"), argc, argv);
    app.installNativeEventFilter(&nativeEventFilter);
    NxQuitOnSignal quitOnSignal; // SIGTERM ends the event loop like the exit button

    qputenv("QT_PAN_TOUCHPOINTS", "1");

    const QString argument = NxmcPresenterApp::startArgument(QCoreApplication::arguments());
    if (app.isRunning()) {
        if (!app.sendMessage(argument, 5000))
            qWarning() << "main" << "the running instance did not take the start over";
        return 0;
    }
    app.setStartEvent(NxmcPresenterApp::buildEventJson(argument));
    NxAccessibilityBridge::startWithoutBusLaunch();
    nativeEventFilter.startVolumeWatch();

    if (NxApplicationConfig::readNeedLog() == 1)
        NxLogHandler::install();

    NxApplicationConfig config(&app);
    NxFontSetup::install(); // "Microsoft YaHei" falls back to an installed CJK font

    QApplication::setApplicationDisplayName(QObject::tr("ID_MEDIA_CENTER"));
    QApplication::setWindowIcon(QIcon(QStringLiteral("./TavomcPresenterPro.ico")));

    auto* watchManager = new NxWatchManager(&config);
    app.setWatchManager(watchManager);

    // Lives until the process ends.
    auto* scenarioManager = new NxScenarioManager(config.networkManager(), nullptr, &nativeEventFilter);
    app.setScenarioManager(scenarioManager);
    scenarioManager->handleEvent(app.startEvent());

    return QApplication::exec();
}

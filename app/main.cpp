#include "NxApplicationConfig.h"
#include "NxLogHandler.h"
#include "NxmcPresenterApp.h"

#include <QIcon>

int main(int argc, char* argv[])
{
    qputenv("QT_BEARER_POLL_TIMEOUT", QByteArray::number(-1));
    // Qt reads this attribute only before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, false);

    NxmcPresenterApp app(QStringLiteral("TavomcPresenterPro"), argc, argv);

    qputenv("QT_PAN_TOUCHPOINTS", "1");

    const QString argument = NxmcPresenterApp::startArgument(QCoreApplication::arguments());
    if (app.isRunning()) {
        app.sendMessage(argument, 5000);
        return 0;
    }
    app.setEvent(NxmcPresenterApp::buildEventJson(argument));

    if (NxApplicationConfig::readNeedLog() == 1)
        NxLogHandler::install();

    NxApplicationConfig config(&app);

    QApplication::setApplicationDisplayName(QObject::tr("ID_MEDIA_CENTER"));
    QApplication::setWindowIcon(QIcon(QStringLiteral("./TavomcPresenterPro.ico")));

    return QApplication::exec();
}

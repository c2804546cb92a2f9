#include "NxActiveWinController.h"

#include "INxNativeEventFilter.h"
#include "NxPlatform.h"

#include <QDebug>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

const int kFirstRetryMs = 200;
const int kRetryMs = 300;
const int kMaxAttempts = 20;
const int kMonitorMs = 300;

INxWindows* windows()
{
    return NxPlatform::windows();
}

} // namespace

NxActiveWinController::NxActiveWinController(QObject* parent)
    : QObject(parent)
{
    m_monitorTimer.setInterval(kMonitorMs);
    m_startTimer.setSingleShot(true);
    connect(&m_monitorTimer, SIGNAL(timeout()), this, SLOT(slotMonitor()));
    connect(&m_startTimer, SIGNAL(timeout()), this, SLOT(slotStartMon()));
}

QObject* NxActiveWinController::getObject()
{
    return this;
}

int NxActiveWinController::setNativeEventFilter(INxNativeEventFilter* filter)
{
    m_filter = filter;
    return 0;
}

INxNativeEventFilter* NxActiveWinController::nativeEventFilter() const
{
    return m_filter;
}

QString NxActiveWinController::sourceFile() const
{
    return m_source;
}

QList<NxActiveWinController::Handle> NxActiveWinController::watchedWindows() const
{
    return m_watched;
}

bool NxActiveWinController::isMonitoring() const
{
    return m_monitorTimer.isActive();
}

bool NxActiveWinController::isWebAddress(const QString& source)
{
    static const QRegularExpression web(QStringLiteral("^[hH][tT][tT][pP]([sS])?://"));
    return web.match(source).hasMatch();
}

QString NxActiveWinController::programOfCommandLine(const QString& commandLine)
{
    static const QRegularExpression program(QStringLiteral("(^\"[^\"]*\"|[\\S]*)"));
    return program.match(commandLine).captured(0).remove(QLatin1Char('"'));
}

QString NxActiveWinController::getDefaultBrowser() const
{
    return programOfCommandLine(windows()->defaultBrowserCommand());
}

void NxActiveWinController::slotBrowserStarted(QString sUrl)
{
    startSearch(sUrl);
}

void NxActiveWinController::slotLocalVideoStarted(QString sFilePath)
{
    startSearch(sFilePath);
}

void NxActiveWinController::startSearch(const QString& source)
{
    if (!m_filter)
        return;
    m_attempts = 0;
    m_source = source;
    if (!doAppRun())
        m_startTimer.start(kFirstRetryMs);
}

void NxActiveWinController::slotStartMon()
{
    ++m_attempts;
    if (!doAppRun() && m_attempts < kMaxAttempts)
        m_startTimer.start(kRetryMs);
}

NxActiveWinController::Handle NxActiveWinController::doAppRun()
{
    const Handle window = getWindowFromSrcFile(m_source);
    if (!window) {
        qDebug() << "NxActiveWinController::doAppRun" << " find no window.";
        return 0;
    }
    windows()->maximize(window);
    windows()->bringToFront(window);
    watch(window);
    emit sigActiveEnable(false);
    m_filter->setMouseActivate(false);
    m_monitorTimer.start();
    qDebug() << "NxActiveWinController::doAppRun" << " maximize 3-party player.";
    return window;
}

void NxActiveWinController::watch(Handle window)
{
    if (!m_watched.contains(window))
        m_watched.append(window);
}

NxActiveWinController::Handle NxActiveWinController::getWindowFromSrcFile(const QString& source)
{
    QString program;
    if (isWebAddress(source)) {
        program = getDefaultBrowser();
        qDebug() << "NxActiveWinController::getWindowFromSrcFile" << program;
    } else {
        const QString suffix = QLatin1Char('.') + QFileInfo(source).suffix();
        program = windows()->associatedProgram(suffix);
        qDebug() << "NxActiveWinController::getWindowFromSrcFile" << source << " ->exe: " << program;
        if (program.isEmpty()) {
            const QString name = windows()->associatedAppName(suffix);
            qDebug() << "NxActiveWinController::getWindowFromSrcFile" << " file type: " << name;
            return windowOfApp(name);
        }
    }
    return program.isEmpty() ? 0 : windowOfProgram(program);
}

NxActiveWinController::Handle NxActiveWinController::windowOfApp(const QString& friendlyName) const
{
    if (friendlyName.isEmpty())
        return 0;
    if (friendlyName != QLatin1String("Movies & TV"))
        return windows()->findByTitle(friendlyName);
    // The packaged video app titles its window in the user's language.
    const Handle window = windows()->findByTitle(QStringLiteral("Movies & TV"));
    return window ? window : windows()->findByTitle(QObject::tr("ID_VIDEO"));
}

NxActiveWinController::Handle NxActiveWinController::windowOfProgram(const QString& program)
{
    m_found = 0;
    m_wantedExe = program;
    for (Handle window : windows()->topLevelWindows()) {
        if (!cbGetWindowFromExe(window))
            break;
    }
    m_wantedExe.clear();
    return m_found;
}

bool NxActiveWinController::cbGetWindowFromExe(Handle window)
{
    INxWindows* system = windows();
    const quint32 style = system->style(window);
    const quint32 exStyle = system->exStyle(window);
    if ((style & INxWindows::kChildStyle) || !(style & INxWindows::kVisibleStyle)
        || (exStyle & (INxWindows::kToolWindowExStyle | INxWindows::kNoActivateExStyle)))
        return true;
    const qint64 pid = system->processId(window);
    const QString image = pid ? system->processImagePath(pid) : QString();
    if (image.isEmpty())
        return true;
    const QRect rect = system->geometry(window);
    qDebug() << "NxActiveWinController::cbGetWindowFromExe" << system->title(window) << QString::number(style, 16)
             << QString::number(exStyle, 16) << rect.left() << rect.top() << rect.width() << rect.height();
    qDebug() << "NxActiveWinController::cbGetWindowFromExe" << image;
    if (image.compare(m_wantedExe, Qt::CaseInsensitive) != 0)
        return true;
    m_found = window;
    return false;
}

void NxActiveWinController::slotMonitor()
{
    INxWindows* system = windows();
    bool removed = false;
    int shown = 0;
    for (auto it = m_watched.begin(); it != m_watched.end();) {
        if (!system->isWindow(*it)) {
            it = m_watched.erase(it);
            removed = true;
            continue;
        }
        shown += system->isVisible(*it) && !system->isMinimized(*it) ? 1 : 0;
        ++it;
    }
    if (m_filter && shown > 0) {
        if (m_filter->isMouseActivate()) {
            qDebug() << "NxActiveWinController::slotMonitor" << " disbale window";
            m_filter->setMouseActivate(false);
            emit sigActiveEnable(false);
        }
        if (removed)
            system->bringToFront(m_watched.first());
    } else if (m_filter && !m_filter->isMouseActivate()) {
        qDebug() << "NxActiveWinController::slotMonitor" << " re-enable window";
        m_filter->setMouseActivate(true);
        emit sigActiveEnable(true);
    }
    if (m_watched.isEmpty())
        m_monitorTimer.stop();
}

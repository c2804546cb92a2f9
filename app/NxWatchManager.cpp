#include "NxWatchManager.h"

#include "INxShell.h"
#include "INxSystemInfo.h"
#include "NxPlatform.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QStringList>
#include <QTextEdit>
#include <QTimer>

namespace {

const int kKeyboardDelayMs = 200;

const QStringList kInputClasses = {QStringLiteral("QLineEdit"), QStringLiteral("QTextEdit"), QStringLiteral("QPlainTextEdit"),
                                   QStringLiteral("LineEdit"), QStringLiteral("QQuickTextInput")};
const QStringList kInputParentClasses = {QStringLiteral("TextEdit"), QStringLiteral("NxMenuTextEdit"),
                                         QStringLiteral("QTextEdit"), QStringLiteral("QLineEdit")};

QString superClassName(const QObject* object)
{
    const QMetaObject* super = object->metaObject()->superClass();
    return super ? QString::fromLatin1(super->className()) : QString();
}

} // namespace

NxWatchManager::NxWatchManager(QObject* parent)
    : QObject(parent)
    , m_keyboardTimer(new QTimer(this))
{
    connect(m_keyboardTimer, SIGNAL(timeout()), this, SLOT(handleTimeOut()));
}

QObject* NxWatchManager::getObject()
{
    return this;
}

void NxWatchManager::setEnabled(bool enabled)
{
    m_enabled = enabled;
}

bool NxWatchManager::isKeyboardPending() const
{
    return m_keyboardTimer->isActive();
}

bool NxWatchManager::isTextInputTap(const QObject* receiver, const QMouseEvent* release, bool isRunScreen)
{
    const QString className = QString::fromLatin1(receiver->metaObject()->className());
    const QString superName = superClassName(receiver);
    const bool fromTouch = release->source() == Qt::MouseEventSynthesizedBySystem
        || release->source() == Qt::MouseEventSynthesizedByQt;
    if (!(superName == QLatin1String("QQuickTextInput") && isRunScreen) && !fromTouch)
        return false;
    const QObject* parent = receiver->parent();
    const QString parentName = parent ? QString::fromLatin1(parent->metaObject()->className()) : QString();
    // A read-only text view needs no keyboard.
    if (const auto* textEdit = qobject_cast<const QTextEdit*>(parent)) {
        if (textEdit->textInteractionFlags() != Qt::TextEditorInteraction)
            return false;
    }
    return kInputClasses.contains(className) || superName == QLatin1String("QLineEdit")
        || superName == QLatin1String("QQuickTextInput") || kInputParentClasses.contains(parentName);
}

bool NxWatchManager::keyboardAllowed(bool isWindows10, const QString& kernelVersion, const QString& objectName)
{
    if (!isWindows10)
        return true;
    const bool specialBuild = kernelVersion.contains(QLatin1String("17134")) || kernelVersion.contains(QLatin1String("17763"));
    return !(specialBuild && objectName == QLatin1String("nxdeviceinputid"));
}

bool NxWatchManager::filterEvent(QObject* receiver, QEvent* event)
{
    if (!receiver || !m_enabled || event->type() != QEvent::MouseButtonRelease)
        return true;
    const bool isRunScreen = QCoreApplication::instance()->property("isRunScreen").toBool();
    if (!isTextInputTap(receiver, static_cast<QMouseEvent*>(event), isRunScreen))
        return true;
    const INxSystemInfo* system = NxPlatform::systemInfo();
    if (keyboardAllowed(system->isWindows10(), system->kernelVersion(), receiver->objectName()))
        m_keyboardTimer->start(kKeyboardDelayMs); // restarts: 200 ms after the last tap
    return true;
}

void NxWatchManager::handleTimeOut()
{
    const QString keyboard = NxPlatform::shell()->onScreenKeyboard();
    if (!keyboard.isEmpty())
        NxPlatform::shell()->startProgram(keyboard, QString(), INxShell::Show::Normal);
    m_keyboardTimer->stop();
}

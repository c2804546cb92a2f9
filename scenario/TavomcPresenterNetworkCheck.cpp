#include "TavomcPresenterNetworkCheck.h"

#include "INxNetWorkChecker.h"

#include <QTimer>
#include <QWidget>

namespace {
const int kFirstPaintWaitMs = 1000;
} // namespace

TavomcPresenterNetworkCheck::TavomcPresenterNetworkCheck(INxNetWorkChecker* checker, QWidget* window)
    : QObject(window)
    , m_checker(checker)
    , m_window(window)
{
    if (m_checker)
        connect(m_checker->getObject(), SIGNAL(sglNetWorkStateChanged(bool)), m_window, SLOT(slotNetWorkStateChanged(bool)));
}

bool TavomcPresenterNetworkCheck::isRunning() const
{
    return m_running;
}

void TavomcPresenterNetworkCheck::start()
{
    m_running = true;
    if (!m_checker)
        return;
    connect(m_checker->getObject(), SIGNAL(sglResultNetWorkCheck(bool, QString)), m_window,
            SLOT(slotResultNetWorkCheck(bool, QString)));
    QTimer::singleShot(0, this, &TavomcPresenterNetworkCheck::startWhenPainted);
}

void TavomcPresenterNetworkCheck::startWhenPainted()
{
    if (!m_window->isVisible() || m_painted) {
        run();
        return;
    }
    m_awaitsFirstPaint = true;
    // A window that is never exposed (minimised at start) still checks.
    QTimer::singleShot(kFirstPaintWaitMs, this, [this] {
        if (m_awaitsFirstPaint)
            run();
    });
}

void TavomcPresenterNetworkCheck::windowPainted()
{
    if (m_painted)
        return;
    m_painted = true;
    if (m_awaitsFirstPaint)
        run();
}

void TavomcPresenterNetworkCheck::run()
{
    m_awaitsFirstPaint = false;
    m_checker->startCheck(QStringLiteral("openUrl"), QStringLiteral("ClickedLoginButton"));
}

void TavomcPresenterNetworkCheck::finish()
{
    m_running = false;
    if (m_checker)
        disconnect(m_checker->getObject(), SIGNAL(sglResultNetWorkCheck(bool, QString)), m_window,
                   SLOT(slotResultNetWorkCheck(bool, QString)));
}

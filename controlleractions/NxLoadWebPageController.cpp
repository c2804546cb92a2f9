#include "NxLoadWebPageController.h"

#include "INxShell.h"
#include "NxPlatform.h"

NxLoadWebPageController::NxLoadWebPageController(QObject* parent)
    : QObject(parent)
{
}

QObject* NxLoadWebPageController::getObject()
{
    return this;
}

void NxLoadWebPageController::loadWebPage(QWidget* home, QString url, QString cookie)
{
    INxLoadWebPageController* self = this;
    self->openInBrowser(home, url, cookie);
}

void NxLoadWebPageController::openInBrowser(QWidget* home, QString url, QString)
{
    m_home = home;
    NxPlatform::shell()->open(url, QString(), INxShell::Show::Maximized);
    emit sigBrowserStarted(url);
}

void NxLoadWebPageController::slotRollBackHome()
{
    if (m_home)
        m_home->show();
}

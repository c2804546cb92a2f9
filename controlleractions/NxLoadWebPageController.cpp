#include "NxLoadWebPageController.h"

#include "INxShell.h"
#include "NxPlatform.h"
#include "NxToolTipHelp.h"
#include "NxWebAddress.h"

#include <QDebug>

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
    // Only web addresses reach the browser: the shell's "open" would run a
    // program or open a local file given anything else.
    const NxWebAddress address(url);
    if (!address.isValid()) {
        qDebug() << "NxLoadWebPageController::openInBrowser" << "refused, not a web address:" << url;
        NxToolTipHelp::Instance().setMesseage(address.refusal());
        return;
    }
    // With no browser the teacher would otherwise see nothing happen.
    const auto noBrowser = [] { NxToolTipHelp::Instance().setMesseage(tr("ID_NO_PROGRAM_TO_OPEN")); };
    if (!NxPlatform::shell()->open(address.encoded(), INxShell::Show::Maximized, this, noBrowser)) {
        noBrowser();
        return;
    }
    emit sigBrowserStarted(url);
}

void NxLoadWebPageController::slotRollBackHome()
{
    if (m_home)
        m_home->show();
}

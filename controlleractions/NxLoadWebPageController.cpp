#include "NxLoadWebPageController.h"

#include "INxShell.h"
#include "NxPlatform.h"
#include "NxToolTipHelp.h"

#include <QDebug>
#include <QUrl>

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

bool NxLoadWebPageController::isWebAddress(const QString& url)
{
    const QUrl address(url, QUrl::StrictMode);
    const QString scheme = address.scheme().toLower();
    return address.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        && !address.host().isEmpty();
}

void NxLoadWebPageController::openInBrowser(QWidget* home, QString url, QString)
{
    m_home = home;
    if (!isWebAddress(url)) {
        qDebug() << "NxLoadWebPageController::openInBrowser" << "refused, not a web address:" << url;
        NxToolTipHelp::Instance().setMesseage(tr("ID_URL_ILLEGAL"));
        return;
    }
    // With no browser the teacher would otherwise see nothing happen.
    const auto noBrowser = [] { NxToolTipHelp::Instance().setMesseage(tr("ID_NO_PROGRAM_TO_OPEN")); };
    if (!NxPlatform::shell()->open(url, INxShell::Show::Maximized, this, noBrowser)) {
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

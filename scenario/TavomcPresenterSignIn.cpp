#include "TavomcPresenterSignIn.h"

#include "NxAccessToolBarWidget.h"

#include <QImage>
#include <QPixmap>

TavomcPresenterSignIn::TavomcPresenterSignIn(QWidget* window, QWidget* toolBarParent, double scale)
    : QObject(window)
{
    m_toolBar = new NxAccessToolBarWidget(toolBarParent, scale);
    m_toolBar->initWidget();
    connect(m_toolBar, SIGNAL(signalToolBarClicked(QString)), window, SLOT(slotToolBarClicked(QString)));
    connect(m_toolBar, SIGNAL(signLogoutChangeStatus()), window, SLOT(slotChangeLogout()));
    connect(m_toolBar, SIGNAL(signQRHidden()), window, SIGNAL(sigLoginCodeHidden()));
}

NxAccessToolBarWidget* TavomcPresenterSignIn::toolBar() const
{
    return m_toolBar;
}

QString TavomcPresenterSignIn::userId() const
{
    return m_userId;
}

QString TavomcPresenterSignIn::cookie() const
{
    return m_cookie;
}

void TavomcPresenterSignIn::ask(bool fromToolbar)
{
    m_askedFromToolbar = fromToolbar;
}

void TavomcPresenterSignIn::showCode(const QPixmap& code)
{
    if (m_toolBar)
        m_toolBar->showQRWidget(code, m_askedFromToolbar);
}

void TavomcPresenterSignIn::signIn(const QString& uid, const QString& cookie, const QImage& userImage)
{
    m_userId = uid;
    m_cookie = cookie;
    if (m_toolBar) {
        m_toolBar->setCurMode(NxAccessToolBarWidget::MODE_LOGIN);
        m_toolBar->setUserImage(userImage);
    }
    m_resourcesAttempt.start();
}

void TavomcPresenterSignIn::signOut()
{
    m_userId.clear();
    m_cookie.clear();
    m_resourcesAttempt.stop();
}

bool TavomcPresenterSignIn::isCurrentResources(const void* context) const
{
    return m_resourcesAttempt.isCurrent(context);
}

void* TavomcPresenterSignIn::resourcesContext() const
{
    return m_resourcesAttempt.context();
}

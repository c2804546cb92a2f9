#pragma once

#include "NxRequestAttempt.h"

#include <QObject>
#include <QPointer>
#include <QString>

class NxAccessToolBarWidget;
class QImage;
class QPixmap;
class QWidget;

// The teacher's sign-in for the main window: the toolbar with its sign-in
// code, who is signed in, and which request for their resources is current.
// The toolbar's taps go to the window's slots.
class TavomcPresenterSignIn : public QObject
{
    Q_OBJECT

public:
    // The toolbar is made a child of toolBarParent.
    TavomcPresenterSignIn(QWidget* window, QWidget* toolBarParent, double scale);

    NxAccessToolBarWidget* toolBar() const;
    QString userId() const;
    QString cookie() const;

    // Remembers where the sign-in was asked for: the code shows there.
    void ask(bool fromToolbar);
    void showCode(const QPixmap& code);
    // Also begins a new request for the teacher's resources.
    void signIn(const QString& uid, const QString& cookie, const QImage& userImage);
    void signOut();
    bool isCurrentResources(const void* context) const;
    void* resourcesContext() const;

private:
    QPointer<NxAccessToolBarWidget> m_toolBar;
    QString m_userId;
    QString m_cookie;
    // The resources asked for by the current sign-in; none while signed out.
    NxRequestAttempt m_resourcesAttempt;
    bool m_askedFromToolbar = false;
};

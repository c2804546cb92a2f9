#pragma once

#include "TavoUIElementGlobal.h"

#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

class NxQRCodeLogin;
class NxUserSwitchWidget;
class QPushButton;
class QStackedWidget;

// The pill in the corner of the home page: sign in and exit while nobody is
// signed in, the teacher's avatar and exit afterwards. It only reports taps;
// the main window decides what they mean.
class TAVOUIELEMENT_EXPORT NxAccessToolBarWidget : public QWidget
{
    Q_OBJECT

public:
    // A fixed type: the toolbar remembers any mode it is handed, known or not.
    enum MODE : int { MODE_LOGOUT = 0, MODE_LOGIN = 1, MODE_RESERVED = 2 };

    NxAccessToolBarWidget(QWidget* parent, double scale);
    ~NxAccessToolBarWidget() override;

    void initWidget();
    void setCurMode(MODE mode);
    MODE curMode() const;
    int currentPage() const;
    void setUserImage(const QImage& image);
    void showQRWidget(QPixmap pixmap, bool fromToolbar);
    NxQRCodeLogin* qrWidget() const;
    NxUserSwitchWidget* userSwitchWidget() const;

    // The avatar drawn into a circle of the given diameter.
    static QPixmap roundAvatar(const QImage& image, int diameter);

signals:
    void signalToolBarClicked(QString sButtonID);
    void signLogoutChangeStatus();
    // The sign-in code is no longer on screen.
    void signQRHidden();

public slots:
    void slotLogin();
    void slotUserSwitch();
    void slotExit();
    void slotAccount();
    void slotLogOut();
    void slotRollBack();
    void initAccessWidget();

private:
    int px(double design) const;
    void applyMask();
    QWidget* signedOutPage();
    QWidget* signedInPage();
    QPushButton* iconButton(const QString& picture, QWidget* parent);
    QPushButton* textButton(const QString& text, QWidget* parent);
    void hidePopups();
    void makeQrWidget();

    double m_scale;
    MODE m_mode = MODE_LOGOUT;
    QString m_textStyle;
    QStackedWidget* m_stack = nullptr;
    QPushButton* m_loginIcon = nullptr;
    QPushButton* m_loginText = nullptr;
    QPushButton* m_exitIcon = nullptr;
    QPushButton* m_exitText = nullptr;
    QPushButton* m_accountButton = nullptr;
    // The QR popup closes itself with WA_DeleteOnClose: never dangle.
    QPointer<NxQRCodeLogin> m_qrWidget;
    QPointer<NxUserSwitchWidget> m_userSwitch;
};

#pragma once

#include <QObject>
#include <QString>

class QWidget;

// Opens web channels in the default browser.
class INxLoadWebPageController
{
public:
    virtual ~INxLoadWebPageController() = default;

    virtual QObject* getObject() = 0;
    virtual void loadWebPage(QWidget* home, QString url, QString cookie) = 0;
    virtual void openInBrowser(QWidget* home, QString url, QString cookie) = 0;
};

#define INxLoadWebPageController_iid "com.nxt.TavomcPresenterPro.INxLoadWebPageController/1.0"
Q_DECLARE_INTERFACE(INxLoadWebPageController, INxLoadWebPageController_iid)

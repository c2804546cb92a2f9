#pragma once

#include "INxLoadWebPageController.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>

// Opens web channels maximised in the default browser.
class NxLoadWebPageController : public QObject, public INxLoadWebPageController
{
    Q_OBJECT
    Q_INTERFACES(INxLoadWebPageController)

public:
    explicit NxLoadWebPageController(QObject* parent = nullptr);

    QObject* getObject() override;
    void loadWebPage(QWidget* home, QString url, QString cookie) override;
    void openInBrowser(QWidget* home, QString url, QString cookie) override;

signals:
    void sigBrowserStarted(QString sUrl);
    void sigIsBottomBarShow(QPoint);

private slots:
    void slotRollBackHome();

private:
    QPointer<QWidget> m_home;
};

#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>

class INxControllerManager;
class NxAddChannelListWidget;
class NxChannelListWidget;
class QWidget;
class TavomcPresenterChannelLists;

// The pages that cover the main window's home page: the own channels, the
// TV stations, the teacher's resources and the catalogue offered for a
// home slot. Each is made when first needed and filled from the window's
// channel lists; their taps go to the window's slots, which the window
// also filters for their showing and hiding.
class TavomcPresenterChannelPages : public QObject
{
    Q_OBJECT

public:
    TavomcPresenterChannelPages(QWidget* window, INxControllerManager* controllerManager,
                                const TavomcPresenterChannelLists& lists, double scale);

    NxChannelListWidget* tvPage() const;
    NxChannelListWidget* myResourcePage() const;
    NxChannelListWidget* tavoChannelPage() const;
    NxAddChannelListWidget* addChannelList() const;
    // Those not made yet are null.
    QList<QWidget*> all() const;
    bool anyShown() const;

    void openTavoChannelPage();
    void openTvPage();
    void openMyResourcePage();
    // slot: the home slot the catalogue is for, empty to refresh it only;
    // pinned: the channels on the home page by id.
    void fillAddChannelList(const QJsonObject& slot, const QMap<QString, QJsonObject>& pinned);
    void showAddChannelList();
    // Made before it is asked for once the catalogue's answer came.
    void prepareTavoChannelPage();
    // An own-channel page opened while the list was empty shows them now.
    void refreshTavoChannelPage();
    void refreshTvPage();
    void refreshMyResourcePage();
    // The page goes with whatever it still waits for; the next opening
    // builds a fresh one.
    void forgetMyResourcePage();
    // The cloud's answer to an addition or deletion of a resource.
    void myResourceChanged(bool add, int result, const QString& ids);

signals:
    // A list to download before the page can show it.
    void listWanted(QString type);

private:
    int px(double design) const;
    static bool networkUp();
    NxChannelListWidget* createPage(bool supportAdd, bool storeOnWeb, bool split, const QString& title,
                                    const char* returnSlot, const char* addedSlot, const char* deleteSlot);
    NxChannelListWidget* createTavoChannelPage();
    void watchCover(QWidget* page);
    void fillPage(NxChannelListWidget* page, const QJsonArray& web, const QJsonArray& local);
    void showPage(NxChannelListWidget* page, const QJsonArray& web);

    QWidget* m_window;
    INxControllerManager* m_controllerManager;
    const TavomcPresenterChannelLists& m_lists;
    double m_scale;
    QPointer<NxChannelListWidget> m_tvPage;
    QPointer<NxChannelListWidget> m_myResourcePage;
    QPointer<NxChannelListWidget> m_tavoChannelPage;
    QPointer<NxAddChannelListWidget> m_addChannelList;
};

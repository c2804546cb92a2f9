#pragma once

#include <QList>
#include <QMap>
#include <QObject>

class INxControllerManager;
class NxAddChanelWidget;
class NxAddChannelGridWidget;
class NxBannerWidget;
class NxChannelWidget;
class QJsonObject;
class QScrollArea;
class QVBoxLayout;
class QWidget;

// The main window's home page as widgets: the background painted at the
// screen's size, the scroll area with the first page (banner, four fixed
// tiles, four slots) and the pages of slots below it, and the toolbar row.
// Taps go to the window's slots; the window filters the background's paint
// and the scroll area's gestures.
class TavomcPresenterHomePage : public QObject
{
    Q_OBJECT

public:
    TavomcPresenterHomePage(QWidget* window, INxControllerManager* controllerManager, double scale);

    // Puts the toolbar below the pages and lays the window out.
    void layOut(QWidget* toolBar);

    QWidget* background() const;
    // The widget over the pages that holds the file dialog.
    QWidget* content() const;
    bool isScrollViewport(const QObject* object) const;
    NxBannerWidget* banner() const;
    void markResourcesSignedIn(bool signedIn);

    NxAddChanelWidget* homeSlot(int index) const;
    QList<NxAddChanelWidget*> homeSlots() const;
    NxAddChannelGridWidget* gridPage(int page) const;
    // Adds the page if missing, in page order below the others.
    void addGridPage(int page);
    // Shows the top of the page once it is laid out.
    void scrollToPage(int page);
    int scrollPosition() const;

private:
    int px(double design) const;
    QWidget* createBackground();
    void createFirstPage(QWidget* parent);
    void createBanner(QWidget* page);
    void createTiles(QWidget* page);
    NxChannelWidget* createTile(QWidget* page, int width, int height, const QJsonObject& json);
    NxAddChanelWidget* createHomeSlot(QWidget* page, int index);
    void layoutFirstPage(QWidget* page, QWidget* live, QWidget* tv, QWidget* local);
    int gridPagePosition(int page) const;

    QWidget* m_window;
    INxControllerManager* m_controllerManager;
    double m_scale;
    QWidget* m_background = nullptr;
    QWidget* m_content = nullptr;
    QScrollArea* m_scrollArea = nullptr;
    // The scrolled pages: the first, then the pages of slots.
    QVBoxLayout* m_firstPageLayout = nullptr;
    QMap<int, NxAddChannelGridWidget*> m_gridPages;
    NxBannerWidget* m_banner = nullptr;
    NxChannelWidget* m_myResourceTile = nullptr;
    QMap<int, NxAddChanelWidget*> m_homeSlots;
};

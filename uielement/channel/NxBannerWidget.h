#pragma once

#include "NxPointerTrack.h"
#include "TavoUIElementGlobal.h"

#include <QJsonObject>
#include <QList>
#include <QTimer>
#include <QWidget>

class INxControllerManager;
class NxChannelWidget;
class NxBannerDots;

// The home page's strip of full-width channel tiles: one shows at a time,
// the next slides in every three seconds, a swipe moves by one and the dots
// at the bottom right jump to any of them.
class TAVOUIELEMENT_EXPORT NxBannerWidget : public QWidget
{
    Q_OBJECT

public:
    explicit NxBannerWidget(QWidget* parent = nullptr);

    void setControlManager(INxControllerManager* mgr);
    void addinitItem(QList<QJsonObject>& list);
    void renewItem(QList<QJsonObject>& list);
    void setDefaultSize(int limit);

    // The items' channel data, in order.
    QList<QJsonObject> items() const;
    int currentIndex() const;
    int shownCount() const;
    // Something in front hides the banner (a page, another program): it
    // stands still until uncovered, as it does while hidden.
    void setCovered(bool covered);
    bool isRotating() const;

signals:
    void sigItemClicked(QJsonObject json);

public slots:
    void onImageChangeTimeout();
    void onChangeButtonClicked(int buttonId);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    int px(double design) const;
    void recomputeNeighbours();
    void buildIndicators();
    void placeDots();
    void slide(int from, int to, bool forward);
    void settle();
    void finishSwipe(int dx);
    void checkCurrentButton();
    void restartTimer();
    NxChannelWidget* item(int index) const;

    QList<NxChannelWidget*> m_items;
    NxBannerDots* m_dots = nullptr;
    int m_current = 0;
    int m_previous = 0;
    int m_next = 0;
    int m_itemCount = 0;
    int m_limit = 0;
    int m_shown = 0;
    NxPointerTrack m_press;
    bool m_moved = false;
    bool m_dragging = false;
    // Shown on screen (minimising hides it without clearing isVisible) and
    // not covered by anything in front.
    bool m_onScreen = false;
    bool m_covered = false;
    INxControllerManager* m_controlManager = nullptr;
    double m_scale = 1.0;
    QTimer m_timer;
};

#include "NxBannerWidget.h"

#include "NxBannerDots.h"
#include "NxChannelWidget.h"
#include "NxScale.h"

#include <QCoreApplication>
#include <QMouseEvent>

#include <cstdlib>

namespace {

const int kRotationMs = 3000;
// A tap on the banner may wander this far, in physical pixels.
const int kTapSlop = 5;

void setGesture(int value)
{
    QCoreApplication::instance()->setProperty("gesture", value);
}

} // namespace

NxBannerWidget::NxBannerWidget(QWidget* parent)
    : QWidget(parent)
    , m_scale(NxScale::appFactor())
{
    setAttribute(Qt::WA_TranslucentBackground);
    // Made now, it is shown with the window and never again on its own.
    m_dots = new NxBannerDots(m_scale, this);
    connect(m_dots, &NxBannerDots::dotClicked, this, &NxBannerWidget::onChangeButtonClicked);
    connect(&m_timer, SIGNAL(timeout()), this, SLOT(onImageChangeTimeout()));
}

int NxBannerWidget::px(double design) const
{
    return NxScale::px(design, m_scale);
}

void NxBannerWidget::setControlManager(INxControllerManager* mgr)
{
    m_controlManager = mgr;
}

void NxBannerWidget::addinitItem(QList<QJsonObject>& list)
{
    for (const QJsonObject& object : list) {
        auto* tile = new NxChannelWidget(this);
        tile->setControlManager(m_controlManager);
        tile->setNameLabelPosition(false);
        tile->resize(size());
        tile->setItem(object);
        // The banner itself reads the pointer: a tap opens the shown item, a
        // drag moves between items.
        tile->setAttribute(Qt::WA_TransparentForMouseEvents);
        tile->hide();
        m_items.append(tile);
    }
    m_itemCount = m_items.size();
    m_dots->raise();
}

void NxBannerWidget::renewItem(QList<QJsonObject>& list)
{
    m_timer.stop();
    // The tiles in place take the new items and only the rest are made: on
    // X11 a tile shown anew after the first frame costs a round trip to the
    // display (Qt asks where the cursor is), answered late while it is busy.
    while (m_items.size() > list.size())
        delete m_items.takeLast();
    for (int i = 0; i < m_items.size(); ++i)
        m_items.at(i)->setItem(list.at(i));
    QList<QJsonObject> rest = list.mid(m_items.size());
    addinitItem(rest);
}

void NxBannerWidget::setDefaultSize(int limit)
{
    m_limit = limit;
    m_shown = qMax(0, qMin(m_itemCount, m_limit));
    if (m_current >= m_shown)
        m_current = 0;
    recomputeNeighbours();
    buildIndicators();
    restartTimer();
    settle();
}

QList<QJsonObject> NxBannerWidget::items() const
{
    QList<QJsonObject> list;
    for (const NxChannelWidget* tile : m_items)
        list.append(tile->getData());
    return list;
}

int NxBannerWidget::currentIndex() const
{
    return m_current;
}

int NxBannerWidget::shownCount() const
{
    return m_shown;
}

void NxBannerWidget::setCovered(bool covered)
{
    if (covered == m_covered)
        return;
    m_covered = covered;
    restartTimer();
}

bool NxBannerWidget::isRotating() const
{
    return m_timer.isActive();
}

void NxBannerWidget::onImageChangeTimeout()
{
    if (m_shown < 2)
        return;
    const int from = m_current;
    m_current = m_next;
    recomputeNeighbours();
    slide(from, m_current, true);
}

void NxBannerWidget::onChangeButtonClicked(int buttonId)
{
    m_timer.stop();
    if (buttonId != m_current && buttonId >= 0 && buttonId < m_shown) {
        bool forward = buttonId > m_current;
        if (m_current == 0 && buttonId == m_shown - 1)
            forward = false;
        else if (buttonId == 0 && m_current == m_shown - 1)
            forward = true;
        const int from = m_current;
        m_current = buttonId;
        recomputeNeighbours();
        slide(from, m_current, forward);
    }
    restartTimer();
}

void NxBannerWidget::mousePressEvent(QMouseEvent* event)
{
    if (m_shown > 1)
        setGesture(1);
    m_moved = false;
    m_dragging = false;
    m_timer.stop();
    m_press.press(event->globalPos());
    event->accept();
}

void NxBannerWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (m_shown < 2)
        return;
    const int dx = m_press.dx(event->globalPos());
    const int dy = m_press.dy(event->globalPos());
    const bool firstMove = !m_moved;
    m_moved = true;
    if (std::abs(dx) < std::abs(dy)) {
        if (firstMove)
            setGesture(0);
        return;
    }
    if (!m_dragging) {
        setGesture(1);
        // A drag during a slide starts from the settled banner.
        settle();
        m_dragging = true;
    }
    const int w = width();
    item(m_current)->move(qBound(-w, dx, w), 0);
    // With two items the neighbour on either side is the same tile.
    if (dx < 0) {
        if (m_previous != m_next)
            item(m_previous)->hide();
        item(m_next)->move(qMax(-w, dx) + w, 0);
        item(m_next)->show();
    } else if (dx > 0) {
        if (m_next != m_previous)
            item(m_next)->hide();
        item(m_previous)->move(qMin(w, dx) - w, 0);
        item(m_previous)->show();
    }
}

void NxBannerWidget::mouseReleaseEvent(QMouseEvent* event)
{
    const bool dragged = m_dragging;
    m_moved = false;
    m_dragging = false;
    setGesture(1);
    if (NxPointerTrack::isCancel(event)) {
        // A scroll of the page took the press over: the item goes back.
        if (dragged)
            finishSwipe(0);
        restartTimer();
        return;
    }
    const int dx = m_press.dx(event->globalPos());
    const int dy = m_press.dy(event->globalPos());
    if (std::abs(dx) <= kTapSlop && std::abs(dy) <= kTapSlop) {
        if (NxChannelWidget* shown = item(m_current))
            emit sigItemClicked(shown->getData());
        restartTimer();
        return;
    }
    if (m_shown < 2)
        return;
    finishSwipe(dx);
    restartTimer();
}

void NxBannerWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_timer.stop();
    for (int i = 0; i < m_shown; ++i)
        m_items.at(i)->resize(size());
    placeDots();
    restartTimer();
}

void NxBannerWidget::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_onScreen = true;
    restartTimer();
}

void NxBannerWidget::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_onScreen = false;
    m_timer.stop();
}

void NxBannerWidget::recomputeNeighbours()
{
    m_next = m_current + 1 < m_shown ? m_current + 1 : 0;
    m_previous = m_current - 1 < 0 ? qMax(0, m_shown - 1) : m_current - 1;
}

void NxBannerWidget::buildIndicators()
{
    m_dots->setCount(m_shown);
    placeDots();
    m_dots->raise();
    checkCurrentButton();
}

void NxBannerWidget::placeDots()
{
    m_dots->move(width() - px(16) - m_dots->width(), height() - px(14) - m_dots->height());
}

void NxBannerWidget::slide(int from, int to, bool forward)
{
    NxChannelWidget* leaving = item(from);
    NxChannelWidget* coming = item(to);
    if (!leaving || !coming)
        return;
    const int w = width();
    for (NxChannelWidget* other : qAsConst(m_items)) {
        if (other != leaving && other != coming)
            other->hide();
    }
    leaving->show();
    coming->show();
    leaving->setPosAnimation(QPoint(0, 0), QPoint(forward ? -w : w, 0));
    coming->setPosAnimation(QPoint(forward ? w : -w, 0), QPoint(0, 0));
    checkCurrentButton();
}

void NxBannerWidget::settle()
{
    for (int i = 0; i < m_items.size(); ++i) {
        NxChannelWidget* tile = m_items.at(i);
        tile->stopPosAnimation();
        if (i == m_current && i < m_shown) {
            tile->move(0, 0);
            tile->show();
        } else {
            tile->hide();
        }
    }
}

// The swiped items glide the rest of the way instead of jumping.
void NxBannerWidget::finishSwipe(int dx)
{
    const int w = width();
    NxChannelWidget* leaving = item(m_current);
    if (dx <= -px(20) || dx >= px(20)) {
        const bool forward = dx < 0;
        m_current = forward ? m_next : m_previous;
        recomputeNeighbours();
        NxChannelWidget* coming = item(m_current);
        for (NxChannelWidget* other : qAsConst(m_items)) {
            if (other != leaving && other != coming)
                other->hide();
        }
        leaving->setPosAnimation(leaving->pos(), QPoint(forward ? -w : w, 0));
        coming->show();
        coming->setPosAnimation(coming->pos(), QPoint(0, 0));
    } else {
        for (NxChannelWidget* other : qAsConst(m_items)) {
            if (other != leaving) {
                other->hide();
                other->move(0, 0);
            }
        }
        leaving->show();
        leaving->setPosAnimation(leaving->pos(), QPoint(0, 0));
    }
    checkCurrentButton();
}

void NxBannerWidget::checkCurrentButton()
{
    m_dots->setCurrent(m_current);
}

void NxBannerWidget::restartTimer()
{
    m_timer.stop();
    if (m_shown > 1 && m_onScreen && !m_covered)
        m_timer.start(kRotationMs);
}

NxChannelWidget* NxBannerWidget::item(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items.at(index) : nullptr;
}

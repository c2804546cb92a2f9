#pragma once

#include <QObject>

class INxNetWorkChecker;
class QWidget;

// The main window's check of the network at start. Its answer starts the
// catalogue, whose pages keep the GUI thread busy for a while, so a window
// about to be shown paints its first frame first. The checker's signals go
// to the window's slots.
class TavomcPresenterNetworkCheck : public QObject
{
    Q_OBJECT

public:
    // checker may be null: nothing is checked then.
    TavomcPresenterNetworkCheck(INxNetWorkChecker* checker, QWidget* window);

    void start();
    bool isRunning() const;
    // The window's first frame has been painted.
    void windowPainted();
    // The answer came: the checker is no longer listened to.
    void finish();

private:
    void startWhenPainted();
    void run();

    INxNetWorkChecker* m_checker;
    QWidget* m_window;
    bool m_running = false;
    bool m_awaitsFirstPaint = false;
    bool m_painted = false;
};

// The yardstick of the start-up benchmark: the least a Qt widget program
// does to fill the screen, a full-screen QWidget painted with a gradient.
#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QWidget>

namespace {

class BareWindow : public QWidget
{
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QLinearGradient gradient(rect().topLeft(), rect().bottomRight());
        gradient.setColorAt(0, QColor(73, 83, 219));
        gradient.setColorAt(1, QColor(95, 87, 252));
        painter.fillRect(rect(), gradient);
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    BareWindow window;
    window.showFullScreen();
    return QApplication::exec();
}

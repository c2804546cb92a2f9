// A stand-in for a browser or player: opens one normal top-level window
// after a delay and obeys "minimize", "restore" and "quit" on standard input.
// Usage: nx_test_window [--delay ms] [--title text] [--pidfile path] [address]
#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include <unistd.h>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption delay("delay", "ms before the window appears", "ms", "0");
    const QCommandLineOption title("title", "window title", "text", "nx test window");
    const QCommandLineOption pidFile("pidfile", "file to append the process id to", "path");
    parser.addOptions({delay, title, pidFile});
    parser.process(app);

    if (parser.isSet(pidFile)) {
        QFile file(parser.value(pidFile));
        if (file.open(QIODevice::Append))
            file.write(QByteArray::number(QCoreApplication::applicationPid()) + '\n');
    }
    QWidget window;
    window.setWindowTitle(parser.value(title));
    window.resize(320, 200);
    QTimer::singleShot(parser.value(delay).toInt(), &window, [&window] { window.show(); });

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &window, [&window, &input] {
        char buffer[64] = {0};
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof(buffer) - 1);
        const QByteArray command = QByteArray(buffer, n > 0 ? int(n) : 0).trimmed();
        if (n <= 0) {
            input.setEnabled(false); // no commands (started by a desktop launcher)
        } else if (command == "quit") {
            QCoreApplication::quit();
        } else if (command == "minimize") {
            window.showMinimized();
        } else if (command == "restore") {
            window.showNormal();
        }
    });
    return app.exec();
}

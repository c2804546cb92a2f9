#include "NxQuitOnSignal.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_pipe[2] = {-1, -1};

// Only async-signal-safe work here: the event loop picks the byte up.
void handle(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[0], &byte, 1);
}

} // namespace

NxQuitOnSignal::NxQuitOnSignal(QObject* parent)
    : QObject(parent)
{
    if (g_pipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, g_pipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_pipe[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &NxQuitOnSignal::onSignal);
    struct sigaction action {};
    action.sa_handler = handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}

NxQuitOnSignal::~NxQuitOnSignal()
{
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        std::signal(signal, SIG_DFL);
}

void NxQuitOnSignal::onSignal()
{
    char byte = 0;
    [[maybe_unused]] const ssize_t read = ::read(g_pipe[1], &byte, 1);
    emit stopRequested();
    QCoreApplication::quit();
}

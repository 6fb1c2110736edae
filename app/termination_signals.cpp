#include "app/termination_signals.h"

#include <cerrno>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>

#include "app/main_window.h"
#include "app/program.h"

namespace app {
namespace {

int signal_pipe[2] = {-1, -1};

// Only async-signal-safe calls here, and errno as the interrupted code left it.
void on_termination_signal(int) {
    const int saved_errno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signal_pipe[1], &byte, 1);
    errno = saved_errno;
}

void end_as_if_closed() {
    char bytes[16];
    while (::read(signal_pipe[0], bytes, sizeof bytes) > 0) {
    }
    if (MainWindow* window = main_window())
        window->close();
    else
        QCoreApplication::exit(0);
}

}  // namespace

void end_on_termination_signals() {
    if (signal_pipe[0] >= 0) return;
    if (::pipe2(signal_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;  // the signals keep their default action
    auto* notifier = new QSocketNotifier(signal_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, &end_as_if_closed);

    struct sigaction action = {};
    action.sa_handler = on_termination_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal_number : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal_number, &action, nullptr);
}

}  // namespace app

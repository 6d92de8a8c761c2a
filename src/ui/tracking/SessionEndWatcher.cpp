#include "ui/tracking/SessionEndWatcher.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
int g_pipe[2] = {-1, -1};

extern "C" void onSignal(int signalNumber) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    // write() is async-signal-safe; a full pipe already holds a wake-up, so a lost byte is harmless.
    [[maybe_unused]] const ssize_t put = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

SessionEndWatcher::SessionEndWatcher(QObject* parent) : QObject(parent) {
    if (g_pipe[0] >= 0) return;
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        g_pipe[0] = g_pipe[1] = -1;
        return;
    }
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SessionEndWatcher::drain);
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    // A second signal while the first is handled ends the program the default way, so a
    // stuck shutdown can still be stopped.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (const int s : kSignals) ::sigaction(s, &action, nullptr);
}

SessionEndWatcher::~SessionEndWatcher() {
    if (!m_notifier) return;
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (const int s : kSignals) ::sigaction(s, &action, nullptr);
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void SessionEndWatcher::drain() {
    unsigned char bytes[16];
    for (;;) {
        const ssize_t got = ::read(g_pipe[0], bytes, sizeof bytes);
        if (got <= 0) return;
        for (ssize_t i = 0; i < got; ++i) emit sessionEnding(bytes[i]);
    }
}

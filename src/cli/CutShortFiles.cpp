#include "cli/CutShortFiles.h"

#include <csignal>
#include <unistd.h>

namespace ql::cli {
namespace {

// Runs inside the fault: only write and _exit are safe here, and returning would fault again.
extern "C" void onBusError(int) {
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, kCutShortMessage, sizeof kCutShortMessage - 1);
    ::_exit(1);
}

}  // namespace

void exitOnCutShortFile() {
    struct sigaction action {};
    action.sa_handler = onBusError;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGBUS, &action, nullptr);
}

}  // namespace ql::cli

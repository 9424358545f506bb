#include "support/EndRequest.h"

#include <csignal>
#include <initializer_list>

namespace ending {
namespace {
volatile std::sig_atomic_t requested = 0;

extern "C" void OnEndSignal(int) {
    requested = 1;
}
} // namespace

void InstallHandlers() {
    struct sigaction action = {};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    // Interrupted reads and writes carry on; the waits notice the flag by themselves.
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) {
        sigaction(signal, &action, nullptr);
    }
    // A closed standard output (the reader of a pipe gone) must not end the game: a trace line
    // that cannot be written is simply lost.
    std::signal(SIGPIPE, SIG_IGN);
}

bool Requested() {
    return requested != 0;
}

void Request() {
    requested = 1;
}

void Clear() {
    requested = 0;
}
} // namespace ending

// SPDX-License-Identifier: MIT
#include "study/stop_signals.h"

#include <atomic>
#include <csignal>

namespace dealwise::study {
namespace {

std::atomic<int> requested{0};
static_assert(std::atomic<int>::is_always_lock_free, "set from a signal handler");

extern "C" void requestStop(int signal) { requested.store(signal); }

} // namespace

void stopOnSignals() {
    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGXFSZ, SIG_IGN);
}

int stopSignal() noexcept { return requested.load(); }

} // namespace dealwise::study

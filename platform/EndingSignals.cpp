// Installing the ending signals' handlers and holding the signals back, shared by the
// temporary files and the worker processes.
#include "platform/EndingSignals.h"

#include <pthread.h>

#include <cstring>

namespace zintor {
namespace {

const int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP};

sigset_t EndingSignalSet() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : kEndingSignals) sigaddset(&set, signal);
    return set;
}

}  // namespace

void HandleEndingSignals(void (*handler)(int)) {
    for (int signal : kEndingSignals) {
        struct sigaction action, previous;
        std::memset(&action, 0, sizeof action);
        action.sa_handler = handler;
        action.sa_flags = SA_RESETHAND;
        action.sa_mask = EndingSignalSet();
        if (::sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN)
            continue;
        ::sigaction(signal, &action, nullptr);
    }
}

EndingSignalsBlocked::EndingSignalsBlocked() {
    sigset_t ending = EndingSignalSet();
    ::pthread_sigmask(SIG_BLOCK, &ending, &previous_);
}

EndingSignalsBlocked::~EndingSignalsBlocked() {
    ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

}  // namespace zintor

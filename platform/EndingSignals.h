// The signals that end the program on the user's behalf (Ctrl+C, SIGTERM, SIGHUP): handlers
// that tidy up before the program ends as the signal would have ended it, and a guard that
// holds them back while the state those handlers read is being changed.
#pragma once

#include <signal.h>

namespace zintor {

// From now on SIGINT, SIGTERM and SIGHUP call handler, once (the default action is back in
// place when it runs, so that raising the signal again ends the program) and with the other
// two held back meanwhile. A signal the program was started to ignore stays ignored.
void HandleEndingSignals(void (*handler)(int));

// Holds SIGINT, SIGTERM and SIGHUP back for its lifetime; they arrive when it ends.
class EndingSignalsBlocked {
  public:
    EndingSignalsBlocked();
    ~EndingSignalsBlocked();
    EndingSignalsBlocked(const EndingSignalsBlocked&) = delete;
    EndingSignalsBlocked& operator=(const EndingSignalsBlocked&) = delete;

    // The signal mask from before, for a forked process that must start from it.
    const sigset_t& previous() const { return previous_; }

  private:
    sigset_t previous_;
};

}  // namespace zintor
